#pragma once
// Move-path counting for checking the rules against published tables. A legal move is one the player's
// own check accepts for the side to move, or a castling that `canColorCastle` allows; a pawn reaching
// its last rank counts once per promotion piece (queen, rook, bishop, knight).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "rules/board.h"
#include "rules/color.h"

namespace zarvik {

// One legal move of the side to move, as the players would make it.
struct PerftMove {
    int from = 0;
    int to = 0;
    std::optional<CastleSide> castle;  // king's squares in from/to
    std::optional<PieceType> promotion;

    // Long algebraic: "e2e4", "e7e8q", castling as the king's move "e1g1".
    std::string text() const;

    friend bool operator==(const PerftMove&, const PerftMove&) = default;
};

// The legal moves of `toMove`: ordinary moves by origin then destination square (promotions in the
// order queen, rook, bishop, knight), then castling king side, queen side.
std::vector<PerftMove> legalMoves(const Board& board, Color toMove);

// The board after `move`, made as the players make it (promotion replaces the pawn).
Board afterMove(const Board& board, Color toMove, const PerftMove& move);

std::uint64_t perft(const Board& board, Color toMove, int depth);

struct DivideLine {
    PerftMove move;
    std::uint64_t nodes = 0;
};

// Perft of each root move at depth - 1, in `legalMoves` order.
std::vector<DivideLine> divide(const Board& board, Color toMove, int depth);

}  // namespace zarvik
