#pragma once
// The chess program that the toolkit runs on its program thread: start-up of window 0, the
// configuration dialogue, the turn loop, the outer loop that offers a new game, and the menu handler.
#include "rules/color.h"

namespace zarvik::frontend {

// The entry routine. It runs until the application ends: after a game the final position stays with
// the way to a new one.
void chessMain();

// Asks who plays which colour and prepares a new game; false when a saved game was opened or a new
// game was asked for meanwhile.
bool configureGame();

// Ends the game with the side's giving up: the final line, and the game no longer runs.
void recordResignation(Color color);

// The menu handler: carries out the program items of the menu table.
void chess_Menu();

// Shows the end of the record beside the board and the whole record in the printer window.
void showRecordPanel();

}  // namespace zarvik::frontend
