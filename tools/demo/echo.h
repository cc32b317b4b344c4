#pragma once
// The echo program: on the program thread it sets up window 0 as an 80 x 25 text screen
// (1280 x 800, 24 bits, auto-update), reads one line with the line input and prints it back.
#include <atomic>
#include <string>
#include <string_view>

namespace zarvik::demo {

inline constexpr int kColumns = 80;
inline constexpr int kLines = 25;
inline constexpr std::string_view kPrompt = "Eingabe: ";
inline constexpr std::string_view kAnswer = "Gelesen: ";

struct EchoState {
    std::atomic<bool> ready{false};     // window 0 is set up, the input waits for keys
    std::atomic<bool> finished{false};  // the program is done
    std::atomic<bool> read{false};      // and it read a line and printed it back
    std::string line;                   // valid once finished
};

// Body of the program thread.
void echoProgram(EchoState& state);

// Sends the text as key presses of the host (one per character, Return for "\r").
void typeText(std::string_view text);

}  // namespace zarvik::demo
