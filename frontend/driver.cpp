#include "frontend/driver.h"

#include <atomic>
#include <thread>

#include "frontend/chessmain.h"
#include "toolkit/app/events.h"
#include "toolkit/app/input.h"
#include "toolkit/app/startup.h"
#include "toolkit/screen/window.h"
#include "toolkit/text/textoutput.h"

namespace zarvik::frontend {
namespace {

std::atomic<bool> programStarted{false};
std::atomic<bool> programRunning{false};

// The program ends its thread with t_QuitProgram, which unwinds the stack: this mark's destructor
// is the last thing the thread does.
struct EndMark {
    ~EndMark() { programRunning = false; }
};

}  // namespace

bool startChessProgram() {
    programRunning = true;
    programStarted = true;
    const bool started = startprocess(
        [] {
            const EndMark mark;
            chessMain();
        },
        t_ProgramStackSize);
    programRunning = started;
    return started;
}

bool programEnded() {
    return programStarted && !programRunning;
}

std::vector<std::string> keysOf(std::string_view text) {
    std::vector<std::string> keys;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[i + 1];
            keys.emplace_back(next == 'r' ? "\r" : next == 'e' ? "\x1b" : std::string(1, next));
            i += 2;
            continue;
        }
        std::size_t length = 1;
        while (i + length < text.size() && (static_cast<unsigned char>(text[i + length]) & 0xC0) == 0x80) {
            ++length;
        }
        keys.emplace_back(text.substr(i, length));
        i += length;
    }
    return keys;
}

void waitUntilQuiet() {
    constexpr auto kPoll = std::chrono::milliseconds(1);
    // A program that never settles (a bug, or a game that runs on) must not hang the caller.
    constexpr auto kLongest = std::chrono::seconds(60);
    const auto start = std::chrono::steady_clock::now();
    while (!programEnded() && std::chrono::steady_clock::now() - start < kLongest) {
        if (t_WaitingForInput() && !t_KeyPending()) {
            return;
        }
        std::this_thread::sleep_for(kPoll);
    }
}

void clickAt(int x, int y, bool right) {
    waitUntilQuiet();
    const t_Window& record = t_WindowRecord(0);
    // The host measures from the content's bottom left, around the graphic's border; the middle of
    // the pixel keeps the truncation on it.
    const double hostX = x + record.BorderWidth + 0.5;
    const double hostY = record.BorderHeight + record.Height - y - 0.5;
    t_MouseEventHandler(0, t_HostMouseEvent{right ? 2u : 1u, 0}, hostX, hostY);
}

bool waitUntilShown(std::string_view text, std::chrono::milliseconds longest) {
    const auto end = std::chrono::steady_clock::now() + longest;
    while (t_GetScreen(0, "\n").find(text) == std::string::npos) {
        if (programEnded() || std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

bool waitForScreenText(std::string_view text, std::chrono::milliseconds longest) {
    if (!waitUntilShown(text, longest)) {
        return false;
    }
    waitUntilQuiet();
    return true;
}

void typeKeys(const std::vector<std::string>& keys) {
    for (const std::string& key : keys) {
        waitUntilQuiet();
        if (programEnded()) {
            return;  // nobody is left to take the rest
        }
        t_PostKeys(key);
    }
}

}  // namespace zarvik::frontend
