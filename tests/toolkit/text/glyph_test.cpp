// Glyphs in text cells at every depth, and glyphs at the graphic cursor.
#include <gtest/gtest.h>

#include "tests/toolkit/fixture.h"
#include "toolkit/screen/palette.h"
#include "toolkit/screen/pixels.h"
#include "toolkit/text/glyph.h"

namespace zarvik::testing {
namespace {

constexpr std::uint32_t argb(int a, int r, int g, int b) {
    return t_ColorValue({std::uint8_t(a), std::uint8_t(r), std::uint8_t(g), std::uint8_t(b)});
}

using Glyphs = ToolkitTest;

struct CellCase {
    int depth;
    std::uint32_t ink;         // pixel (1, 0): coverage 255
    std::uint32_t paper;       // pixel (1, 1): coverage 0
    std::uint32_t firstPixel;  // pixel (0, 0): coverage = the code (200)
};

class CellDepths : public ToolkitTest, public ::testing::WithParamInterface<CellCase> {};

// Green (12) on red (1), code 200: coverage 200 in the first pixel mixes both.
TEST_P(CellDepths, DrawTheMixedColours) {
    const CellCase c = GetParam();
    initTextWindow(0, c.depth, 4, 2);
    t_PrintSymbol(0, 200, 0xC1, 2, 2);
    EXPECT_EQ(g_Scrn(0, 9, 16), c.ink);
    EXPECT_EQ(g_Scrn(0, 9, 17), c.paper);
    EXPECT_EQ(g_Scrn(0, 8, 16), c.firstPixel);
    EXPECT_EQ(charAt(0, 2, 2), 200);
    EXPECT_EQ(colorAt(0, 2, 2), 0xC1);
}

// Mixed: red = 0 + 55 * 255 / 255 = 55, green = 200, blue 0; grey = 55 * 85 / 255 + 200 * 85 / 255.
INSTANTIATE_TEST_SUITE_P(
    Table, CellDepths,
    ::testing::Values(CellCase{24, argb(0, 0, 255, 0), argb(0, 255, 0, 0), argb(0, 55, 200, 0)},
                      CellCase{32, argb(255, 0, 255, 0), argb(255, 255, 0, 0), argb(255, 55, 200, 0)},
                      CellCase{8, argb(0, 85, 85, 85), argb(0, 85, 85, 85), argb(0, 84, 84, 84)},
                      CellCase{4, argb(255, 0, 255, 0), argb(255, 255, 0, 0), argb(255, 0, 255, 0)},
                      CellCase{1, argb(255, 0, 0, 0), argb(255, 0, 0, 0), argb(255, 0, 0, 0)}));

TEST_F(Glyphs, OneBitCellsSetBrightMixes) {
    initTextWindow(0, 1, 4, 2);
    t_PrintSymbol(0, 'A', 0xF0, 1, 1);
    EXPECT_EQ(g_Scrn(0, 1, 0, g_Index), 15);
    EXPECT_EQ(g_Scrn(0, 1, 1, g_Index), 0);
}

TEST_F(Glyphs, InverseSwapsTheColoursAndTheStoredByte) {
    initTextWindow(0, 24, 4, 2);
    t_WindowRecord(0).TextInverse = true;
    t_PrintSymbol(0, 'A', 0xC0, 1, 1);
    EXPECT_EQ(colorAt(0, 1, 1), 0x0C);
    EXPECT_EQ(g_Scrn(0, 1, 0), argb(0, 0, 0, 0));
    EXPECT_EQ(g_Scrn(0, 1, 1), argb(0, 0, 255, 0));
}

TEST_F(Glyphs, CodeOutsideTheFontStoresTheCellButDrawsNothing) {
    CapturedOutput quiet;
    t_InitWindow(0, 24, false, 32, 32, 0, 0, testGreyFont(8, 16, 32, 126), true);
    t_PrintSymbol(0, 200, 0xC0, 1, 1);
    EXPECT_EQ(g_Scrn(0, 1, 0), argb(0, 0, 0, 0));
    EXPECT_EQ(charAt(0, 1, 1), 200);
}

struct CoordinateCase {
    int column;
    int line;
};

class IllegalCells : public ToolkitTest, public ::testing::WithParamInterface<CoordinateCase> {};

TEST_P(IllegalCells, AreRefused) {
    initTextWindow(0, 24, 80, 2);
    const auto [column, line] = GetParam();
    const std::uint64_t changes = t_WindowChangeCount(0);
    CapturedOutput quiet;
    t_PrintSymbol(0, 'A', 0xC0, column, line);
    EXPECT_EQ(t_WindowChangeCount(0), changes);
}

INSTANTIATE_TEST_SUITE_P(Table, IllegalCells,
                         ::testing::Values(CoordinateCase{81, 1}, CoordinateCase{1, 3}, CoordinateCase{0, 1},
                                           CoordinateCase{1, 0}, CoordinateCase{-5, -5}));

TEST_F(Glyphs, SmallerFontCannotAddressCellsBeyondTheTextBlock) {
    initTextWindow(0, 24, 4, 2);                  // 32 x 32 pixels, 4 x 2 cells
    t_WindowRecord(0).Font = testGreyFont(4, 8);  // would fit 8 x 4 cells by pixels
    const std::uint64_t changes = t_WindowChangeCount(0);
    CapturedOutput quiet;
    t_PrintSymbol(0, 'A', 0xC0, 8, 4);
    EXPECT_EQ(t_WindowChangeCount(0), changes);
}

TEST_F(Glyphs, RedirectedCellsGoToStandardOutput) {
    initTextWindow(0, 24, 4, 2);
    t_WindowRecord(0).TextRedirectOutput = 2;
    CapturedOutput out;
    t_PrintSymbol(0, 'A', 0xC0, 1, 1);
    t_PrintSymbol(0, 0xE4, 0xC0, 2, 1);
    EXPECT_EQ(out.text(), "A\u00E4");
    EXPECT_EQ(charAt(0, 1, 1), ' ');
    t_WindowRecord(0).TextRedirectOutput = 0;
    CapturedOutput none;
    t_PrintSymbol(0, 'A', 0xC0, 1, 1);
    EXPECT_EQ(none.text(), "");
}

TEST_F(Glyphs, CompressedOrUnknownFontFormatsAreReported) {
    initTextWindow(0, 24, 4, 2);
    t_WindowRecord(0).Font.Format = 102;
    CapturedOutput out;
    t_PrintSymbol(0, 'A', 0xC0, 1, 1);
    t_WindowRecord(0).Font.Format = 7;
    t_PrintSymbol(0, 'B', 0xC0, 1, 1);
    EXPECT_EQ(out.text(),
              "t_PrintSymbol: Font format must be uncompressed grey for text-printing.\n"
              "t_PrintSymbol: Illegal font format.\n");
    EXPECT_EQ(charAt(0, 1, 1), 'B');
}

TEST_F(Glyphs, NotInitialisedWindowsAreReported) {
    CapturedOutput out;
    t_PrintSymbol(9, 'A', 0xC0, 1, 1);
    t_PrintSymbol(1, 'A', 0xC0, 1, 1);
    EXPECT_EQ(out.text(),
              "t_PrintSymbol: Window is not a graphic window.\nt_PrintSymbol: Window #1 not initialized.\n");
}

TEST_F(Glyphs, ScaledGreySymbolAdvancesAndBlends) {
    CapturedOutput quiet;
    t_InitWindow(0, 24, false, 64, 64, 0, 0, t_Font{}, true);
    g_GotoXY(0, 2, 3);
    const t_Font font = testGreyFont(8, 16);
    g_PrintSymbol(0, 'A', 2, 2, argb(255, 255, 255, 0), argb(255, 0, 0, 255), font);
    EXPECT_EQ(t_WindowRecord(0).PositionX, 2 + 16);
    EXPECT_EQ(t_WindowRecord(0).PositionY, 3);
    // Row 0 (coverage 255) covers window rows 3 and 4; pixel 1 of it covers columns 4 and 5.
    EXPECT_EQ(g_Scrn(0, 5, 4), argb(0, 255, 255, 0));
    EXPECT_EQ(g_Scrn(0, 5, 5), argb(0, 0, 0, 255));
}

TEST_F(Glyphs, ScaledSymbolIsClippedAtTheWindowEdge) {
    CapturedOutput quiet;
    t_InitWindow(0, 24, false, 32, 32, 0, 0, t_Font{}, true);
    g_GotoXY(0, 20, 10);  // the unscaled 8 x 16 glyph fits, the 4 x 4 enlarged one does not
    g_PrintSymbol(0, 'A', 4, 4, argb(255, 255, 255, 255), argb(255, 0, 0, 0), testGreyFont(8, 16));
    EXPECT_EQ(g_Scrn(0, 31, 10), argb(0, 255, 255, 255));
    EXPECT_EQ(t_WindowRecord(0).PositionX, 20 + 32);
}

TEST_F(Glyphs, MonochromeSymbolPlotsBothColoursAndAdvancesFromItsStart) {
    CapturedOutput quiet;
    t_InitWindow(0, 24, false, 32, 32, 0, 0, t_Font{}, true);
    t_Font mono;
    mono.Format = t_FontFormatMonochrome;
    mono.Start = 'A';
    mono.End = 'A';
    mono.Width = 8;
    mono.Height = 2;
    mono.Data = {0x01, 0x80};  // row 0: pixel 0 set; row 1: pixel 7 set
    g_GotoXY(0, 4, 4);
    g_PrintSymbol(0, 'A', 1, 1, argb(255, 9, 9, 9), argb(255, 1, 1, 1), mono);
    EXPECT_EQ(g_Scrn(0, 4, 4), argb(0, 9, 9, 9));
    EXPECT_EQ(g_Scrn(0, 5, 4), argb(0, 1, 1, 1));
    EXPECT_EQ(g_Scrn(0, 11, 5), argb(0, 9, 9, 9));
    EXPECT_EQ(t_WindowRecord(0).PositionX, 12);
    EXPECT_EQ(t_WindowRecord(0).PositionY, 4);
}

TEST_F(Glyphs, SymbolsThatDoNotFitOrAreOutsideTheFontDrawNothing) {
    {
        CapturedOutput quiet;
        t_InitWindow(0, 24, false, 32, 32, 0, 0, t_Font{}, true);
    }
    const t_Font font = testGreyFont(8, 16, 40, 90);
    for (const auto& [x, y, code, scale] :
         {std::tuple{25, 0, 'A', 1}, std::tuple{0, 17, 'A', 1}, std::tuple{0, 0, '!', 1},
          std::tuple{0, 0, 'z', 1}, std::tuple{0, 0, 'A', 0}}) {
        g_GotoXY(0, x, y);
        g_PrintSymbol(0, std::uint8_t(code), scale, 1, argb(255, 255, 255, 255), 0, font);
        EXPECT_EQ(t_WindowRecord(0).PositionX, x);
    }
    EXPECT_EQ(g_Scrn(0, 1, 0), argb(0, 0, 0, 0));
    CapturedOutput out;
    t_Font packed = font;
    packed.Format = 102;
    g_GotoXY(0, 0, 0);
    g_PrintSymbol(0, 'A', 1, 1, 0, 0, packed);
    EXPECT_EQ(out.text(),
              "g_PrintSymbol: Font format must be uncompressed monochrome or grey for printing.\n");
}

}  // namespace
}  // namespace zarvik::testing
