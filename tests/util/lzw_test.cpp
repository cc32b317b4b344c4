#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/support/logcapture.h"
#include "util/lzw.h"

namespace zarvik {
namespace {

Bytes bytesof(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

TEST(Lzw, KnownCodesAndWidths) {
    const LzwCoded abab = texttolzwunpacked(bytesof("ABABABA"));
    EXPECT_EQ(abab.codes, (LzwCodes{65, 66, 256, 258}));
    EXPECT_EQ(abab.width, 9);
    EXPECT_EQ(lzwunpackedtotext(abab.codes), bytesof("ABABABA"));

    const LzwCoded single = texttolzwunpacked(Bytes{200});
    EXPECT_EQ(single.codes, (LzwCodes{200}));
    EXPECT_EQ(single.width, 8);
    EXPECT_EQ(lzwunpackedtotext(single.codes), (Bytes{200}));

    const LzwCoded empty = texttolzwunpacked(Bytes{});
    EXPECT_TRUE(empty.codes.empty());
    EXPECT_EQ(empty.width, 8);
    EXPECT_TRUE(lzwunpackedtotext(LzwCodes{}).empty());
}

TEST(Lzw, WidthGrowsWithTheLargestCode) {
    // A run of n equal bytes emits codes up to about 256 + sqrt(2n).
    const LzwCoded run = texttolzwunpacked(Bytes(200000, 'x'));
    const std::int64_t largest = *std::max_element(run.codes.begin(), run.codes.end());
    EXPECT_GT(largest, 511);
    EXPECT_LT(largest, 1024);
    EXPECT_EQ(run.width, 10);
}

TEST(Lzw, PackingAtWidth) {
    EXPECT_EQ(lzwunpackedtopacked(LzwCodes{65, 66}, 9), (Bytes{32, 144, 128}));
    EXPECT_EQ(lzwpackedtounpacked(Bytes{32, 144, 128}, 9), (LzwCodes{65, 66}));
    EXPECT_EQ(lzwunpackedtopacked(LzwCodes{1, 2}, 8), (Bytes{1, 2}));
    // Bits above the width are dropped; leftover bits that make no code are ignored.
    EXPECT_EQ(lzwunpackedtopacked(LzwCodes{0x1FF}, 4), (Bytes{0xF0}));
    EXPECT_EQ(lzwpackedtounpacked(Bytes{0xAB, 0xCD}, 12), (LzwCodes{0xABC}));
    // Widths below a byte hold several codes per byte.
    EXPECT_EQ(lzwpackedtounpacked(Bytes{0xAB}, 4), (LzwCodes{0xA, 0xB}));
    EXPECT_EQ(lzwpackedtounpacked(Bytes{0xA5, 0x80}, 3), (LzwCodes{5, 1, 3, 0, 0}));
    EXPECT_EQ(lzwunpackedtopacked(LzwCodes{5, 1, 3, 0, 0}, 3), (Bytes{0xA5, 0x80}));
}

TEST(Lzw, WidthsOutsideOneTo56AreRefused) {
    test::LogCapture quiet;
    EXPECT_TRUE(lzwpackedtounpacked(Bytes{1, 2, 3}, 0).empty());
    EXPECT_TRUE(lzwpackedtounpacked(Bytes{1, 2, 3}, 200).empty());
    EXPECT_TRUE(lzwunpackedtopacked(LzwCodes{1}, 57).empty());
    EXPECT_EQ(lzwpackedtounpacked(lzwunpackedtopacked(LzwCodes{1}, 56), 56), (LzwCodes{1}))
        << "the widest width";
}

TEST(Lzw, InvalidCodesGiveEmptyResult) {
    const LzwCodes cases[] = {
        {65, 300},      // beyond the next free code
        {65, 66, 258},  // 257 is the next free one
        {65, -1},       // negative
        {256, 65},      // first code is no byte
        {-5},
    };
    for (const auto& codes : cases) {
        EXPECT_TRUE(lzwunpackedtotext(codes).empty());
    }
    EXPECT_EQ(lzwunpackedtotext(LzwCodes{65, 256}), bytesof("AAA"));
}

// Each code one longer than the last makes the output grow quadratically: the limit stops it.
TEST(Lzw, CraftedGrowthIsCutAtTheLimit) {
    LzwCodes codes = {65};
    for (std::int64_t c = 256; c < 256 + 3000; ++c) {
        codes.push_back(c);
    }
    test::LogCapture quiet;
    EXPECT_TRUE(lzwunpackedtotext(codes, 100000).empty());
    EXPECT_EQ(lzwunpackedtotext(codes, 5000000).size(), 1u + 3000u * 3003u / 2u);
}

TEST(Lzw, RandomDataRoundTripsThroughStoredForm) {
    std::mt19937 random(3);
    for (int trial = 0; trial < 12; ++trial) {
        Bytes data(static_cast<std::size_t>(random() % 50000));
        const unsigned palette = trial % 3 == 0 ? 256 : 4;
        for (auto& b : data) {
            b = static_cast<std::uint8_t>(random() % palette);
        }
        const LzwCoded coded = texttolzwunpacked(data);
        const Bytes packed = lzwunpackedtopacked(coded.codes, coded.width);
        EXPECT_EQ(packed.size(), (coded.codes.size() * coded.width + 7) / 8);
        EXPECT_EQ(lzwunpackedtotext(lzwpackedtounpacked(packed, coded.width)), data) << trial;
    }
}

}  // namespace
}  // namespace zarvik
