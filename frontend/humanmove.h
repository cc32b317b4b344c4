#pragma once
// Reading a typed move at the prompt of window 0 and carrying it out for the human side.
#include "rules/color.h"

namespace zarvik::frontend {

// How a move prompt ended.
enum class HumanTurn { moved, gaveUp, interrupted };

// Prompts until a move has been made, the person has given up (J at "Wollen Sie aufgeben"), or a
// command or an opened game interrupts the prompt. A take-back at the promotion question cancels the
// move and asks again.
HumanTurn readHumanMove(Color color);

}  // namespace zarvik::frontend
