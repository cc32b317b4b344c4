// Font files: header fields, refusals and the compressed formats, and the shipped fonts.
#include <gtest/gtest.h>

#include "tests/toolkit/fixture.h"
#include "util/lzw.h"

namespace zarvik::testing {
namespace {

Bytes header(std::uint8_t size, int format, std::uint8_t start, std::uint8_t end, std::uint8_t w,
             std::uint8_t h) {
    return {size, 'q', 'x', 'f', 'n', std::uint8_t(format), 0, 0, 1, 2, start, end, w, h, 0, 7};
}

TEST(FontFile, ReadsTheHeaderFieldsAndKeepsTheRestAsData) {
    Bytes file = header(16, 0, 65, 66, 8, 2);
    file.insert(file.end(), {1, 2, 3, 4});
    CapturedOutput out;
    const t_Font font = t_FontFromBytes(file, "x");
    EXPECT_EQ(out.text(), "");
    EXPECT_EQ(font.HeaderSize, 16);
    EXPECT_EQ(font.Format, 0);
    EXPECT_EQ(font.Size, 258);
    EXPECT_EQ(font.Start, 65);
    EXPECT_EQ(font.End, 66);
    EXPECT_EQ(font.Width, 8);
    EXPECT_EQ(font.Height, 2);
    EXPECT_EQ(font.Reserved, 7);
    EXPECT_EQ(font.Data, (Bytes{1, 2, 3, 4}));
}

struct RefusalCase {
    const char* name;
    Bytes file;
    const char* line;
};

class FontRefusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(FontRefusals, GiveAFontWithoutGlyphs) {
    CapturedOutput out;
    const t_Font font = t_FontFromBytes(GetParam().file, "Test.font");
    EXPECT_EQ(out.text(), std::string(GetParam().line) + "\n");
    EXPECT_FALSE(font.hasGlyphs());
    EXPECT_EQ(font.HeaderSize, 16);
}

Bytes withSize(Bytes b, std::size_t n) {
    b.resize(n, 0);
    return b;
}

INSTANTIATE_TEST_SUITE_P(
    Table, FontRefusals,
    ::testing::Values(
        RefusalCase{"empty", {}, "t_LoadFontResource: Could not load file \u201ETest.font\u201C"},
        RefusalCase{"claims40", withSize(header(40, 2, 0, 0, 1, 1), 30),
                    "t_LoadFontResource: Invalid header size"},
        RefusalCase{"thirteen", withSize(header(8, 2, 0, 0, 1, 1), 13),
                    "t_LoadFontResource: Invalid header size"},
        // In a longer file a short header's own fields would be read as glyph data.
        RefusalCase{"headerZeroInLongerFile", withSize(header(0, 2, 0, 0, 1, 1), 40),
                    "t_LoadFontResource: Invalid header size"},
        RefusalCase{"headerThirteenInLongerFile", withSize(header(13, 2, 0, 0, 1, 1), 40),
                    "t_LoadFontResource: Invalid header size"},
        RefusalCase{"magic",
                    [] {
                        Bytes b = header(16, 2, 0, 0, 1, 1);
                        b[4] = 'x';
                        b.push_back(0);
                        return b;
                    }(),
                    "t_LoadFontResource: Invalid file type"}),
    [](const auto& info) { return info.param.name; });

TEST(FontFile, FourteenBytesAreEnoughForTheGeometry) {
    CapturedOutput out;
    const t_Font font = t_FontFromBytes(withSize(header(14, 0, 1, 2, 3, 4), 14), "x");
    EXPECT_EQ(out.text(), "");
    EXPECT_EQ(font.Height, 4);
    EXPECT_EQ(font.Reserved, 0);
    EXPECT_FALSE(font.hasGlyphs());
}

TEST(FontFile, CompressedGreyIsExpanded) {
    Bytes glyphs(3 * 2 * 2);
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        glyphs[i] = std::uint8_t(i * 20);
    }
    const LzwCoded coded = texttolzwunpacked(glyphs);
    Bytes file = header(16, 102, 0, 2, 2, 2);
    file.push_back(std::uint8_t(coded.width));
    const Bytes packed = lzwunpackedtopacked(coded.codes, coded.width);
    file.insert(file.end(), packed.begin(), packed.end());
    const t_Font font = t_FontFromBytes(file, "x");
    EXPECT_EQ(font.Format, 2);
    EXPECT_EQ(font.Data, glyphs);
}

TEST(FontFile, CompressedWithoutDataOnlyChangesTheFormat) {
    const t_Font font = t_FontFromBytes(header(16, 100, 0, 0, 8, 8), "x");
    EXPECT_EQ(font.Format, 0);
    EXPECT_TRUE(font.Data.empty());
}

TEST(FontFile, DamagedCompressedDataGivesNoGlyphs) {
    Bytes file = header(16, 102, 0, 0, 8, 8);
    file.insert(file.end(), {9, 0xFF, 0xFF, 0xFF, 0xFF});  // codes far beyond the table
    CapturedOutput quiet;
    EXPECT_FALSE(t_FontFromBytes(file, "x").hasGlyphs());
}

TEST(FontFile, GlyphsInsideGuardsShortTables) {
    t_Font font = testGreyFont(8, 16);
    EXPECT_TRUE(t_FontGlyphsInside(font));
    font.Data.resize(font.Data.size() - 1);
    EXPECT_FALSE(t_FontGlyphsInside(font));
}

class ShippedFonts : public ::testing::TestWithParam<std::tuple<const char*, int, int>> {};

TEST_P(ShippedFonts, LoadAsGreyFontsWithTheirCellSize) {
    testHost();
    const auto [name, width, height] = GetParam();
    CapturedOutput out;
    const t_Font font = t_LoadFontResource(name);
    EXPECT_EQ(out.text(), "");
    EXPECT_EQ(font.Format, 2);
    EXPECT_EQ(font.Width, width);
    EXPECT_EQ(font.Height, height);
    EXPECT_EQ(font.Start, 32);
    EXPECT_EQ(font.End, 255);
    ASSERT_EQ(font.Data.size(), std::size_t(256) * width * height);
    // Code 65 starts at 65 x width x height; "A" and "ä" have ink, the space has none.
    const auto ink = [&](int code) {
        int sum = 0;
        for (int i = 0; i < width * height; ++i) {
            sum += font.Data[std::size_t(code) * width * height + i];
        }
        return sum;
    };
    EXPECT_GT(ink('A'), 0);
    EXPECT_GT(ink(0xE4), ink('a'));  // the umlaut dots
    EXPECT_GT(ink(0xDF), 0);
    EXPECT_EQ(ink(' '), 0);
    // The rule glyph is one unbroken line across the full cell width.
    int fullRows = 0;
    for (int y = 0; y < height; ++y) {
        bool full = true;
        for (int x = 0; x < width; ++x) {
            full = full && font.Data[std::size_t(156) * width * height + std::size_t(y) * width + x] == 255;
        }
        fullRows += full;
    }
    EXPECT_GE(fullRows, 1);
}

INSTANTIATE_TEST_SUITE_P(Resources, ShippedFonts,
                         ::testing::Values(std::make_tuple("MenloBold 16x32.font", 16, 32),
                                           std::make_tuple("MenloRegular 16x32.font", 16, 32),
                                           std::make_tuple("MenloBold 8x16.font", 8, 16)));

}  // namespace
}  // namespace zarvik::testing
