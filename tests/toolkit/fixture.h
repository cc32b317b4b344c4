#pragma once
// Shared set-up of the toolkit tests: a memory brought back to its fresh state before each test
// and small fonts made in memory.
#include <gtest/gtest.h>

#include "tests/toolkit/testhost.h"
#include "toolkit/screen/font.h"
#include "toolkit/screen/window.h"

namespace zarvik::testing {

// A grey font whose glyph of code c has coverage c in its top-left pixel, 255 in every pixel of
// the first row and 0 elsewhere, so tests can tell glyphs and coverages apart.
inline t_Font testGreyFont(int width = 8, int height = 16, std::uint8_t start = 32, std::uint8_t end = 255) {
    t_Font font;
    font.Format = t_FontFormatGrey;
    font.Start = start;
    font.End = end;
    font.Width = width;
    font.Height = height;
    font.Data.assign(std::size_t(256) * width * height, 0);
    for (int c = 0; c < 256; ++c) {
        std::uint8_t* glyph = font.Data.data() + std::size_t(c) * width * height;
        for (int x = 0; x < width; ++x) {
            glyph[x] = 255;
        }
        glyph[0] = std::uint8_t(c);
    }
    return font;
}

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
