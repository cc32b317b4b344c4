#pragma once
// The toolkit's own thread registry: the thread that starts the application is number 1, every
// thread started through t_StartThread gets the next number in start order, so the program thread
// is 2. Names are kept in full; the OS gets the name cut to 15 characters, except the process's
// first thread, whose OS name is the process name.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace zarvik {

// Makes the calling thread number 1 (the application's thread) unless some thread already is.
void t_RegisterApplicationThread();
// Number of the calling thread; 0 for a thread the toolkit did not start or register.
int t_CurrentThreadNumber();
void t_NameCurrentThread(std::string_view name);
std::string t_CurrentThreadName();

// Starts a detached thread with the given stack size (0: the system default). False when the
// system refuses the thread; the function then never runs.
bool t_StartThread(std::function<void()> function, std::size_t stackSize);
// Runs the function on a fresh worker thread of its own.
void t_StartAsync(std::function<void()> function);

}  // namespace zarvik
