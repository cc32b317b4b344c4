#pragma once
// Typing into the running program from outside, as the command-line tool and the tests do: a key is
// posted only when the program has taken the previous one and has stopped drawing, so that every key
// reaches the question or prompt it is meant for.
#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace zarvik::frontend {

// Starts chessMain on a program thread of its own, marked so that programEnded() tells when the
// program has quit. False when the thread could not be started.
bool startChessProgram();
// True once the program started by startChessProgram has ended its thread.
bool programEnded();

// The keys of a text: "\r" Return, "\e" Escape, "\\" a backslash, every other character itself.
std::vector<std::string> keysOf(std::string_view text);

// Waits until the program has taken every key, click, menu choice and opened file and waits for
// input again, or has ended. A computer that thinks is not waiting. Gives up after a minute.
void waitUntilQuiet();

// Waits until window 0 shows the text (at most `longest`); whether it showed.
bool waitUntilShown(std::string_view text, std::chrono::milliseconds longest);
// Waits until window 0 shows the text (at most `longest`), then until the program waits for input;
// whether it showed. A program that starts slowly must not look settled before it has drawn anything.
bool waitForScreenText(std::string_view text, std::chrono::milliseconds longest = std::chrono::seconds(60));

// Types the keys one by one, each after the program has taken the previous one and drawn its answer;
// stops when the program has ended.
void typeKeys(const std::vector<std::string>& keys);

// Clicks at pixel x, y of window 0's graphic (the coordinates of g_Draw: the graphic board spans x
// 48-367, y 161-480) as the host would report the click, once the program has settled.
void clickAt(int x, int y, bool right = false);

}  // namespace zarvik::frontend
