#include "frontend/driver.h"

#include <thread>

#include "toolkit/events.h"
#include "toolkit/input.h"
#include "toolkit/textoutput.h"
#include "toolkit/window.h"

namespace zarvik::frontend {

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

void waitUntilQuiet(std::chrono::milliseconds quiet) {
    constexpr auto kPoll = std::chrono::milliseconds(5);
    // A program that never settles (a bug, or a game that runs on) must not hang the caller.
    constexpr auto kLongest = std::chrono::seconds(60);
    const auto start = std::chrono::steady_clock::now();
    auto stillSince = start;
    std::uint64_t changes = t_WindowChangeCount(0);
    for (;;) {
        std::this_thread::sleep_for(kPoll);
        const std::uint64_t now = t_WindowChangeCount(0);
        if (now != changes || t_KeyPending()) {
            changes = now;
            stillSince = std::chrono::steady_clock::now();
        } else if (std::chrono::steady_clock::now() - stillSince >= quiet) {
            return;
        }
        if (std::chrono::steady_clock::now() - start >= kLongest) {
            return;
        }
    }
}

void clickAt(int x, int y, bool right) {
    waitUntilQuiet(std::chrono::milliseconds(30));
    const t_Window& record = t_WindowRecord(0);
    // The host measures from the content's bottom left, around the graphic's border; the middle of
    // the pixel keeps the truncation on it.
    const double hostX = x + record.BorderWidth + 0.5;
    const double hostY = record.BorderHeight + record.Height - y - 0.5;
    t_MouseEventHandler(0, t_HostMouseEvent{right ? 2u : 1u, 0}, hostX, hostY);
}

bool waitForScreenText(std::string_view text, std::chrono::milliseconds longest) {
    const auto end = std::chrono::steady_clock::now() + longest;
    while (t_GetScreen(0, "\n").find(text) == std::string::npos) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    waitUntilQuiet();
    return true;
}

void typeKeys(const std::vector<std::string>& keys) {
    for (const std::string& key : keys) {
        waitUntilQuiet(std::chrono::milliseconds(30));
        t_PostKeys(key);
    }
}

}  // namespace zarvik::frontend
