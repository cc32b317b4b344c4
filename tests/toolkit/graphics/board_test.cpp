// The board's 26 square images as shipped: their files, their stored form, and a whole board of
// them drawn into a 24-bit window (also written as a picture for people to look at).
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/toolkit/fixture.h"
#include "toolkit/graphics/graphicdraw.h"
#include "toolkit/graphics/graphicfile.h"
#include "toolkit/graphics/graphicpack.h"
#include "toolkit/screen/pixels.h"

namespace zarvik::testing {
namespace {

const char* const kSquareFiles[] = {"EW.gr",  "EB.gr",  "PWW.gr", "PBW.gr", "PWB.gr", "PBB.gr", "RWW.gr",
                                    "RBW.gr", "RWB.gr", "RBB.gr", "KWW.gr", "KBW.gr", "KWB.gr", "KBB.gr",
                                    "BWW.gr", "BBW.gr", "BWB.gr", "BBB.gr", "GWW.gr", "GBW.gr", "GWB.gr",
                                    "GBB.gr", "QWW.gr", "QBW.gr", "QWB.gr", "QBB.gr"};

g_Graphic expand(const g_Graphic& g) {
    return g_UnPack(g_DecompressRLE(g_DecompressLZW(g)));
}

class SquareImages : public ToolkitTest {};

TEST_F(SquareImages, AreFortySquareStoredThroughTheWholeChain) {
    CapturedOutput quiet;
    std::set<Bytes> pictures;
    for (const char* name : kSquareFiles) {
        const g_Graphic stored = g_LoadGraphicResource(name);
        EXPECT_EQ(stored.Format, g_FormatLZW + g_FormatRLEPackedARGBColor) << name;
        EXPECT_EQ(stored.Width, 40) << name;
        EXPECT_EQ(stored.Height, 40) << name;
        EXPECT_EQ(stored.Size, 1600) << name;
        const g_Graphic plain = expand(stored);
        ASSERT_EQ(plain.Format, g_FormatARGBColor) << name;
        ASSERT_EQ(plain.Data.size(), 1600u * 4) << name;
        pictures.insert(plain.Data);
    }
    EXPECT_EQ(pictures.size(), std::size(kSquareFiles)) << "every square image is a picture of its own";
}

// The starting position as the board display lays it out: rank 8 at the top, a8 light.
TEST_F(SquareImages, DrawAsABoard) {
    CapturedOutput quiet;
    t_InitWindow(0, 24, false, 416, 416, 0, 0, t_Font{}, true);
    ASSERT_TRUE(t_WindowRecord(0).Initialized);
    const std::string ranks[8] = {"RKBQGBKR", "PPPPPPPP", "        ", "        ",
                                  "        ", "        ", "pppppppp", "rkbqgbkr"};
    for (int i = 0; i < 8; ++i) {
        for (int j = 0; j < 8; ++j) {
            const bool light = (i + j) % 2 == 0;
            const char piece = ranks[7 - i][static_cast<std::size_t>(j)];
            std::string name = piece == ' ' ? std::string("E") : std::string(1, char(std::toupper(piece)));
            if (piece != ' ') {
                name += std::isupper(piece) ? 'W' : 'B';
            }
            name += light ? "W.gr" : "B.gr";
            g_Draw(0, g_LoadGraphicResource(name), 48 + 40 * j, 48 + 40 * i, 1, -1);
        }
    }
    // The empty squares of rank 5 keep their own tones; the white king's square is no plain square.
    const std::uint32_t light = g_Scrn(0, 48 + 2, 48 + 3 * 40 + 2);
    const std::uint32_t dark = g_Scrn(0, 48 + 40 + 2, 48 + 3 * 40 + 2);
    EXPECT_NE(light, dark);
    EXPECT_NE(g_Scrn(0, 48 + 4 * 40 + 20, 48 + 7 * 40 + 20), g_Scrn(0, 48 + 20, 48 + 4 * 40 + 20));
    EXPECT_TRUE(testHost().writeWindowImage(0, ZARVIK_BOARD_PICTURE));
}

}  // namespace
}  // namespace zarvik::testing
