#pragma once
// The search's position for a FEN in a test: a text that does not read fails the test, naming why,
// and gives the starting position so that the test goes on.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "search/position.h"

namespace zarvik::search {

inline Position at(std::string_view fen) {
    std::string error;
    const std::optional<Position> p = Position::fromFen(fen, error);
    EXPECT_TRUE(p) << fen << ": " << error;
    return p.value_or(Position());
}

}  // namespace zarvik::search
