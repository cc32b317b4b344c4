#pragma once
// Saved games that reach the program from the host (a path on the command line, a dropped file,
// "open with"): the host posts a file event, a short-lived thread runs the program's handler, and
// the program takes the path from the queue.
#include <string>

namespace zarvik::frontend {

// Queues an event for the path, sets the pending flag and starts the "t_StartEventFile" thread that
// calls the file-event handler once.
void postFileEvent(const std::string& path);

// True exactly when the queue holds an event.
bool fileEventPending();

// Removes the oldest event, keeps it as the current one and returns its path; "" when none.
std::string takeFileEvent();

// The path of the event most recently taken.
std::string currentFileEventPath();

// The slot the thread calls; does nothing until the program installs its handler.
void setFileEventHandler(void (*handler)());

// The program's handler: takes a pending event and opens a path ending in ".zarvik" or ".pgn"; after a
// successful open it wakes the program, so that a waiting question or move input gives way.
void handleFileEvent();

}  // namespace zarvik::frontend
