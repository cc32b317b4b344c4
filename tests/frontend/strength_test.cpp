// The computer's strengths: the answers of the level question and the names the record reads back.
#include "frontend/strength.h"

#include <gtest/gtest.h>

namespace zarvik::frontend {
namespace {

TEST(Strength, AnswersOfTheLevelQuestion) {
    struct Case {
        const char* answer;
        std::optional<int> strength;
    };
    for (const Case& c : {Case{"1", strengthOfLevel(1)}, Case{"10", strengthOfLevel(10)}, Case{"l", 0},
                          Case{"Leicht", 0}, Case{"S", 2}, Case{"schwer", 2}, Case{"0", std::nullopt},
                          Case{"11", std::nullopt}, Case{"-3", std::nullopt}, Case{"7a", std::nullopt},
                          Case{"mittel", std::nullopt}, Case{"", std::nullopt}}) {
        EXPECT_EQ(strengthFromAnswer(c.answer), c.strength) << c.answer;
    }
}

// Every strength's name reads back as that strength; the old ones keep their numbers.
TEST(Strength, NamesReadBack) {
    for (int strength : {0, 1, 2}) {
        EXPECT_EQ(strengthFromName(strengthName(strength)), strength);
        EXPECT_EQ(levelOfStrength(strength), std::nullopt);
    }
    for (int level = 1; level <= 10; ++level) {
        EXPECT_EQ(strengthFromName(strengthName(strengthOfLevel(level))), strengthOfLevel(level));
        EXPECT_EQ(levelOfStrength(strengthOfLevel(level)), level);
    }
    EXPECT_EQ(strengthName(strengthOfLevel(7)), "Stufe 7");
    for (const char* unknown : {"Stufe 11", "Stufe", "Stufe 3x", "gross"}) {
        EXPECT_EQ(strengthFromName(unknown), std::nullopt) << unknown;
    }
}

}  // namespace
}  // namespace zarvik::frontend
