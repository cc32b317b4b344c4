#pragma once
// The position the engine is asked about: a start (the initial position or a FEN) and the moves
// played from it in long algebraic form, each checked and made through the rules model.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rules/board.h"
#include "rules/color.h"
#include "rules/perft.h"

namespace zarvik::engine {

struct EnginePosition {
    Board board = Board(true);
    Color toMove = Color::white;
    // Where the moves started (the FEN as given, with its half-move clock; empty for the starting
    // position) and the moves made, for a search that looks for repetitions and the fifty-move rule.
    std::string startFen;
    std::vector<PerftMove> played;
};

// The legal move of `toMove` that `text` names ("e2e4", "e1g1" castling, "e7e8q"; upper case is
// accepted, and a promotion without its letter becomes a queen). None when no legal move fits.
std::optional<PerftMove> legalMoveNamed(const Board& board, Color toMove, std::string_view text);

// The position that the arguments of `position` describe ("startpos" or "fen" and its fields, then
// optionally "moves" and the moves). A malformed start keeps `previous`; an illegal move ends the
// moves there. Each problem adds one short English sentence to `problems`.
EnginePosition readPosition(const std::vector<std::string_view>& arguments, const EnginePosition& previous,
                            std::vector<std::string>& problems);

// A word of the input as a message may quote it: at most 32 characters, control characters as "?".
std::string quoted(std::string_view word);

}  // namespace zarvik::engine
