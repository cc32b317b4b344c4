#pragma once
// Positions and moves for the notation tests, written the way chess players write them down.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "rules/fen.h"
#include "rules/perft.h"

namespace zarvik::testing {

inline FenPosition position(const std::string& fen) {
    std::string error;
    const std::optional<FenPosition> read = readFen(fen, error);
    EXPECT_TRUE(read.has_value()) << fen << ": " << error;
    return read.value_or(FenPosition{Board(true), Color::white});
}

// The legal move with that long algebraic text ("e2e4", "e7e8q", "e1g1"), or none.
inline std::optional<PerftMove> legalMove(const FenPosition& at, const std::string& text) {
    for (const PerftMove& move : legalMoves(at.board, at.toMove)) {
        if (move.text() == text) {
            return move;
        }
    }
    return std::nullopt;
}

}  // namespace zarvik::testing
