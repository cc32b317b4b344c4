#pragma once
// Reading a typed move at the prompt of window 0 and carrying it out for the human side.
#include "rules/color.h"

namespace zarvik::frontend {

// Prompts until a move has been made or the game is no longer running (the user gave up, or a
// saved game replaced the game while the prompt waited).
void readHumanMove(Color color);

}  // namespace zarvik::frontend
