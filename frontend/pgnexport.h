#pragma once
// A game record, as the program keeps and saves it, written in the portable notation of other chess
// programs: the date and players of its header, the moves that replay from its move lines, and how
// the game ended (mate, stalemate, repetition, a side giving up) or that it is still running.
#include <optional>
#include <string>
#include <string_view>

namespace zarvik::frontend {

// The game of a record; none when the text is not a record (header or player lines missing). Move
// lines that a replay would refuse are left out, as the replay leaves them out.
std::optional<std::string> recordAsPgn(std::string_view recordText);

// What saving the record to `path` writes: the game for other chess programs for a name ending in
// ".pgn" (any case), the record itself for every other name.
std::string savedFileText(std::string_view path, const std::string& recordText);

}  // namespace zarvik::frontend
