#pragma once
// Shared set-up of the toolkit tests: a memory brought back to its fresh state before each test,
// with text windows of the test font.
#include <gtest/gtest.h>

#include "tests/support/testfont.h"
#include "tests/toolkit/testhost.h"
#include "toolkit/screen/font.h"
#include "toolkit/screen/window.h"

namespace zarvik::testing {

using test::testGreyFont;

// Every test starts from fresh video memory.
class ToolkitTest : public ::testing::Test {
  protected:
    void SetUp() override {
        releaseAllWindows();
        t_SetDefaultWindow(t_NoWindow);
        ASSERT_EQ(t_HighMemory(), t_HighMemoryStart);
    }

    // A text window of columns x lines cells of the 8 x 16 test font.
    void initTextWindow(std::uint8_t window, int bitDepth, int columns, int lines) {
        CapturedOutput quiet;
        const t_Font font = testGreyFont();
        t_InitWindow(window, bitDepth, false, columns * font.Width, lines * font.Height, 0, 0, font, true);
        ASSERT_TRUE(t_WindowRecord(window).Initialized);
    }

    std::uint8_t* memory() { return t_VideoMemory(); }
    std::uint8_t charAt(std::uint8_t window, int column, int line) {
        const t_Window& w = t_WindowRecord(window);
        return memory()[w.TextMemoryStart + std::int64_t(line - 1) * w.TextWidth + column - 1];
    }
    std::uint8_t colorAt(std::uint8_t window, int column, int line) {
        const t_Window& w = t_WindowRecord(window);
        const std::int64_t half = (w.TextMemoryEnd - w.TextMemoryStart + 1) / 2;
        return memory()[w.TextMemoryStart + half + std::int64_t(line - 1) * w.TextWidth + column - 1];
    }
};

}  // namespace zarvik::testing
