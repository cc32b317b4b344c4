#pragma once
// Pieces, squares and the records of board changes: plain values, copied freely.
#include <cstdint>
#include <optional>

#include "rules/color.h"
#include "rules/location.h"

namespace zarvik {

class PieceMovement;

// A piece. `type` and `color` are fixed once made (a promotion replaces the whole piece); `location`
// always names the square that holds it (the board enforces this when a piece is placed).
struct Piece {
    Piece() = default;
    Piece(PieceType type, Color color, std::optional<std::int64_t> tag = std::nullopt, bool hasMoved = false,
          bool canBeTakenByEnPassant = false, BoardLocation location = BoardLocation())
        : type(type),
          color(color),
          tag(tag),
          hasMoved(hasMoved),
          canBeTakenByEnPassant(canBeTakenByEnPassant),
          location(location) {}

    PieceType type = PieceType::pawn;
    Color color = Color::white;
    std::optional<std::int64_t> tag;  // identity number handed out by the board
    bool hasMoved = false;
    bool canBeTakenByEnPassant = false;
    BoardLocation location;

    // The shared movement rule of this piece's type.
    const PieceMovement& movement() const;

    friend bool operator==(const Piece&, const Piece&) = default;
};

// A square of the board. Equality is coarse: both empty, or pieces of the same type and colour.
struct Square {
    std::optional<Piece> piece;

    // The letter of the piece in the board picture (knight K, king G), none when empty.
    std::optional<char> boardCharacter() const;

    friend bool operator==(const Square& a, const Square& b);
};

enum class OperationType : std::uint8_t { movePiece, removePiece, transformPiece };

// One change a board operation made, for the game's log and its observers. `piece` is the piece as it
// was before the change (for `transformPiece`: the new piece); `location` is the destination, the
// square emptied, or the promotion square.
struct BoardOperation {
    std::optional<OperationType> type;
    std::optional<Piece> piece;
    std::optional<BoardLocation> location;

    friend bool operator==(const BoardOperation&, const BoardOperation&) = default;
};

}  // namespace zarvik
