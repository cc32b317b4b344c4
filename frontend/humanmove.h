#pragma once
// Reading a typed move at the prompt of window 0 and carrying it out for the human side.
#include "rules/color.h"

namespace zarvik::frontend {

// Prompts until a move has been made or the game is no longer running (the user gave up, or an
// opened saved game has ended). When a saved game was opened meanwhile and the person does not give
// up, returns without a move, so that the turn loop goes on with the opened game.
void readHumanMove(Color color);

}  // namespace zarvik::frontend
