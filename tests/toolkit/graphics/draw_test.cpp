// Drawing images into windows: block sizes, transparency, colour handling per format, clipping,
// the expansion of stored forms and refused graphics.
#include <gtest/gtest.h>

#include <array>

#include "tests/toolkit/fixture.h"
#include "tests/toolkit/graphics/printing.h"
#include "toolkit/graphics/graphicdraw.h"
#include "toolkit/graphics/graphicpack.h"
#include "toolkit/screen/palette.h"
#include "toolkit/screen/pixels.h"

namespace zarvik::testing {
namespace {

constexpr std::uint32_t argb(int a, int r, int g, int b) {
    return t_ColorValue({std::uint8_t(a), std::uint8_t(r), std::uint8_t(g), std::uint8_t(b)});
}

g_Graphic picture(int format, int w, int h, Bytes data, int scaleWidth = 1, int scaleHeight = 1) {
    g_Graphic g;
    g.Format = format;
    g.Width = w;
    g.Height = h;
    g.Size = std::int64_t(w) * h;
    g.ScaleWidth = scaleWidth;
    g.ScaleHeight = scaleHeight;
    g.Data = std::move(data);
    return g;
}

class Draw : public ToolkitTest {
  protected:
    void window(int depth, int width = 64, int height = 32) {
        CapturedOutput quiet;
        t_InitWindow(0, depth, false, width, height, 0, 0, t_Font{}, true);
        ASSERT_TRUE(t_WindowRecord(0).Initialized);
    }
    Bytes block() {
        const t_Window& w = t_WindowRecord(0);
        return Bytes(memory() + w.MemoryStart, memory() + w.MemoryEnd + 1);
    }
    void fill(std::uint32_t colour) {
        for (int y = 0; y < t_WindowRecord(0).Height; ++y) {
            for (int x = 0; x < t_WindowRecord(0).Width; ++x) {
                g_Plot(0, x, y, colour);
            }
        }
    }
};

TEST_F(Draw, ScaleZeroMeansSixteen) {
    window(8);
    g_Draw(0, picture(g_FormatGrey, 1, 1, {200}, 0, 1), 0, 0, 1, -1);
    for (int x = 0; x < 16; ++x) {
        EXPECT_EQ(g_Scrn(0, x, 0), argb(0, 200, 200, 200)) << x;
    }
    EXPECT_EQ(g_Scrn(0, 16, 0), argb(0, 0, 0, 0));
    EXPECT_EQ(g_Scrn(0, 0, 1), argb(0, 0, 0, 0));
}

TEST_F(Draw, StoredScaleTimesCallerScale) {
    window(24);
    g_Draw(0, picture(g_FormatRGBColor, 2, 1, {1, 2, 3, 4, 5, 6}, 1, 2), 3, 5, 2, -1);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 64; ++x) {
            const bool inside = x >= 3 && x < 7 && y >= 5 && y < 9;
            const std::uint32_t want = !inside ? argb(0, 0, 0, 0)
                                       : x < 5 ? argb(0, 1, 2, 3)
                                               : argb(0, 4, 5, 6);
            ASSERT_EQ(g_Scrn(0, x, y), want) << x << "," << y;
        }
    }
    EXPECT_EQ(t_WindowRecord(0).PositionX, 6);
    EXPECT_EQ(t_WindowRecord(0).PositionY, 8);
}

// Monochrome and indexed pixels whose palette index equals `transparent` are left out.
TEST_F(Draw, Transparency) {
    struct Case {
        int format;
        Bytes data;
        int transparent;
        int want[3];  // palette index of each pixel afterwards; 9 was there before
    };
    const Case cases[] = {
        {g_FormatMonochrome, {0, 1, 2}, 0, {9, 15, 9}},
        {g_FormatMonochrome, {0, 1, 2}, 15, {0, 9, 0}},
        {g_FormatMonochrome, {0, 1, 2}, -1, {0, 15, 0}},
        {g_FormatIndexedColor, {3, 5, 0x13}, 3, {9, 5, 9}},
        {g_FormatIndexedColor, {3, 5, 0x13}, -1, {3, 5, 3}},
    };
    for (const Case& c : cases) {
        window(4);
        fill(t_ColorValue(t_PaletteColor(9)));
        g_Draw(0, picture(c.format, 3, 1, c.data), 0, 0, 1, c.transparent);
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(g_Scrn(0, x, 0, g_Index), c.want[x])
                << c.format << " transparent " << c.transparent << " x " << x;
        }
    }
}

