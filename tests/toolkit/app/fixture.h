#pragma once
// Shared set-up of the event tests: empty queues and fresh windows before each test, and waiting
// for other threads.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/testfont.h"
#include "tests/toolkit/testhost.h"
#include "toolkit/app/events.h"
#include "toolkit/screen/font.h"
#include "toolkit/screen/window.h"

namespace zarvik::eventtests {

using testing::CapturedOutput;
using testing::releaseAllWindows;
using testing::testHost;

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

// An 8 x 16 font with a glyph for every code, ink in its top row, so a printed character is visible.
inline const t_Font testFont = test::testGreyFont(8, 16, 0, 255);

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
