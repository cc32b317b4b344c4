#pragma once
// The running game kept on disk after every half-move, in the saved-game format, so that quitting
// without saving or a crash does not lose it: the next start offers to resume it.
#include <optional>
#include <string>

namespace zarvik::frontend {

// "$XDG_DATA_HOME/zarvik/letztes-spiel.zarvik", the data folder defaulting to ~/.local/share; empty
// when there is no home folder either.
std::string autosavePath();

// Writes the record (atomically) while the game runs and has changes that were not saved elsewhere;
// removes the file otherwise, so that only a game worth resuming is ever offered.
void updateAutosave();

// The game is given up for good ("Nicht sichern" when quitting).
void removeAutosave();

// The text of the game to resume, when the file holds one that has not ended. A file that cannot be
// read or replayed is set aside under a new name (never deleted) with one line on the log.
std::optional<std::string> resumableAutosave();

}  // namespace zarvik::frontend
