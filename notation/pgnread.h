#pragma once
// Reads the first game of a file of games as other chess programs write them, leniently: move
// numbers in any spacing, a byte-order mark, any line ends and tags in UTF-8 or Latin-1. Comments,
// variations and annotation glyphs are kept beside the moves. The moves are replayed from the
// starting position or the one the FEN tag sets up; the first move that cannot be made stops the
// replay and is reported, the moves before it are kept.
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
    setUpPosition,  // the position the tags set up is missing or cannot occur (see `problem`)
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
    std::string problem;                // why the set-up position was refused, in English
    std::string fen;                    // the position before the first move; empty for the starting one
    std::vector<PgnTag> tags;           // in file order, values in UTF-8
    std::vector<PerftMove> moves;       // the moves replayed
    std::vector<PgnNotes> notes;        // one per move
    std::vector<std::string> comments;  // before the first move
    Board board = Board(true);          // the position after them
    Color toMove = Color::white;
    PgnResult result = PgnResult::unknown;  // the game's result token, if it came before any refusal
    std::optional<PgnRefusedMove> refused;
};

// Half-moves played before the first move of a game from `fen` (empty: the starting position), as
// its move number and side to move say: 0 for White's first move, 1 for Black's, 2 for White's second.
int plyBefore(std::string_view fen);

PgnReading readPgn(std::string_view bytes);

// Collections are read up to this size; each of their games is held to kPgnMaxBytes.
inline constexpr std::size_t kPgnCollectionMaxBytes = std::size_t{64} << 20;

// One game of a file of several, as a list to choose from shows it.
struct PgnGameEntry {
    std::size_t offset = 0;  // where its bytes begin in the file
    std::size_t length = 0;
    std::string white;
    std::string black;
    std::string event;
    std::string date;
    PgnResult result = PgnResult::unknown;
    int halfMoves = 0;  // as written, not replayed
};

// The games of a file in file order, found without replaying their moves; none for a file larger
// than kPgnCollectionMaxBytes. readPgn of a game's bytes reads that game.
std::vector<PgnGameEntry> listPgnGames(std::string_view bytes);

}  // namespace zarvik
