#pragma once
// The searching player's counsel for the person at the board: the move it would make ("Tipp", named
// on the message line and not played), and its judgement of a draw the person offers the computer.
#include <memory>
#include <optional>

#include "rules/game.h"

namespace zarvik::frontend {

// Searches the position for `toMove` and shows "Tipp: SG1-F3" on line 20 (or why there is none).
void showHint(const Game& game, Color toMove);

// The computer playing `computer` accepts a draw when its search says it stands worse.
bool computerAcceptsDraw(const Game& game, Color toMove, Color computer);

}  // namespace zarvik::frontend
