#include "frontend/typedmove.h"

#include <gtest/gtest.h>

namespace zarvik::frontend {
namespace {

using Kind = TypedMove::Kind;

TEST(TypedMove, FormsAndMessages) {
    struct Case {
        const char* input;
        Kind kind;
        int from = 0;
        int to = 0;
    };
    const Case cases[] = {
        {"E2-E4", Kind::ordinary, 12, 28},
        {"e2-e4", Kind::ordinary, 12, 28},
        {"A1-H8", Kind::ordinary, 0, 63},
        {"", Kind::giveUp},
        {"O-O", Kind::kingSideCastle},
        {"o-o", Kind::kingSideCastle},
        {"O-O-O", Kind::queenSideCastle},
        {"0-0", Kind::missingSeparator},  // the digit zero is no castling
        {"E2E4", Kind::missingSeparator},
        {"E2", Kind::missingSeparator},
        {"E2-E", Kind::badCoordinates},
        {"I2-I4", Kind::badCoordinates},
        {"E0-E2", Kind::badCoordinates},
        {"E9-E2", Kind::badCoordinates},
        {"E2-", Kind::badCoordinates},
        {"\xC3\xA4"
         "2-E4",
         Kind::badCoordinates},  // an umlaut is one character
        {"E\xC3\xA4-E4", Kind::badCoordinates},
        {"\xFF\xFE-E4", Kind::badCoordinates},  // bytes that are no UTF-8
    };
    for (const Case& c : cases) {
        const TypedMove move = parseTypedMove(c.input);
        EXPECT_EQ(move.kind, c.kind) << c.input;
        if (c.kind == Kind::ordinary) {
            EXPECT_EQ(move.from.index, c.from) << c.input;
            EXPECT_EQ(move.to.index, c.to) << c.input;
        }
    }
}

}  // namespace
}  // namespace zarvik::frontend
