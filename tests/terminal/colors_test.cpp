#include "terminal/colors.h"

#include <gtest/gtest.h>

#include "toolkit/screen/palette.h"

namespace zarvik::terminal {
namespace {

TEST(TerminalColors, DepthFromTheNumberOfColours) {
    struct Row {
        int colors;
        ColorDepth depth;
    };
    for (const Row& row :
         {Row{-1, ColorDepth::None}, Row{0, ColorDepth::None}, Row{2, ColorDepth::None},
          Row{8, ColorDepth::Sixteen}, Row{16, ColorDepth::Sixteen}, Row{88, ColorDepth::Sixteen},
          Row{256, ColorDepth::TwoFiftySix}, Row{0x1000000, ColorDepth::Direct}}) {
        EXPECT_EQ(colorDepthOf(row.colors), row.depth) << row.colors;
    }
}

// Worked out by hand: the cube levels are 0 95 135 175 215 255, the greys 8 + 10 n from 232.
TEST(TerminalColors, NearestColourAtEachDepth) {
    struct Row {
        t_RGBColor color;
        ColorDepth depth;
        int expected;
    };
    const Row rows[] = {
        {{255, 0, 0, 0}, ColorDepth::Direct, 0x000000},
        {{255, 255, 128, 0}, ColorDepth::Direct, 0xFF8000},
        {{255, 18, 52, 86}, ColorDepth::Direct, 0x123456},
        {{255, 0, 0, 0}, ColorDepth::TwoFiftySix, 16},
        {{255, 255, 255, 255}, ColorDepth::TwoFiftySix, 231},
        {{255, 255, 0, 0}, ColorDepth::TwoFiftySix, 196},
        {{255, 128, 128, 128}, ColorDepth::TwoFiftySix, 244},  // grey ramp 128, nearer than cube 135
        {{255, 95, 135, 175}, ColorDepth::TwoFiftySix, 16 + 36 * 1 + 6 * 2 + 3},
        {{255, 0, 0, 0}, ColorDepth::Sixteen, 0},
        {{255, 255, 255, 255}, ColorDepth::Sixteen, 15},
        {{255, 200, 0, 0}, ColorDepth::Sixteen, 9},
        {{255, 0, 0, 120}, ColorDepth::Sixteen, 4},
        {{255, 190, 190, 190}, ColorDepth::Sixteen, 7},
        {{255, 40, 200, 60}, ColorDepth::None, -1},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(terminalColor(row.color, row.depth), row.expected)
            << int(row.color.Red) << "," << int(row.color.Green) << "," << int(row.color.Blue) << " at depth "
            << int(row.depth);
    }
}

// The palette's black text on white stays readable at every depth, and without colours by inverse.
TEST(TerminalColors, PaletteBlackAndWhiteStayApart) {
    const t_RGBColor black = t_PaletteColor(0);
    const t_RGBColor white = t_PaletteColor(15);
    for (ColorDepth depth : {ColorDepth::Sixteen, ColorDepth::TwoFiftySix, ColorDepth::Direct}) {
        EXPECT_NE(terminalColor(black, depth), terminalColor(white, depth)) << int(depth);
    }
    EXPECT_TRUE(inverseWithoutColor(black, white));
    EXPECT_FALSE(inverseWithoutColor(white, black));
}

}  // namespace
}  // namespace zarvik::terminal
