// Window set-up, memory arithmetic, re-initialisation moves, frames and the uniform checks.
#include <gtest/gtest.h>

#include "tests/toolkit/fixture.h"
#include "toolkit/screen/palette.h"
#include "toolkit/text/textoutput.h"

namespace zarvik::testing {
namespace {

using WindowTable = ToolkitTest;

TEST_F(WindowTable, FirstWindowOnFreshMemoryTakesTheAlignedTopBlock) {
    CapturedOutput quiet;
    t_InitWindow(0, 24, false, 1280, 800, 0, 0, t_Font{}, true);
    const t_Window& w = t_WindowRecord(0);
    EXPECT_EQ(w.MemoryStart, 0xD12000);
    EXPECT_EQ(w.MemoryEnd, 0xFFFFFF);
    EXPECT_EQ(t_HighMemory(), 0xD11FFF);
    EXPECT_EQ(t_DefaultWindow(), 0);
    // No font: no text screen, and the title says so.
    EXPECT_EQ(w.TextWidth, -1);
    EXPECT_EQ(w.TextMemoryStart, -1);
    EXPECT_EQ(testHost().window(0).title, "Zarvik-Grafik");
    EXPECT_FALSE(w.Visible);
}

TEST_F(WindowTable, DefaultWindowIsTheFirstOneEverInitialised) {
    initTextWindow(3, 8, 10, 5);
    initTextWindow(1, 8, 10, 5);
    EXPECT_EQ(t_DefaultWindow(), 3);
}

struct SizeCase {
    int depth;
    int width;
    int height;
    int expectedWidth;
    int expectedHeight;
};

class WindowSizes : public ToolkitTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(WindowSizes, AreAdjustedToWhatTheDepthAndScreenAllow) {
    const SizeCase c = GetParam();
    CapturedOutput quiet;
    t_InitWindow(2, c.depth, false, c.width, c.height, 0, 0, t_Font{}, true);
    EXPECT_EQ(t_WindowRecord(2).Width, c.expectedWidth);
    EXPECT_EQ(t_WindowRecord(2).Height, c.expectedHeight);
}

// Widths outside the range become 1280, heights 800; 4- and 1-bit widths round to whole bytes.
INSTANTIATE_TEST_SUITE_P(Table, WindowSizes,
                         ::testing::Values(SizeCase{24, 30, 64, 1280, 64}, SizeCase{24, 9000, 64, 1280, 64},
                                           SizeCase{4, 38, 64, 36, 64}, SizeCase{4, 39, 64, 40, 64},
                                           SizeCase{1, 36, 64, 40, 64}, SizeCase{8, 33, 64, 33, 64},
                                           SizeCase{32, 8192, 64, 8192, 64}, SizeCase{8, 64, 31, 64, 800}));

TEST_F(WindowTable, UnsupportedDepthLeavesTheWindowOut) {
    CapturedOutput quiet;
    t_InitWindow(4, 2, false, 64, 64, 0, 0, t_Font{}, true);
    EXPECT_FALSE(t_WindowRecord(4).Initialized);
    EXPECT_EQ(t_HighMemory(), t_HighMemoryStart);
}

TEST_F(WindowTable, WindowNumberEightIsRefused) {
    CapturedOutput out;
    t_InitWindow(8, 24, false, 64, 64, 0, 0, t_Font{}, true);
    EXPECT_EQ(out.text(), "t_InitWindow: Window is not a graphic window.\n");
}

TEST_F(WindowTable, TooLargeGraphicIsRefused) {
    // 8192 x 8192 x 32 bit = 256 MiB, far beyond the memory.
    CapturedOutput quiet;
    t_InitWindow(1, 32, false, 8192, 8192, 0, 0, t_Font{}, true);
    EXPECT_FALSE(t_WindowRecord(1).Initialized);
}

TEST_F(WindowTable, GraphicAndTextThatFitOnlyAloneAreRefused) {
    // 4096 x 4032 x 8 bit = 16,515,072 bytes; text 512 x 252 x 2 = 258,048 bytes: each alone fits.
    CapturedOutput quiet;
    t_InitWindow(5, 8, false, 4096, 4032, 0, 0, testGreyFont(8, 16), true);
    EXPECT_FALSE(t_WindowRecord(5).Initialized);
    EXPECT_EQ(t_HighMemory(), t_HighMemoryStart);
}

TEST_F(WindowTable, TextBlockLiesBelowTheGraphicBlockWithTheRecordDefaults) {
    initTextWindow(0, 24, 80, 25);
    const t_Window& w = t_WindowRecord(0);
    EXPECT_EQ(w.TextMemoryEnd, w.MemoryStart - 1);
    EXPECT_EQ(w.TextMemoryStart,
              std::int64_t(static_cast<std::uint32_t>(w.MemoryStart - 4000) & t_BlockMask));
    EXPECT_EQ(w.TextWidth, 80);
    EXPECT_EQ(w.TextHeight, 25);
    EXPECT_EQ(w.TextLastColumn, 80);
    EXPECT_EQ(w.TextLastLine, 25);
    EXPECT_EQ(w.TextColor, 0xC0);
    EXPECT_EQ(w.RefreshRate, 30);
    EXPECT_TRUE(w.QuickUpdate);
    EXPECT_TRUE(w.VerticalBlank);
    EXPECT_EQ(w.RGBColorBorder, t_PaletteColor(5));
    EXPECT_EQ(testHost().window(0).title, "Zarvik");
    // Cleared: spaces in the text colour, black pixels.
    EXPECT_EQ(charAt(0, 1, 1), ' ');
    EXPECT_EQ(colorAt(0, 80, 25), 0xC0);
    EXPECT_EQ(memory()[w.MemoryStart], 0);
    EXPECT_EQ(memory()[w.MemoryEnd], 0);
}

TEST_F(WindowTable, ThirtyTwoBitWindowsClearToOpaqueBlack) {
    initTextWindow(0, 32, 4, 2);
    const t_Window& w = t_WindowRecord(0);
    EXPECT_EQ(memory()[w.MemoryStart], 255);
    EXPECT_EQ(memory()[w.MemoryStart + 1], 0);
    EXPECT_EQ(memory()[w.MemoryEnd - 3], 255);
}

TEST_F(WindowTable, ReinitialisingMovesTheBlocksBelowUpAndKeepsTheirContents) {
    initTextWindow(0, 24, 10, 4);
    initTextWindow(1, 8, 10, 4);
    initTextWindow(2, 32, 10, 4);
    const t_Window& w0 = t_WindowRecord(0);
    const std::int64_t d = (w0.MemoryEnd - w0.MemoryStart + 1) + (w0.TextMemoryEnd - w0.TextMemoryStart + 1);
    const std::int64_t high = t_HighMemory();
    t_Print(1, "eins");
    t_Print(2, "zwei");
    const std::int64_t start1 = t_WindowRecord(1).MemoryStart;
    const std::int64_t text2 = t_WindowRecord(2).TextMemoryStart;
    const std::uint64_t changes1 = t_WindowChangeCount(1);

    CapturedOutput quiet;
    t_InitWindow(0, 8, false, 64, 64, 0, 0, t_Font{}, true);
    EXPECT_EQ(t_WindowRecord(1).MemoryStart, start1 + d);
    EXPECT_EQ(t_WindowRecord(2).TextMemoryStart, text2 + d);
    EXPECT_EQ(charAt(1, 1, 1), 'e');
    EXPECT_EQ(charAt(2, 4, 1), 'i');
    EXPECT_GT(t_WindowChangeCount(1), changes1);
    // Window 0's new block is taken after the compaction, from the raised high memory.
    EXPECT_EQ(t_WindowRecord(0).MemoryEnd, high + d);
}

TEST_F(WindowTable, ReinitialisingKeepsBlocksIntactWhateverTheirOrderInMemory) {
    // Window 2 lies above window 1 in memory; moving in window-number order would overwrite it.
    initTextWindow(0, 8, 10, 4);
    initTextWindow(2, 8, 10, 4);
    initTextWindow(1, 8, 10, 4);
    t_Print(2, "hoch");
    t_Print(1, "tief");
    {
        CapturedOutput quiet;
        t_InitWindow(0, 8, false, 64, 64, 0, 0, t_Font{}, true);
    }
    EXPECT_EQ(t_GetScreen(2, "\r"), "hoch");
    EXPECT_EQ(t_GetScreen(1, "\r"), "tief");
}

TEST_F(WindowTable, FailedReinitialisationLeavesTheWindowUninitialisedAndReleased) {
    initTextWindow(0, 8, 10, 4);
    {
        CapturedOutput quiet;
        t_InitWindow(0, 3, false, 64, 64, 0, 0, t_Font{}, true);
    }
    EXPECT_FALSE(t_WindowRecord(0).Initialized);
    EXPECT_EQ(t_HighMemory(), t_HighMemoryStart);
    CapturedOutput out;
    t_CursorHome(0);
    EXPECT_EQ(out.text(), "t_CursorHome: Window #0 not initialized.\n");
}

TEST_F(WindowTable, WindowWithoutViewIsNotInitialised) {
    testHost().setViewExists(6, false);
    CapturedOutput quiet;
    t_InitWindow(6, 8, false, 64, 64, 0, 0, testGreyFont(), true);
    EXPECT_FALSE(t_WindowRecord(6).Initialized);
    EXPECT_FALSE(t_WindowRecord(6).Font.hasGlyphs());
}

TEST_F(WindowTable, TextFormLoadsItsFont) {
    CapturedOutput quiet;
    t_InitWindow(0, 24, 80, 25, 0, "Fehlt.font");
    EXPECT_FALSE(t_WindowRecord(0).Initialized);
    t_InitWindow(0, 24, 80, 25, 16, "MenloRegular 16x32.font");
    const t_Window& w = t_WindowRecord(0);
    ASSERT_TRUE(w.Initialized);
    EXPECT_EQ(w.Width, 1280);
    EXPECT_EQ(w.Height, 800);
    EXPECT_EQ(w.BorderWidth, 16);
    EXPECT_TRUE(w.AutoUpdate);
    EXPECT_EQ(testHost().window(0).frame.width, 1280 + 32);
    EXPECT_EQ(testHost().window(0).viewFrame, (HostRect{16, 16, 1280, 800}));
}

TEST_F(WindowTable, NegativeBordersFillTheScreen) {
    testHost().setScreen({1000, 700});
    CapturedOutput quiet;
    t_InitWindow(0, 8, false, 640, 480, -1, -1, t_Font{}, true);
    EXPECT_EQ(t_WindowRecord(0).BorderWidth, 360);
    EXPECT_EQ(t_WindowRecord(0).BorderHeight, 220);
    testHost().setScreen({1920, 1080});
}

struct PosCase {
    int selector;
    int value;
};

class WindowPositions : public ToolkitTest, public ::testing::WithParamInterface<PosCase> {};

TEST_P(WindowPositions, ConsoleWindowAnswers) {
    CapturedOutput quiet;
    t_InitWindow(0, 8, false, 160, 96, 10, 5, testGreyFont(), true);
    t_Area(0, 2, 3, 15, 5);
    t_WindowSize(0, 100, 50, -1, -1);
    EXPECT_EQ(t_WindowPos(0, GetParam().selector), GetParam().value);
}

// 20 x 6 cells; frame 180 x 106 at (100, 50) on a 1920 x 1080 screen, title height 0.
INSTANTIATE_TEST_SUITE_P(Table, WindowPositions,
                         ::testing::Values(PosCase{0, 2}, PosCase{1, 3}, PosCase{2, 15}, PosCase{3, 5},
                                           PosCase{4, 14}, PosCase{5, 3}, PosCase{6, 20}, PosCase{7, 6},
                                           PosCase{8, 160}, PosCase{9, 96}, PosCase{10, 180},
                                           PosCase{11, 106}, PosCase{12, 106}, PosCase{13, 100},
                                           PosCase{14, 1080 - 50 - 106}, PosCase{15, 1920}, PosCase{16, 1080},
                                           PosCase{17, 0}, PosCase{18, 10}, PosCase{19, 5}, PosCase{20, 50},
                                           PosCase{21, 0}, PosCase{-1, 0}));

TEST_F(WindowTable, NamedWindowsAnswerFromTheirFrame) {
    testHost().setWindowFrame(9, {10, 20, 300, 200}, false);
    EXPECT_EQ(t_WindowPos(9, 0), 0);
    EXPECT_EQ(t_WindowPos(9, 2), 299);
    EXPECT_EQ(t_WindowPos(9, 3), 199);
    EXPECT_EQ(t_WindowPos(9, 6), 300);
    EXPECT_EQ(t_WindowPos(9, 7), 200);
    EXPECT_EQ(t_WindowPos(9, 12), 200);
    EXPECT_EQ(t_WindowPos(9, 13), 10);
    EXPECT_EQ(t_WindowPos(9, 18), 0);
    CapturedOutput out;
    EXPECT_EQ(t_WindowPos(13, 12), 0);
    EXPECT_EQ(out.text(), "t_WindowPos: Window does not exist.\n");
}

TEST_F(WindowTable, FrameOperationsNeedAHostWindow) {
    testHost().setWindowExists(11, false);
    CapturedOutput out;
    t_WindowSize(11, 0, 0, 10, 10);
    t_WindowCenter(11);
    t_WindowFront(11);
    EXPECT_EQ(out.text(),
              "t_WindowSize: Window does not exist.\nt_WindowCenter: Window does not exist.\n"
              "t_WindowFront: Window does not exist.\n");
    testHost().setWindowExists(11, true);
}

TEST_F(WindowTable, VisibilityFrontAndHiding) {
    initTextWindow(0, 8, 10, 4);
    t_WindowRecord(0).UpdateDuration = 77;
    t_WindowFront(0);
    EXPECT_TRUE(t_WindowRecord(0).Visible);
    EXPECT_TRUE(testHost().window(0).visible);
    EXPECT_EQ(testHost().keyWindow(), 0);
    t_WindowVisible(0, false);
    EXPECT_FALSE(t_WindowRecord(0).Visible);
    EXPECT_EQ(t_WindowRecord(0).UpdateDuration, 0);
    EXPECT_FALSE(testHost().window(0).visible);
}

TEST_F(WindowTable, PasteboardWindowShowsThePasteboardText) {
    testHost().setPasteboardText("Zug E2-E4");
    t_WindowVisible(8, true);
    EXPECT_EQ(testHost().textView(8).text, "Zug E2-E4");
    EXPECT_TRUE(testHost().window(8).visible);
    t_WindowVisible(8, false);
}

TEST_F(WindowTable, MissingTextViewsRingTheBell) {
    testHost().setTextViewExists(9, false);
    const int bells = testHost().bells();
    CapturedOutput out;
    t_WindowVisible(9, true);
    testHost().drain();
    EXPECT_EQ(out.text(), "t_WindowVisible: Virtual printer window is nil, resource undefined.\n");
    EXPECT_EQ(testHost().bells(), bells + 1);
    testHost().setTextViewExists(9, true);
}

TEST_F(WindowTable, TitleVisibilityChangesTheTitleHeight) {
    initTextWindow(0, 8, 10, 4);
    t_SetTitleBarHeight(22);
    t_WindowTitleVisible(0, true);
    EXPECT_EQ(t_WindowRecord(0).TitleHeight, 22);
    t_WindowTitleVisible(0, false);
    EXPECT_EQ(t_WindowRecord(0).TitleHeight, 0);
    EXPECT_FALSE(testHost().window(0).titleVisible);
    t_SetTitleBarHeight(0);
}

TEST_F(WindowTable, MoveVideoMemoryHandlesOverlapAndRefusesOutsideRanges) {
    std::uint8_t* m = memory();
    for (int i = 0; i < 10; ++i) {
        m[100 + i] = std::uint8_t(i);
    }
    t_MoveVideoMemory(100, 103, 7);  // backwards copy
    EXPECT_EQ(m[103], 0);
    EXPECT_EQ(m[109], 6);
    t_MoveVideoMemory(103, 100, 7);  // forwards copy
    EXPECT_EQ(m[100], 0);
    EXPECT_EQ(m[106], 6);
    t_MoveVideoMemory(100, 0, 0);  // nothing
    EXPECT_EQ(m[0], 0xFF);
    // Ranges reaching outside the memory move nothing.
    std::fill(m + t_VideoMemorySize - 4, m + t_VideoMemorySize, 0xAB);
    m[200] = 1;
    CapturedOutput quiet;
    t_MoveVideoMemory(t_VideoMemorySize - 4, 200, 8);
    t_MoveVideoMemory(200, t_VideoMemorySize - 4, 8);
    t_MoveVideoMemory(200, -1, 8);
    EXPECT_EQ(m[200], 1);
    EXPECT_EQ(m[t_VideoMemorySize - 4], 0xAB);
}

struct CheckCase {
    std::uint8_t window;
    bool initialise;
    bool withFont;
    const char* expected;
};

class UniformChecks : public ToolkitTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(UniformChecks, WriteTheirLine) {
    const CheckCase c = GetParam();
    if (c.initialise) {
        CapturedOutput quiet;
        t_InitWindow(c.window, 8, false, 64, 64, 0, 0, c.withFont ? testGreyFont() : t_Font{}, true);
    }
    CapturedOutput out;
    t_CursorHome(c.window);
    EXPECT_EQ(out.text(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, UniformChecks,
    ::testing::Values(CheckCase{8, false, false, "t_CursorHome: Window is not a graphic window.\n"},
                      CheckCase{255, false, false, "t_CursorHome: Window is not a graphic window.\n"},
                      CheckCase{3, false, false, "t_CursorHome: Window #3 not initialized.\n"},
                      CheckCase{3, true, false, "t_CursorHome: Window #3 not initialized.\n"},
                      CheckCase{3, true, true, ""}));

TEST_F(WindowTable, InitialisedOnlyOperationsAcceptWindowsWithoutText) {
    {
        CapturedOutput quiet;
        t_InitWindow(3, 8, false, 64, 64, 0, 0, t_Font{}, true);
    }
    CapturedOutput out;
    t_Color(3, 4);
    EXPECT_EQ(out.text(), "");
    EXPECT_EQ(t_WindowRecord(3).TextColor >> 4, 4);
}

}  // namespace
}  // namespace zarvik::testing
