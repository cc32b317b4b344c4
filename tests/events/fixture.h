#pragma once
// Shared set-up of the event tests: one headless host for the run, empty queues and fresh
// windows before each test, captured log lines and waiting for other threads.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "toolkit/events.h"
#include "toolkit/font.h"
#include "toolkit/headless/headlesshost.h"
#include "toolkit/window.h"

namespace zarvik::eventtests {

HeadlessHost& testHost();

// Lines written to standard output while it lives.
class CapturedOutput {
  public:
    CapturedOutput() { ::testing::internal::CaptureStdout(); }
    ~CapturedOutput() {
        if (!taken_) {
            ::testing::internal::GetCapturedStdout();
        }
    }
    std::string text() {
        taken_ = true;
        return ::testing::internal::GetCapturedStdout();
    }

  private:
    bool taken_ = false;
};

// Polls until the condition holds or two seconds passed.
inline bool eventually(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// An 8 x 16 font whose glyphs are full white rows on top, so a printed character is visible.
t_Font testFont();

class EventsTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // A text window of columns x lines cells of the test font, 24 bits, visible.
    void initTextWindow(std::uint8_t window, int columns, int lines);
    std::uint8_t charAt(std::uint8_t window, int column, int line);
    // Characters of one screen line from the given column.
    std::string lineText(std::uint8_t window, int line, int from, int count);
};

}  // namespace zarvik::eventtests
