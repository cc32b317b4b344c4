#pragma once
// Start-up of the application and of the program thread: the conversion tables, the thread
// starters, the program's quit, and the application delegate's callbacks written against the host
// interface, so that a host only forwards its callbacks here.
#include <cstdint>
#include <functional>
#include <optional>

#include "toolkit/screen/threads.h"

namespace zarvik {

// --- conversion tables ---

void initqxtools();
bool t_ToolsInitialized();
// "0"-"9", "A"-"F" for 0-15 (the low nibble of value).
char t_HexDigit(int value);
// 0-15 for "0"-"9", "A"-"F", "a"-"f"; -1 for every other character.
int t_HexValue(std::uint8_t character);

// --- thread starters ---

inline constexpr std::int64_t t_ProgramStackSize = 0x40000000;
inline constexpr std::int64_t t_AsyncStackSize = 524288;

// Starts a dedicated thread running the function; one start at a time (the start-pending flag:
// a second start waits until the first thread has taken its function). A refused stack is tried
// once more at 64 MiB with a log line; false when no thread could be started.
bool startprocess(std::function<void()> function, std::int64_t stackSize);
bool t_StartPending();
// Leaves "(Programm Ende)" in the window and ends the calling thread. On the host's main thread,
// which must keep serving the windows, it writes the message and returns instead.
void t_QuitProgram(std::uint8_t window);

// --- application delegate ---

void t_ApplicationWillFinishLaunching();
// The start-up sequence: tables, title bar height, the program thread with its 1 GiB stack.
// False when the program thread could not be started; the host then tells the person and quits.
bool t_ApplicationDidFinishLaunching(std::function<void()> programMain);
void t_ApplicationSetActive(bool active);
void t_ApplicationWillTerminate();
// A close box click hides the window; the answer is always false (never close).
bool t_ApplicationWindowShouldClose(std::uint8_t window);
// Lays out the scroll view of the key window when it is window 8, 9 or 10. Returns the frames
// to apply: the scroll view's and (for 9 and 10) the ruler's, in the window's coordinates.
struct t_TextWindowLayout {
    double ScrollX = 0, ScrollY = 0, ScrollWidth = 0, ScrollHeight = 0;
    std::optional<double> RulerWidth;  // height 19
};
std::optional<t_TextWindowLayout> t_ApplicationWindowDidResize(std::uint8_t window, double width,
                                                               double height);
bool t_ApplicationLaunched();
bool t_ApplicationActive();
void t_SetTerminateHandler(std::function<void()> handler);

}  // namespace zarvik
