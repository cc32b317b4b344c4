#pragma once
// A move the computer player considers, and its rating. Lives only during one choice.
#include <string>
#include <variant>

#include "rules/color.h"
#include "rules/location.h"

namespace zarvik {

// An ordinary move, including captures, en passant and pawn moves to the last rank.
struct SinglePieceMove {
    BoardLocation from;
    BoardLocation to;
    friend bool operator==(const SinglePieceMove&, const SinglePieceMove&) = default;
};

struct CastleMove {
    Color color = Color::white;
    CastleSide side = CastleSide::kingSide;
    friend bool operator==(const CastleMove&, const CastleMove&) = default;
};

using MoveType = std::variant<SinglePieceMove, CastleMove>;

struct Move {
    MoveType type;
    double rating = 0.0;
};

// "E2-E4" for an ordinary move, "O-O" / "O-O-O" for castling.
std::string moveText(const MoveType& type);

// "King Side" / "Queen Side", as the castling log lines write it.
std::string_view sideText(CastleSide side);

}  // namespace zarvik
