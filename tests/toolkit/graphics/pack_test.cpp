// Packing, run-length and LZW forms of images: round trips for every format, the packed-alpha
// rules, and damaged or oversized data that must pass through unchanged instead of being lost.
#include <gtest/gtest.h>

#include "tests/toolkit/fixture.h"
#include "tests/toolkit/graphics/printing.h"
#include "toolkit/graphics/graphicpack.h"
#include "util/lzw.h"
#include "util/rle.h"

namespace zarvik::testing {
namespace {

// A w x h image of `format` whose pixel bytes follow a pattern with runs and noise, so every
// coder has both to do.
g_Graphic image(int format, int w, int h, std::size_t pixelBytes, bool sharedAlpha = false) {
    g_Graphic g;
    g.Format = format;
    g.Width = w;
    g.Height = h;
    g.Size = std::int64_t(w) * h;
    g.ScaleWidth = 1;
    g.ScaleHeight = 2;
    g.Reserved = 7;
    for (int i = 0; i < w * h; ++i) {
        for (std::size_t b = 0; b < pixelBytes; ++b) {
            const int run = (i / 9) * 37 + int(b) * 11;
            std::uint8_t v = std::uint8_t(i % 13 < 7 ? run : run ^ (i * 29));
            if (format == g_FormatMonochrome) {
                v &= 1;
            } else if (format == g_FormatIndexedColor) {
                v &= 15;
            }
            if (sharedAlpha && b == 0 && pixelBytes > 1) {
                v = 0xC8;
            }
            g.Data.push_back(v);
        }
    }
    return g;
}

struct PlainCase {
    int format;
    std::size_t pixelBytes;
    int packed;  // format after g_Pack; the same format when packing does not apply
    int rle;     // format after g_CompressRLE of the packed image
};

class EveryFormat : public ::testing::TestWithParam<PlainCase> {};

TEST_P(EveryFormat, ChainRoundTrip) {
    const PlainCase c = GetParam();

    for (const auto& [w, h] : {std::pair{1, 1}, {3, 2}, {10, 3}, {40, 40}}) {
        const g_Graphic plain = image(c.format, w, h, c.pixelBytes, true);
        const g_Graphic packed = g_Pack(plain);
        const g_Graphic coded = g_CompressLZW(g_CompressRLE(packed));
        if (w * h >= 16) {
            EXPECT_EQ(packed.Format, c.packed) << w << "x" << h;
            EXPECT_EQ(coded.Format, c.rle + g_FormatLZW) << w << "x" << h;
        }
        const g_Graphic back = g_UnPack(g_DecompressRLE(g_DecompressLZW(coded)));
        EXPECT_EQ(back, plain) << w << "x" << h;
        // Each stage alone is reversible too.
        EXPECT_EQ(g_DecompressRLE(g_CompressRLE(plain)), plain) << w << "x" << h;
        EXPECT_EQ(g_DecompressLZW(g_CompressLZW(plain)), plain) << w << "x" << h;
        EXPECT_EQ(g_DecompressLZW(g_CompressLZW(packed)), packed) << w << "x" << h;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, EveryFormat,
    ::testing::Values(PlainCase{g_FormatMonochrome, 1, g_FormatPackedMonochrome, g_FormatRLEPackedMonochrome},
                      PlainCase{g_FormatIndexedColor, 1, g_FormatPackedIndexedColor,
                                g_FormatRLEPackedIndexedColor},
                      PlainCase{g_FormatGrey, 1, g_FormatGrey, g_FormatRLEGrey},
                      PlainCase{g_FormatRGBColor, 3, g_FormatRGBColor, g_FormatRLERGBColor},
                      PlainCase{g_FormatAGrey, 2, g_FormatPackedAGrey, g_FormatRLEPackedAGrey},
                      PlainCase{g_FormatARGBColor, 4, g_FormatPackedARGBColor, g_FormatRLEPackedARGBColor}));

TEST(Pack, SharedAlphaIsStoredOnce) {
    g_Graphic g = image(g_FormatARGBColor, 2, 2, 4);
    for (std::size_t i = 0; i < 16; i += 4) {
        g.Data[i] = 255;
    }
    CapturedOutput quiet;
    const g_Graphic packed = g_Pack(g);
    EXPECT_EQ(packed.Format, g_FormatPackedARGBColor);
    ASSERT_EQ(packed.Data.size(), 13u);
    EXPECT_EQ(packed.Data[0], 255);
    EXPECT_EQ(packed.Data[4], g.Data[5]);  // red of the second pixel

    g.Data[8] = 254;
    EXPECT_EQ(g_Pack(g), g) << "one differing alpha leaves the image as it is";
}

TEST(Pack, MonochromeKeepsOnlyTheLowBitAsOneOrZero) {
    g_Graphic g;
    g.Format = g_FormatMonochrome;
    g.Width = 5;
    g.Height = 1;
    g.Size = 5;
    g.Data = {0, 7, 0, 255, 1};
    const g_Graphic back = g_UnPack(g_Pack(g));
    EXPECT_EQ(back.Data, (Bytes{0, 1, 0, 1, 1}));
    EXPECT_EQ(back.Format, g_FormatMonochrome);
}

// Odd cases the header can bring: no pixels, fewer pixels than claimed, an empty packed image.
TEST(Pack, HeaderAndDataDisagree) {
    g_Graphic none = image(g_FormatAGrey, 0, 0, 2);
    EXPECT_EQ(g_Pack(none).Format, g_FormatMonochrome);

    g_Graphic claimsMore = image(g_FormatARGBColor, 4, 4, 4, true);
    claimsMore.Size = 1000;
    EXPECT_EQ(g_Pack(claimsMore), claimsMore);

    g_Graphic packed = g_Pack(image(g_FormatARGBColor, 4, 4, 4, true));
    packed.Size = 4'000'000'000;  // a crafted header: unpacking must not believe it
    EXPECT_EQ(g_UnPack(packed), packed);

    g_Graphic empty;
    empty.Format = g_FormatPackedAGrey;
    EXPECT_EQ(g_UnPack(empty), empty);
    EXPECT_EQ(g_CompressRLE(empty).Format, g_FormatMonochrome);

    g_Graphic negative = image(g_FormatMonochrome, 4, 4, 1);
    negative.Width = -4;
    EXPECT_EQ(g_Pack(negative), negative);
}

// The packed formats code what follows the alpha byte in elements of their pixel size.
TEST(RunLength, PackedPayloadElementSizes) {
    const g_Graphic grey = g_Pack(image(g_FormatAGrey, 8, 8, 2, true));
    const g_Graphic greyCoded = g_CompressRLE(grey);
    ASSERT_EQ(greyCoded.Format, g_FormatRLEPackedAGrey);
    EXPECT_EQ(greyCoded.Data[0], 0xC8);
    EXPECT_EQ(rletobinary8(ByteView(greyCoded.Data).subspan(1)),
              Bytes(grey.Data.begin() + 1, grey.Data.end()));

    const g_Graphic colour = g_Pack(image(g_FormatARGBColor, 8, 8, 4, true));
    const g_Graphic colourCoded = g_CompressRLE(colour);
    ASSERT_EQ(colourCoded.Format, g_FormatRLEPackedARGBColor);
    EXPECT_EQ(rletobinary24(ByteView(colourCoded.Data).subspan(1)),
              Bytes(colour.Data.begin() + 1, colour.Data.end()));
}

// Short images round-trip too: data the coders cannot turn into a stream that decodes back
// (under four elements, or a stream shorter than four) stays in its plain form.
TEST(RunLength, ShortImagesRoundTrip) {
    for (const auto& [format, bytes] :
         {std::pair{g_FormatGrey, 1}, {g_FormatAGrey, 2}, {g_FormatRGBColor, 3}, {g_FormatARGBColor, 4}}) {
        for (int pixels = 1; pixels <= 6; ++pixels) {
            for (const bool equal : {true, false}) {
                g_Graphic g = image(format, pixels, 1, std::size_t(bytes));
                if (equal) {
                    std::fill(g.Data.begin(), g.Data.end(), 9);
                }
                const g_Graphic coded = g_CompressRLE(g);
                EXPECT_EQ(g_DecompressRLE(coded), g) << format << " " << pixels << " " << equal;
                if (coded.Format == g.Format) {
                    EXPECT_EQ(coded, g);
                } else {
                    EXPECT_GE(coded.Data.size(), 4u * std::size_t(bytes));
                }
            }
        }
    }
    g_Graphic rgb = image(g_FormatRGBColor, 4, 1, 3);
    std::fill(rgb.Data.begin(), rgb.Data.end(), 9);  // codes to 10 bytes, which would decode to nothing
    EXPECT_EQ(g_CompressRLE(rgb), rgb);
}

// Streams that are damaged or expand past the header are kept as they are, never half-decoded.
TEST(RunLength, DamagedOrOverlongStreamsAreKept) {
    g_Graphic g;
    g.Format = g_FormatRLEGrey;
    g.Width = 4;
    g.Height = 4;
    g.Size = 16;
    g.Data = {0, 0, 241, 0xFF, 0xFF, 0xFF, 0xFF, 7};  // four thousand million sevens
    EXPECT_EQ(g_DecompressRLE(g), g);
    g.Data = {0, 0, 17, 7, 1, 2, 3};  // 17 sevens for 16 pixels
    EXPECT_EQ(g_DecompressRLE(g), g);
    g.Data = {0, 0, 16, 7};
    EXPECT_EQ(g_DecompressRLE(g).Data, Bytes(16, 7));
    g.Data = {0, 0};
    EXPECT_EQ(g_DecompressRLE(g), g);
}

TEST(Lzw, InvalidCodesAndBombsAreKept) {
    g_Graphic g = g_CompressLZW(image(g_FormatGrey, 8, 8, 1));
    ASSERT_EQ(g.Format, g_FormatLZW + g_FormatGrey);

    g_Graphic badWidth = g;
    badWidth.Data[0] = 0;
    EXPECT_EQ(g_DecompressLZW(badWidth), badWidth);

    g_Graphic badCode = g;
    badCode.Data = {9, 0x20, 0xCB, 0x80};  // 65, then 302 while only 256 is next
    EXPECT_EQ(g_DecompressLZW(badCode), badCode);

    // 8 x 8 grey promises 64 bytes; a run of one byte coded by LZW gives far more.
    const LzwCoded bomb = texttolzwunpacked(Bytes(100'000, 3));
    g_Graphic big = g;
    big.Data = lzwunpackedtopacked(bomb.codes, bomb.width);
    big.Data.insert(big.Data.begin(), std::uint8_t(bomb.width));
    EXPECT_EQ(g_DecompressLZW(big), big);

    g_Graphic empty = g;
    empty.Data.clear();
    const g_Graphic plainEmpty = g_DecompressLZW(empty);
    EXPECT_EQ(plainEmpty.Format, g_FormatGrey);
    EXPECT_TRUE(plainEmpty.Data.empty());
}

TEST(Transformations, UnknownFormatsPassThrough) {
    for (int format : {6, 9, 12, 26, 33, 99, 106, 199, 200, 255, -1}) {
        g_Graphic g = image(g_FormatGrey, 4, 4, 1);
        g.Format = format;
        EXPECT_EQ(g_Pack(g), g) << format;
        EXPECT_EQ(g_UnPack(g), g) << format;
        EXPECT_EQ(g_CompressRLE(g), g) << format;
        EXPECT_EQ(g_DecompressRLE(g), g) << format;
        EXPECT_EQ(g_CompressLZW(g), g) << format;
        EXPECT_EQ(g_DecompressLZW(g), g) << format;
    }
}

}  // namespace
}  // namespace zarvik::testing
