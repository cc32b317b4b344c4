#pragma once
// The signals a terminal program answers: each one becomes a byte on a pipe that the event loop
// waits on, so that it is handled on the main thread in order with the keys. A crash signal
// restores the terminal at once (in the handler, with async-signal-safe calls only) and then ends
// the process as the signal would have.
#include <csignal>

namespace zarvik::terminal {

// Installs the handlers and returns the pipe's read end (-1 when no pipe could be made).
int installSignalPipe();
// The next signal number read from the pipe; 0 when none waits.
int takeSignal();
// Remembers the terminal's modes before the program changes them; a crash puts them back.
void rememberTerminalModes();

}  // namespace zarvik::terminal
