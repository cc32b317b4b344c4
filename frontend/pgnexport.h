#pragma once
// A game record, as the program keeps and saves it, written in the portable notation of other chess
// programs: the date and players of its header, the moves that replay from its move lines, and how
// the game ended (mate, stalemate, repetition, a side giving up) or that it is still running.
#include <optional>
#include <string>
#include <string_view>

#include "notation/pgnwrite.h"

namespace zarvik::frontend {

// The game of a record; none when the text is not a record (header or player lines missing). Move
// lines that a replay would refuse are left out, as the replay leaves them out.
std::optional<PgnExport> recordGame(std::string_view recordText);
std::optional<std::string> recordAsPgn(std::string_view recordText);

// The record's game written with what the file it was opened from said about it: every tag, the
// comments and variations of the moves both share, and the file's result while no move was made
// since (or the game's own ending agrees with it).
PgnExport withImportedNotation(PgnExport own, const PgnExport& imported);

// What saving the record to `path` writes: the game for other chess programs for a name ending in
// ".pgn" (any case), the record itself for every other name. `imported` is the notation of the file
// the game was opened from, if any.
std::string savedFileText(std::string_view path, const std::string& recordText,
                          const PgnExport* imported = nullptr);

}  // namespace zarvik::frontend
