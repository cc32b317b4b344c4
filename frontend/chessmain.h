#pragma once
// The chess program that the toolkit runs on its program thread: start-up of window 0, the
// configuration dialogue, the turn loop, the outer loop that offers a new game, and the menu handler.
namespace zarvik::frontend {

// The entry routine; ends the program thread with t_QuitProgram when no new game is wanted.
void chessMain();

// Asks who plays which colour and prepares a new game; returns early once a saved game is opened.
void configureGame();

// Plays the prepared game until `gameRunning` is cleared. A saved game opened meanwhile that the
// person plays on continues from its side to move, recorded like any game.
void playGame();

// The menu handler: carries out the program items of the menu table.
void chess_Menu();

// Shows the end of the record beside the board and the whole record in the printer window.
void showRecordPanel();

}  // namespace zarvik::frontend
