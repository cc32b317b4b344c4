#pragma once
// Reads a position in Forsyth-Edwards notation, the common text form of a chess position.
#include <optional>
#include <string>
#include <string_view>

#include "rules/board.h"
#include "rules/color.h"

namespace zarvik {

struct FenPosition {
    Board board;
    Color toMove = Color::white;
};

// Castling rights become `hasMoved` false on the king and rook concerned (true on every other king and
// rook); the en passant field flags the pawn that just made its double step. Tags are handed out in
// ascending square order. Malformed text gives nullopt and one line in `error`.
std::optional<FenPosition> readFen(std::string_view text, std::string& error);

// The starting position.
inline constexpr std::string_view kStartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

}  // namespace zarvik
