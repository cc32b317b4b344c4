#pragma once
// The compact form of a position that the board and the movement rules work on: one byte per square.
// Kept public so that hot loops (perft, the computer player's candidate scan) can test moves without
// building `Piece` values. A set of squares is a 64-bit mask, bit i for square i, so iterating it
// visits squares in ascending order.
#include <array>
#include <bit>
#include <cstdint>
#include <optional>

#include "rules/color.h"

namespace zarvik {

using Cells = std::array<std::uint8_t, 64>;
using SquareSet = std::uint64_t;

namespace cell {

// Bit layout of one cell; 0 is an empty square.
inline constexpr std::uint8_t kTypeMask = 0x07;  // piece type + 1
inline constexpr std::uint8_t kBlack = 0x08;
inline constexpr std::uint8_t kIdentityMask = kTypeMask | kBlack;
inline constexpr std::uint8_t kHasMoved = 0x10;
inline constexpr std::uint8_t kEnPassant = 0x20;
inline constexpr std::uint8_t kHasTag = 0x40;

constexpr std::uint8_t make(PieceType type, Color color) {
    return static_cast<std::uint8_t>((static_cast<std::uint8_t>(type) + 1) |
                                     (color == Color::black ? kBlack : 0));
}
constexpr bool occupied(std::uint8_t c) {
    return c != 0;
}
constexpr PieceType type(std::uint8_t c) {
    return static_cast<PieceType>((c & kTypeMask) - 1);
}
constexpr Color color(std::uint8_t c) {
    return (c & kBlack) != 0 ? Color::black : Color::white;
}
constexpr bool is(std::uint8_t c, PieceType t) {
    return (c & kTypeMask) == static_cast<std::uint8_t>(t) + 1;
}
constexpr bool is(std::uint8_t c, PieceType t, Color col) {
    return (c & kIdentityMask) == make(t, col);
}
constexpr bool isColor(std::uint8_t c, Color col) {
    return c != 0 && color(c) == col;
}

}  // namespace cell

// Position operations on the compact form, shared by the board, the rules and perft. Squares are
// 0...63 here; callers check the range.

// The raw move of `Board::movePiece` on an occupied from-square (from != to). Answers the square of
// the piece taken en passant, or -1.
int applyRawMove(Cells& cells, int from, int to);

// First square in index order holding that colour's king, or -1.
int firstKingSquare(const Cells& cells, Color color);

// Whether a piece of `attacker` could capture on `square` by its movement rule, if `square` held a
// piece of the other colour that is not a king.
bool isSquareAttackedBy(const Cells& cells, int square, Color attacker);

// The colour's first king is attacked; false without a king.
bool isInCheck(const Cells& cells, Color color);

// The mover's colour is in check after the raw move from an occupied square.
bool isInCheckAfterMove(const Cells& cells, int from, int to);

// Some movement-rule move leaves the colour out of check (castling not considered).
bool hasLegalMove(const Cells& cells, Color color);

// What stands in the way of castling, first failing test first; none when castling is allowed.
enum class CastlingObstacle { pieceHasMoved, pathBlocked, kingInCheck, kingCrossesAttack };
std::optional<CastlingObstacle> castlingObstacle(const Cells& cells, Color color, CastleSide side);

// Castling permission (king and rook unmoved on their squares, path empty, no check on the way).
bool mayCastle(const Cells& cells, Color color, CastleSide side);

// Calls f(square) for every square of the set, ascending.
template <typename F>
inline void forEachSquare(SquareSet set, F&& f) {
    while (set != 0) {
        f(std::countr_zero(set));
        set &= set - 1;
    }
}

}  // namespace zarvik
