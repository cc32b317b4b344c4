#pragma once
// The searching computer's turn on the program thread: it thinks while line 21 shows the best move so
// far, moves at once on "!" or the space bar, and is dropped without waiting when the game is left.
#include <memory>

#include "rules/game.h"

namespace zarvik::frontend {

// Plays the turn of `player` when it is a searching player (true), else does nothing (false). Returns
// when the move is made, the player has none, or a command or an opened game interrupts the turn.
bool playSearchingTurn(const std::shared_ptr<Game>& game, const std::shared_ptr<Player>& player, Color color);

}  // namespace zarvik::frontend
