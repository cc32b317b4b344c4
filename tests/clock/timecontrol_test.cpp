#include "clock/timecontrol.h"

#include <gtest/gtest.h>

namespace zarvik {
namespace {

TEST(TimeControl, AnswersOfThePerson) {
    struct Row {
        const char* answer;
        std::optional<TimeControl> control;
    };
    const Row rows[] = {
        {"5+0", TimeControl{300, 0}},
        {"15+10", TimeControl{900, 10}},
        {" 90 + 30 ", TimeControl{5400, 30}},
        {"3", TimeControl{180, 0}},
        {"0+5", std::nullopt},
        {"", std::nullopt},
        {"+5", std::nullopt},
        {"5+", std::nullopt},
        {"5+2+1", std::nullopt},
        {"-5+0", std::nullopt},
        {"601+0", std::nullopt},
        {"5+601", std::nullopt},
        {"fünf", std::nullopt},
        {"99999999999+0", std::nullopt},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(timeControlFromAnswer(row.answer), row.control) << row.answer;
    }
    for (const TimeControl& offered : kOfferedControls) {
        EXPECT_EQ(timeControlFromAnswer(timeControlText(offered)), offered) << timeControlText(offered);
    }
    EXPECT_EQ(timeControlText({30, 2}), "0:30+2");
}

TEST(TimeControl, TagsOfGameFiles) {
    struct Row {
        const char* tag;
        std::optional<TimeControl> control;
    };
    const Row rows[] = {{"900+10", TimeControl{900, 10}},
                        {"300", TimeControl{300, 0}},
                        {"30+2", TimeControl{30, 2}},
                        {"-", std::nullopt},
                        {"?", std::nullopt},
                        {"40/7200:3600", std::nullopt},
                        {"0", std::nullopt}};
    for (const Row& row : rows) {
        EXPECT_EQ(timeControlFromTag(row.tag), row.control) << row.tag;
        if (row.control) {
            EXPECT_EQ(timeControlTag(*row.control), row.tag);
        }
    }
}

TEST(TimeControl, ClockReadings) {
    struct Row {
        double seconds;
        const char* text;
    };
    const Row rows[] = {{0, "0:00"}, {-3, "0:00"}, {59.9, "0:59"}, {299.5, "4:59"}, {3909, "1:05:09"}};
    for (const Row& row : rows) {
        EXPECT_EQ(clockText(row.seconds), row.text) << row.seconds;
    }
    EXPECT_EQ(clockTagText(299.5), "0:04:59");
    EXPECT_EQ(clockTagText(900), "0:15:00");
    EXPECT_EQ(clockTagText(3909), "1:05:09");
    EXPECT_EQ(secondsFromClockText("1:05:09"), 3909);
    EXPECT_EQ(secondsFromClockText("0:14:58.5"), 898.5);
    EXPECT_EQ(secondsFromClockText("4:59"), 299);
    for (const char* bad : {"", "5", "1:60", "a:00", "1:2:3:4", "-1:00"}) {
        EXPECT_EQ(secondsFromClockText(bad), std::nullopt) << bad;
    }
}

}  // namespace
}  // namespace zarvik