// Two pixels of every format drawn at every depth. At depths 1 and 4 a window pixel is a palette
// index: true colours take the nearest palette entry at depth 4 and white or black by brightness
// (sum above 383) at depth 1.
struct FormatAtDepths {
    const char* name;
    int format;
    Bytes pixels;               // two pixels
    std::array<int, 2> depth1;  // index form
    std::array<int, 2> depth4;  // index form
    std::array<std::uint32_t, 2> depth8;
    std::array<std::uint32_t, 2> depth16;
    std::array<std::uint32_t, 2> depth24;
    std::array<std::uint32_t, 2> depth32;
};

// Palette entries 9 (orange) and 2 (dark blue) with the given alpha.
constexpr std::uint32_t orange(int alpha) {
    return argb(alpha, 255, 128, 0);
}
constexpr std::uint32_t navy(int alpha) {
    return argb(alpha, 0, 0, 128);
}

constexpr std::uint32_t grey(int alpha, int level) {
    return argb(alpha, level, level, level);
}

class DrawEveryDepth : public Draw, public ::testing::WithParamInterface<FormatAtDepths> {};

TEST_P(DrawEveryDepth, GivesTheExpectedPixels) {
    const FormatAtDepths& c = GetParam();
    for (const int depth : {1, 4, 8, 16, 24, 32}) {
        window(depth);
        g_Draw(0, picture(c.format, 2, 1, c.pixels), 8, 3, 1, -1);
        for (int i = 0; i < 2; ++i) {
            const int x = 8 + i;
            switch (depth) {
                case 1:
                    EXPECT_EQ(g_Scrn(0, x, 3, g_Index), c.depth1[i]) << "depth 1 pixel " << i;
                    break;
                case 4:
                    EXPECT_EQ(g_Scrn(0, x, 3, g_Index), c.depth4[i]) << "depth 4 pixel " << i;
                    break;
                case 8:
                    EXPECT_EQ(g_Scrn(0, x, 3), c.depth8[i]) << "depth 8 pixel " << i;
                    break;
                case 16:
                    EXPECT_EQ(g_Scrn(0, x, 3), c.depth16[i]) << "depth 16 pixel " << i;
                    break;
                case 24:
                    EXPECT_EQ(g_Scrn(0, x, 3), c.depth24[i]) << "depth 24 pixel " << i;
                    break;
                default:
                    EXPECT_EQ(g_Scrn(0, x, 3), c.depth32[i]) << "depth 32 pixel " << i;
                    break;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, DrawEveryDepth,
                         ::testing::Values(FormatAtDepths{"Monochrome",
                                                          g_FormatMonochrome,
                                                          {1, 0},
                                                          {15, 0},
                                                          {15, 0},
                                                          {grey(0, 255), grey(0, 0)},
                                                          {grey(255, 255), grey(255, 0)},
                                                          {grey(0, 255), grey(0, 0)},
                                                          {grey(255, 255), grey(255, 0)}},
                                           FormatAtDepths{"Indexed",
                                                          g_FormatIndexedColor,
                                                          {9, 2},
                                                          {15, 0},
                                                          {9, 2},
                                                          {grey(0, 127), grey(0, 42)},
                                                          {grey(255, 127), grey(255, 42)},
                                                          {orange(0), navy(0)},
                                                          {orange(255), navy(255)}},
                                           FormatAtDepths{"Grey",
                                                          g_FormatGrey,
                                                          {150, 60},
                                                          {15, 0},
                                                          {10, 0},
                                                          {grey(0, 150), grey(0, 60)},
                                                          {grey(255, 150), grey(255, 60)},
                                                          {grey(0, 150), grey(0, 60)},
                                                          {grey(255, 150), grey(255, 60)}},
                                           FormatAtDepths{"RGB",
                                                          g_FormatRGBColor,
                                                          {255, 160, 0, 0, 0, 128},
                                                          {15, 0},
                                                          {9, 2},
                                                          {grey(0, 138), grey(0, 42)},
                                                          {grey(255, 138), grey(255, 42)},
                                                          {argb(0, 255, 160, 0), argb(0, 0, 0, 128)},
                                                          {argb(255, 255, 160, 0), argb(255, 0, 0, 128)}},
                                           FormatAtDepths{"AGrey",
                                                          g_FormatAGrey,
                                                          {77, 150, 255, 60},
                                                          {15, 0},
                                                          {10, 0},
                                                          {grey(0, 150), grey(0, 60)},
                                                          {grey(77, 150), grey(255, 60)},
                                                          {grey(0, 150), grey(0, 60)},
                                                          {grey(77, 150), grey(255, 60)}},
                                           FormatAtDepths{"ARGB",
                                                          g_FormatARGBColor,
                                                          {77, 255, 160, 0, 255, 0, 0, 128},
                                                          {15, 0},
                                                          {9, 2},
                                                          {grey(0, 138), grey(0, 42)},
                                                          {grey(77, 138), grey(255, 42)},
                                                          {argb(0, 255, 160, 0), argb(0, 0, 0, 128)},
                                                          {argb(77, 255, 160, 0), argb(255, 0, 0, 128)}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Draw, AlphaBlendsInModeOneOnThirtyTwoBits) {
    window(32);
    fill(argb(255, 255, 255, 255));
    t_WindowRecord(0).DrawingMode = 1;
    g_Draw(0, picture(g_FormatARGBColor, 1, 1, {128, 255, 0, 0}), 0, 0, 1, -1);
    EXPECT_EQ(g_Scrn(0, 0, 0), argb(255, 255, 127, 127));
}

TEST_F(Draw, ClippedAtEveryEdge) {
    window(24, 32, 32);
    Bytes data;
    for (int i = 0; i < 10 * 10; ++i) {
        data.insert(data.end(), {std::uint8_t(i), std::uint8_t(i + 1), 5});
    }
    const g_Graphic g = picture(g_FormatRGBColor, 10, 10, data, 2, 3);
    for (const auto& [ox, oy] : {std::pair{-3, -2}, {25, 20}, {-40, 0}, {0, 40}}) {
        window(24, 32, 32);
        g_Draw(0, g, ox, oy, 2, -1);
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const int c = x - ox >= 0 ? (x - ox) / 4 : -1;
                const int r = y - oy >= 0 ? (y - oy) / 6 : -1;
                const bool inside = c >= 0 && c < 10 && r >= 0 && r < 10;
                const int i = r * 10 + c;
                ASSERT_EQ(g_Scrn(0, x, y), inside ? argb(0, i, i + 1, 5) : argb(0, 0, 0, 0))
                    << ox << "," << oy << " at " << x << "," << y;
            }
        }
    }
}

// The drawing colour comes back; the text colour stays at the image's last drawn pixel, also
// when that pixel lies outside the window.
TEST_F(Draw, ColourStateAfterDrawing) {
    window(4);
    const t_RGBColor before{200, 10, 20, 30};
    t_WindowRecord(0).RGBColor = before;
    g_Draw(0, picture(g_FormatIndexedColor, 4, 1, {1, 2, 3, 4}), 62, 0, 1, -1);
    EXPECT_EQ(t_WindowRecord(0).RGBColor, before);
    EXPECT_EQ(t_WindowRecord(0).TextColor >> 4, 4);
    g_Draw(0, picture(g_FormatIndexedColor, 4, 1, {1, 2, 3, 4}), 62, 0, 1, 4);
    EXPECT_EQ(t_WindowRecord(0).TextColor >> 4, 3) << "a transparent last pixel sets no colour";
    g_Draw(0, picture(g_FormatIndexedColor, 2, 1, {6, 7}), 0, 0, 0, -1);
    EXPECT_EQ(t_WindowRecord(0).TextColor >> 4, 7) << "scale 0 draws nothing but still picks the colours";
    EXPECT_EQ(g_Scrn(0, 0, 0, g_Index), 0);
}

TEST_F(Draw, ChosenColourPlotsLikeADrawnPixel) {
    struct Case {
        int depth, r, g, b, index;
    };
    for (const Case c : {Case{4, 255, 255, 255, 15}, Case{4, 250, 10, 10, 1}, Case{4, 0, 200, 0, 12},
                         Case{4, 100, 100, 100, 5}, Case{1, 255, 255, 255, 15}, Case{1, 200, 200, 10, 15},
                         Case{1, 100, 100, 100, 0}, Case{1, 250, 10, 10, 0}}) {
        SCOPED_TRACE(::testing::Message() << c.depth << " bits " << c.r << "," << c.g << "," << c.b);
        window(c.depth);
        g_ColorRGB(0, argb(255, c.r, c.g, c.b));
        g_Plot(0, 0, 0);
        g_Draw(0, picture(g_FormatRGBColor, 1, 1, {std::uint8_t(c.r), std::uint8_t(c.g), std::uint8_t(c.b)}),
               1, 0, 1, -1);
        EXPECT_EQ(g_Scrn(0, 0, 0, g_Index), c.index);
        EXPECT_EQ(g_Scrn(0, 1, 0, g_Index), c.index);
    }
}

TEST_F(Draw, StoredFormsDrawLikeThePlainImage) {
    Bytes data;
    for (int i = 0; i < 12 * 12; ++i) {
        data.insert(data.end(), {255, std::uint8_t(i / 12 * 20), std::uint8_t(i % 12 * 20), 77});
    }
    const g_Graphic plain = picture(g_FormatARGBColor, 12, 12, data);
    window(32);
    g_Draw(0, plain, 4, 4, 1, -1);
    const Bytes want = block();
    for (const g_Graphic& stored : {g_Pack(plain), g_CompressRLE(g_Pack(plain)), g_CompressLZW(plain),
                                    g_CompressLZW(g_CompressRLE(g_Pack(plain)))}) {
        window(32);
        g_Draw(0, stored, 4, 4, 1, -1);
        EXPECT_EQ(block(), want) << "format " << stored.Format;
    }
}

TEST_F(Draw, RefusedGraphicsDrawNothing) {
    CapturedOutput quiet;
    std::vector<g_Graphic> refused;
    for (int format : {6, 7, 9, 12, 99, 106, 199, 255, -3}) {
        refused.push_back(picture(format, 2, 2, {1, 2, 3, 4}));
    }
    refused.push_back(picture(g_FormatRGBColor, 4, 4, {1, 2, 3}));         // fewer pixels than claimed
    refused.push_back(picture(g_FormatGrey, 65535, 65535, {1, 2, 3, 4}));  // a huge header on tiny data
    refused.push_back(picture(g_FormatGrey, -2, 2, {1, 2, 3, 4}));
    g_Graphic packed = g_Pack(picture(g_FormatARGBColor, 2, 2, Bytes(16, 255)));
    packed.Size = 4'000'000'000;
    refused.push_back(packed);
    g_Graphic bomb = picture(g_FormatRLEGrey, 4, 4, {0, 0, 241, 0xFF, 0xFF, 0xFF, 0xFF, 7});
    refused.push_back(bomb);
    refused.push_back(g_CompressLZW(bomb));
    // Coded data that would expand beyond the video memory is not expanded.
    refused.push_back(picture(g_FormatRLEGrey, 65535, 65535, {0, 0, 241, 0xFF, 0xFF, 0xFF, 0xFF, 7}));
    quiet.text();
    for (const g_Graphic& g : refused) {
        window(24);
        const Bytes before = block();
        CapturedOutput out;
        g_Draw(0, g, 0, 0, 1, -1);
        const auto lines = out.lines();
        ASSERT_FALSE(lines.empty()) << "format " << g.Format;
        EXPECT_EQ(lines.back(), "g_Draw: Illegal graphic format.") << "format " << g.Format;
        EXPECT_EQ(block(), before) << "format " << g.Format;
    }
}

TEST_F(Draw, WindowChecks) {
    const g_Graphic g = picture(g_FormatGrey, 1, 1, {1});
    for (const auto& [number, line] :
         {std::pair<std::uint8_t, std::string>{8, "g_Draw: Window is not a graphic window."},
          {255, "g_Draw: Window is not a graphic window."},
          {3, "g_Draw: Graphic window #3 not initialized."}}) {
        CapturedOutput out;
        g_Draw(number, g, 0, 0, 1, -1);
        EXPECT_EQ(out.lines(), std::vector<std::string>{line});
    }
}

}  // namespace
}  // namespace zarvik::testing
