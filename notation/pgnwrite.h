#pragma once
// Writes one game in the export form that every reader takes: the seven tags in their order, a
// Termination tag where needed, SetUp and FEN for a game from a position of its own, any other tags, then
// numbered moves with their comments, glyphs and variations in lines of at most 79 characters, and the
// result.
#include <string>
#include <vector>

#include "notation/pgn.h"
#include "notation/pgnread.h"
#include "rules/perft.h"

namespace zarvik {

struct PgnExport {
    std::string event = "Zarvik";
    std::string site = "?";
    std::string date = "????.??.??";  // YYYY.MM.DD, unknown parts as "?"
    std::string round = "-";
    std::string white = "?";
    std::string black = "?";
    std::string fen;               // the position before the first move; empty for the starting position
    std::vector<PerftMove> moves;  // legal moves from that position
    PgnResult result = PgnResult::unknown;
    std::string termination;            // how the game ended, unless by mate; no tag when empty
    std::vector<PgnTag> otherTags;      // after the others, in this order
    std::vector<std::string> comments;  // before the first move
    std::vector<PgnNotes> notes;        // per move; may be shorter than `moves`
};

// The game as text with line feeds, ended by an empty line. Writing stops before a move that is not
// legal where it stands (the moves come from the program's own records, so that never happens).
std::string writePgn(const PgnExport& game);

// A game read from a file, to be written again with every tag, comment and variation it had.
PgnExport exportOf(const PgnReading& reading);

}  // namespace zarvik
