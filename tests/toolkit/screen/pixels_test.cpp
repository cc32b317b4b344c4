// Pixels at every depth, the drawing modes and the graphic checks.
#include <gtest/gtest.h>

#include "tests/toolkit/fixture.h"
#include "toolkit/screen/palette.h"
#include "toolkit/screen/pixels.h"

namespace zarvik::testing {
namespace {

constexpr std::uint32_t argb(int a, int r, int g, int b) {
    return t_ColorValue({std::uint8_t(a), std::uint8_t(r), std::uint8_t(g), std::uint8_t(b)});
}

class Pixels : public ToolkitTest {
  protected:
    void graphicWindow(int depth) {
        CapturedOutput quiet;
        t_InitWindow(0, depth, false, 64, 32, 0, 0, t_Font{}, true);
        ASSERT_TRUE(t_WindowRecord(0).Initialized);
    }
};

struct DepthCase {
    int depth;
    std::uint32_t plotted;
    std::uint32_t readBack;
    int index;
};

class PixelDepths : public Pixels, public ::testing::WithParamInterface<DepthCase> {};

TEST_P(PixelDepths, PlotAndReadBack) {
    const DepthCase c = GetParam();
    graphicWindow(c.depth);
    for (int x : {0, 1, 7, 8, 63}) {
        g_Plot(0, x, 31, c.plotted);
        EXPECT_EQ(g_Scrn(0, x, 31), c.readBack) << "x " << x;
        EXPECT_EQ(g_Scrn(0, x, 31, g_Index), c.index) << "x " << x;
    }
    // Neighbours stay black.
    EXPECT_EQ(g_Scrn(0, 2, 31, g_Index), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PixelDepths,
    ::testing::Values(DepthCase{1, argb(255, 255, 255, 255), argb(255, 255, 255, 255), 15},
                      DepthCase{1, argb(255, 255, 0, 0), argb(255, 0, 0, 0), 0},  // red is index 1: below 9
                      DepthCase{4, argb(255, 255, 0, 0), argb(255, 255, 0, 0), 1},
                      DepthCase{4, argb(255, 100, 100, 100), argb(255, 84, 84, 84), 5},
                      DepthCase{8, argb(255, 255, 0, 0), argb(0, 85, 85, 85), 0},
                      DepthCase{16, argb(77, 30, 60, 90), argb(77, 60, 60, 60), 0},
                      DepthCase{24, argb(255, 1, 2, 3), argb(0, 1, 2, 3), 0},
                      DepthCase{32, argb(9, 1, 2, 3), argb(9, 1, 2, 3), 15}));

struct ModeCase {
    int depth;
    int mode;
    std::uint32_t before;
    std::uint32_t plotted;
    std::uint32_t after;
};

class DrawingModes : public Pixels, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(DrawingModes, CombineOldAndNew) {
    const ModeCase c = GetParam();
    graphicWindow(c.depth);
    g_Plot(0, 5, 5, c.before);
    t_WindowRecord(0).DrawingMode = c.mode;
    g_Plot(0, 5, 5, c.plotted);
    EXPECT_EQ(g_Scrn(0, 5, 5), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DrawingModes,
    ::testing::Values(
        ModeCase{24, 1, argb(0, 100, 200, 50), argb(0, 50, 100, 151), argb(0, 75, 150, 100)},
        ModeCase{24, 2, argb(0, 100, 200, 50), argb(0, 1, 2, 3), argb(0, 1, 2, 3)},
        ModeCase{24, 5, argb(0, 0xF0, 0x0F, 0xFF), argb(0, 0x3C, 0x3C, 0x00), argb(0, 0x30, 0x0C, 0)},
        ModeCase{24, 6, argb(0, 0xF0, 0x0F, 0x00), argb(0, 0x0F, 0x0F, 0x01), argb(0, 0xFF, 0x0F, 0x01)},
        ModeCase{24, 8, argb(0, 1, 2, 3), argb(0, 9, 9, 9), argb(0, 1, 2, 3)},
        ModeCase{32, 0, argb(255, 1, 1, 1), argb(7, 9, 9, 9), argb(7, 9, 9, 9)},
        ModeCase{32, 1, argb(255, 255, 255, 255), argb(128, 255, 0, 0), argb(255, 255, 127, 127)},
        ModeCase{32, 2, argb(7, 1, 1, 1), argb(9, 4, 5, 6), argb(255, 4, 5, 6)},
        ModeCase{32, 3, argb(7, 1, 1, 1), argb(9, 4, 5, 6), argb(7, 4, 5, 6)},
        ModeCase{32, 4, argb(7, 10, 20, 30), argb(9, 20, 40, 61), argb(7, 15, 30, 45)},
        ModeCase{32, 7, argb(7, 0xFF, 0, 0x0F), argb(9, 0x0F, 0, 0x0F), argb(7, 0xF0, 0, 0)},
        ModeCase{32, 9, argb(7, 1, 2, 3), argb(9, 4, 5, 6), argb(7, 1, 2, 3)}));

TEST_F(Pixels, PlotOutsideChangesNothingAndKeepsTheCursor) {
    graphicWindow(24);
    g_Plot(0, 4, 6, argb(255, 1, 1, 1));
    EXPECT_EQ(t_WindowRecord(0).PositionX, 4);
    EXPECT_EQ(t_WindowRecord(0).PositionY, 6);
    const std::uint64_t changes = t_WindowChangeCount(0);
    g_Plot(0, 64, 0, argb(255, 1, 1, 1));
    g_Plot(0, -1, 0, argb(255, 1, 1, 1));
    g_Plot(0, 0, 32, argb(255, 1, 1, 1));
    EXPECT_EQ(t_WindowRecord(0).PositionX, 4);
    EXPECT_EQ(t_WindowChangeCount(0), changes);
    EXPECT_EQ(g_Scrn(0, 64, 0), 255u);
    EXPECT_EQ(g_Scrn(0, 0, -1, g_Index), 0);
}

TEST_F(Pixels, WindowColourFormUsesTheTextColourOnSmallDepths) {
    graphicWindow(4);
    t_WindowRecord(0).TextColor = 0x9C;
    g_Plot(0, 1, 1);
    EXPECT_EQ(g_Scrn(0, 1, 1, g_Index), 9);
    graphicWindow(1);
    t_WindowRecord(0).TextColor = 0x90;
    g_Plot(0, 1, 1);
    EXPECT_EQ(g_Scrn(0, 1, 1, g_Index), 15);
    t_WindowRecord(0).TextColor = 0x8F;
    g_Plot(0, 1, 1);
    EXPECT_EQ(g_Scrn(0, 1, 1, g_Index), 0);
}

TEST_F(Pixels, ColorRGBSetsTheDrawingColourAndSmallDepthTextColour) {
    graphicWindow(4);
    g_ColorRGB(0, argb(255, 255, 255, 255));
    EXPECT_EQ(t_WindowRecord(0).TextColor >> 4, 15);
    graphicWindow(24);
    g_ColorRGB(0, argb(3, 4, 5, 6));
    EXPECT_EQ(t_WindowRecord(0).RGBColor, (t_RGBColor{3, 4, 5, 6}));
    g_Plot(0, 0, 0);
    EXPECT_EQ(g_Scrn(0, 0, 0), argb(0, 4, 5, 6));
}

TEST_F(Pixels, GotoXYIgnoresNegativePositions) {
    graphicWindow(8);
    g_GotoXY(0, 10, 12);
    g_GotoXY(0, -1, 5);
    EXPECT_EQ(t_WindowRecord(0).PositionX, 10);
    EXPECT_EQ(t_WindowRecord(0).PositionY, 12);
    g_GotoXY(0, 5000, 1);  // no upper bound
    EXPECT_EQ(t_WindowRecord(0).PositionX, 5000);
}

TEST_F(Pixels, ChecksWriteTheGraphicWording) {
    CapturedOutput out;
    g_Plot(9, 0, 0, 0);
    g_Plot(2, 0, 0);
    EXPECT_EQ(g_Scrn(2, 0, 0), 255u);
    g_GotoXY(8, 0, 0);
    g_ColorRGB(12, 0);
    g_ColorRGB(2, 0);
    EXPECT_EQ(out.text(),
              "g_Plot: Window is not a graphic window.\n"
              "g_Plot: Graphic window #2 not initialized.\n"
              "g_Scrn: Graphic window #2 not initialized.\n"
              "g_GotoXY: Window is not a graphic window.\n"
              "g_ColorRGB: Illegal window (12).\n"
              "g_ColorRGB: Graphic window #2 not initialized.\n");
}

TEST(Palette, ColoursAndIndexes) {
    EXPECT_EQ(t_PaletteColor(5), (t_RGBColor{255, 84, 84, 84}));
    EXPECT_EQ(t_PaletteColor(16), (t_RGBColor{255, 0, 0, 0}));
    EXPECT_EQ(t_PaletteColor(-1), (t_RGBColor{255, 0, 0, 0}));
    struct Case {
        int r, g, b, index;
    };
    for (const Case c :
         {Case{100, 100, 100, 5}, Case{250, 10, 10, 1}, Case{63, 63, 63, 0}, Case{64, 64, 64, 5},
          Case{128, 128, 128, 10}, Case{192, 192, 192, 15}, Case{0, 0, 129, 2}, Case{0, 200, 0, 12}}) {
        EXPECT_EQ(t_PaletteIndex(c.r, c.g, c.b), c.index) << c.r << "," << c.g << "," << c.b;
    }
    for (int i = 0; i < 16; ++i) {
        const t_RGBColor c = t_PaletteColor(i);
        if (!(c.Red == c.Green && c.Green == c.Blue)) {
            EXPECT_EQ(t_PaletteIndex(c.Red, c.Green, c.Blue), i);
        }
    }
}

}  // namespace
}  // namespace zarvik::testing
