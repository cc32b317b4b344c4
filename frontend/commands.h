#pragma once
// The commands of the menu "Spiel". A menu thread posts them; the program thread gives up whatever
// it waits for (a question, the move prompt, the computer's move, the end of the game) and carries
// them out in order.
namespace zarvik::frontend {

enum class GameCommand { none, newGame, takeBack, redo, hint, offerDraw, resign, timeOut };

// Queues the command and wakes the program thread. Any thread.
void postGameCommand(GameCommand command);

// The oldest command, removed from the queue; none when the queue is empty.
GameCommand takeGameCommand();
// The oldest command, left in the queue.
GameCommand nextGameCommand();

// Wakes the program thread's waits, so that they see a change of their own (a game was opened).
void wakeProgram();

// The program thread is to stop waiting: a command waits or a saved game was opened.
bool programInterrupted();

}  // namespace zarvik::frontend
