#pragma once
// Games in the portable text form that chess programs exchange: tag pairs, then the moves in
// standard algebraic notation and a result token. The common vocabulary of the writer and the reader.
#include <string>
#include <string_view>
#include <vector>

#include "rules/perft.h"

namespace zarvik {

struct PgnTag {
    std::string name;
    std::string value;

    friend bool operator==(const PgnTag&, const PgnTag&) = default;
};

enum class PgnResult { whiteWins, blackWins, draw, unknown };

// What a file says about a move besides the move: annotation glyphs ("$1", "!?", "+-") and
// comments after it, and the variations that could have been played instead, in file order.
struct PgnLine;
struct PgnNotes {
    std::vector<std::string> glyphs;
    std::vector<std::string> comments;
    std::vector<PgnLine> variations;

    friend bool operator==(const PgnNotes&, const PgnNotes&) = default;
};

// A variation: its moves as written (without numbers and check marks), each with its notes, and the
// comments before its first move.
struct PgnLine {
    std::vector<std::string> comments;
    std::vector<std::string> moves;
    std::vector<PgnNotes> notes;  // one per move

    friend bool operator==(const PgnLine&, const PgnLine&) = default;
};

// "1-0", "0-1", "1/2-1/2", "*".
std::string_view resultToken(PgnResult result);

// The value of the first tag of that name, or "".
std::string_view tagValue(const std::vector<PgnTag>& tags, std::string_view name);

// Files larger than this are refused unread: a game is a few kilobytes, so anything near the limit
// is a collection or not a game file at all.
inline constexpr std::size_t kPgnMaxBytes = 1024 * 1024;

}  // namespace zarvik
