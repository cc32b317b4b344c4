// Extreme positions, scales, sizes and fonts: every write stays inside the window it is meant for,
// and the results are defined (refused or clipped), never wrapped around.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "tests/toolkit/fixture.h"
#include "toolkit/screen/palette.h"
#include "toolkit/screen/pixels.h"
#include "toolkit/text/glyph.h"
#include "toolkit/text/textoutput.h"

namespace zarvik::testing {
namespace {

constexpr std::uint32_t argb(int a, int r, int g, int b) {
    return t_ColorValue({std::uint8_t(a), std::uint8_t(r), std::uint8_t(g), std::uint8_t(b)});
}

// The video memory within reach of one window's blocks, with the blocks themselves blanked out,
// to compare everything else.
Bytes memoryOutside(std::uint8_t window) {
    constexpr std::int64_t kReach = 1 << 18;
    const t_Window& w = t_WindowRecord(window);
    const std::int64_t low =
        std::max<std::int64_t>(0, w.TextMemoryStart >= 0 ? std::min(w.MemoryStart, w.TextMemoryStart) - kReach
                                                         : w.MemoryStart - kReach);
    const std::int64_t high = std::min<std::int64_t>(t_VideoMemorySize, w.MemoryEnd + 1 + kReach);
    Bytes around(t_VideoMemory() + low, t_VideoMemory() + high);
    std::fill(around.begin() + (w.MemoryStart - low), around.begin() + (w.MemoryEnd + 1 - low), 0);
    if (w.TextMemoryStart >= 0) {
        std::fill(around.begin() + (w.TextMemoryStart - low), around.begin() + (w.TextMemoryEnd + 1 - low),
                  0);
    }
    return around;
}

class Extremes : public ToolkitTest {
  protected:
    void graphicWindow(std::uint8_t window, int depth) {
        CapturedOutput quiet;
        t_InitWindow(window, depth, false, 32, 32, 0, 0, t_Font{}, true);
        ASSERT_TRUE(t_WindowRecord(window).Initialized);
    }
};

struct SymbolCase {
    const char* name;
    int x;
    int y;
    int scaleX;
    int scaleY;
};

class HugeSymbols : public Extremes, public ::testing::WithParamInterface<SymbolCase> {};

// A window set up before another lies above it in memory; nothing outside the drawn one changes.
TEST_P(HugeSymbols, StayInsideTheirWindow) {
    const SymbolCase& c = GetParam();
    for (const int depth : {1, 4, 8, 16, 24, 32}) {
        graphicWindow(1, depth);
        graphicWindow(0, depth);
        const Bytes before = memoryOutside(0);
        g_GotoXY(0, c.x, c.y);
        g_PrintSymbol(0, 'A', c.scaleX, c.scaleY, argb(255, 255, 255, 255), argb(255, 0, 0, 0),
                      testGreyFont());
        EXPECT_EQ(memoryOutside(0), before) << depth;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, HugeSymbols,
                         ::testing::Values(SymbolCase{"LastLine", 0, INT_MAX - 3, 1, 1},
                                           SymbolCase{"LastColumn", INT_MAX - 3, 0, 1, 1},
                                           SymbolCase{"HugeScale", 0, 0, INT_MAX / 4, INT_MAX / 4},
                                           SymbolCase{"LargestScale", 8, 8, INT_MAX, INT_MAX}),
                         [](const auto& info) { return std::string(info.param.name); });

// Only the visible part of an enlarged glyph is visited: each window pixel shows the glyph pixel
// it enlarges, and the cursor stops at the largest position rather than wrapping.
TEST_F(Extremes, EnlargedGlyphFillsTheVisibleWindowFromItsFirstPixel) {
    graphicWindow(0, 24);
    g_GotoXY(0, 2, 1);
    g_PrintSymbol(0, 'A', INT_MAX / 4, INT_MAX / 4, argb(255, 255, 255, 255), argb(255, 0, 0, 0),
                  testGreyFont());
    // Glyph pixel (0, 0) has coverage 'A' (65) of white on black.
    EXPECT_EQ(g_Scrn(0, 31, 31), argb(0, 65, 65, 65));
    EXPECT_EQ(g_Scrn(0, 2, 1), argb(0, 65, 65, 65));
    EXPECT_EQ(g_Scrn(0, 1, 1), argb(0, 0, 0, 0));
    EXPECT_EQ(t_WindowRecord(0).PositionX, INT_MAX);
    EXPECT_EQ(t_WindowRecord(0).PositionY, 1);
}

// A window whose font was swapped for one with larger cells scrolls only its own pixels.
TEST_F(Extremes, ScrollingWithALargerFontStaysInsideTheWindow) {
    for (const int depth : {1, 4, 8, 16, 24, 32}) {
        initTextWindow(1, depth, 8, 4);
        initTextWindow(0, depth, 8, 4);
        t_WindowFont(0, testGreyFont(16, 40));
        const Bytes before = memoryOutside(0);
        CapturedOutput quiet;
        t_ScrollUp(0);
        t_ScrollDown(0);
        t_Print(0, "\014abcdefghijklmnopqrstuvwxyz0123456789");
        EXPECT_EQ(memoryOutside(0), before) << depth;
    }
}

TEST_F(Extremes, HtabBeyondTheLineKeepsTheCursor) {
    initTextWindow(0, 24, 10, 4);
    t_WindowRecord(0).TextFirstColumn = 3;
    t_Htab(0, 2);
    EXPECT_EQ(t_WindowRecord(0).TextHpos, 4);
    for (const int column : {INT_MAX, INT_MAX - 1, 9, 0, INT_MIN}) {
        t_Htab(0, column);
        EXPECT_EQ(t_WindowRecord(0).TextHpos, 4) << column;
    }
}

TEST_F(Extremes, CellsFarOutsideTheGridAreRefused) {
    initTextWindow(0, 24, 10, 4);
    for (const auto& [column, line] :
         {std::pair{INT_MAX, 1}, std::pair{1, INT_MAX}, std::pair{INT_MAX, INT_MAX}}) {
        CapturedOutput out;
        t_PrintSymbol(0, 'A', 0xC0, column, line);
        EXPECT_EQ(out.text(), "t_PrintSymbol: Window #0 illegal coordinates (x = " + std::to_string(column) +
                                  ", y = " + std::to_string(line) + ").\n");
    }
}

// A text screen too large for any window gets the pixel form's message and its fallback size.
TEST_F(Extremes, TextScreenOfHugeSizeIsRefusedLikeAnyOversizedWindow) {
    CapturedOutput out;
    t_InitWindow(0, 24, INT_MAX, 25, 0, "MenloRegular 16x32.font");
    const std::string text = out.text();
    EXPECT_NE(text.find("t_InitWindow: GraphicWindow #0 cannot display 2147483647 horizontal pixel."),
              std::string::npos)
        << text;
    EXPECT_EQ(t_WindowRecord(0).Width, 1280);
    CapturedOutput again;
    t_InitWindow(0, 24, 80, INT_MIN / 2, 0, "MenloRegular 16x32.font");
    EXPECT_NE(again.text().find("cannot display -2147483648 vertical pixel."), std::string::npos);
}

}  // namespace
}  // namespace zarvik::testing
