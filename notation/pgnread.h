#pragma once
// Reads the first game of a file of games as other chess programs write them, leniently: move
// numbers in any spacing, a byte-order mark, any line ends and tags in UTF-8 or Latin-1. Comments,
// variations and annotation glyphs are kept beside the moves. The moves are replayed from the
// starting position; the first move that cannot be made stops the replay and is reported, the
// moves before it are kept.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "notation/pgn.h"
#include "notation/san.h"
#include "rules/board.h"

namespace zarvik {

// Why a file gave no game at all.
enum class PgnFailure {
    none,
    noGame,         // no tags and no readable move
    setUpPosition,  // the game starts from a position of its own (FEN tag)
    tooLarge,       // more than kPgnMaxBytes
};

// The move that stopped the replay.
struct PgnRefusedMove {
    int number = 1;  // the move number: 12 for "12. Nf3" and for "12... Nf6"
    Color mover = Color::white;
    std::string text;  // as written in the file, printable ASCII only, at most 24 characters
    SanProblem problem = SanProblem::unreadable;
};

struct PgnReading {
    PgnFailure failure = PgnFailure::none;
    std::vector<PgnTag> tags;           // in file order, values in UTF-8
    std::vector<PerftMove> moves;       // the moves replayed
    std::vector<PgnNotes> notes;        // one per move
    std::vector<std::string> comments;  // before the first move
    Board board = Board(true);          // the position after them
    Color toMove = Color::white;
    PgnResult result = PgnResult::unknown;  // the game's result token, if it came before any refusal
    std::optional<PgnRefusedMove> refused;
};

PgnReading readPgn(std::string_view bytes);

}  // namespace zarvik
