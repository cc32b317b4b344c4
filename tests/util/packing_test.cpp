#include <gtest/gtest.h>

#include <random>

#include "tests/support/logcapture.h"
#include "util/packing.h"

namespace zarvik {
namespace {

TEST(PackedBits, RowsStartOnNewBytes) {
    const Bytes row = {1, 0, 1, 1, 0, 0, 1, 0, 7, 1};
    const Bytes packed = binarybooltopackedbool(row, 10);
    EXPECT_EQ(packed, (Bytes{0b10110010, 0b11000000}));
    EXPECT_EQ(packedbooltobinarybool(packed, 10), (Bytes{1, 0, 1, 1, 0, 0, 1, 0, 1, 1}));
    Bytes two = row;
    two.insert(two.end(), row.begin(), row.end());
    EXPECT_EQ(binarybooltopackedbool(two, 10).size(), 4u);
    EXPECT_EQ(packedbooltobinarybool(binarybooltopackedbool(two, 10), 10).size(), 20u);
}

TEST(PackedBits, InputEndingInsideAByteIsAppendedWithALine) {
    test::LogCapture log;
    EXPECT_EQ(binarybooltopackedbool(Bytes{1, 1, 0}, 10), (Bytes{0b11000000}));
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"binarybooltopackedbool: Appending one Byte = 192"}));
}

TEST(PackedNibbles, TwoPixelsPerByteOddRowsPadded) {
    EXPECT_EQ(binarynibbletopackednibble(Bytes{1, 2, 0x1F, 4, 5, 6}, 3), (Bytes{0x12, 0xF0, 0x45, 0x60}));
    EXPECT_EQ(packednibbletobinarynibble(Bytes{0x12, 0xF0, 0x45, 0x60}, 3), (Bytes{1, 2, 15, 4, 5, 6}));
    // An incomplete last row keeps its half-filled byte.
    EXPECT_EQ(binarynibbletopackednibble(Bytes{1, 2, 3}, 4), (Bytes{0x12, 0x30}));
}

TEST(Packing, ZeroWidthGivesNothing) {
    EXPECT_TRUE(binarybooltopackedbool(Bytes{1, 2}, 0).empty());
    EXPECT_TRUE(packedbooltobinarybool(Bytes{1, 2}, 0).empty());
    EXPECT_TRUE(binarynibbletopackednibble(Bytes{1, 2}, 0).empty());
    EXPECT_TRUE(packednibbletobinarynibble(Bytes{1, 2}, 0).empty());
}

TEST(Packing, RandomImagesRoundTrip) {
    std::mt19937 random(9);
    for (std::size_t width : {1u, 7u, 8u, 9u, 15u, 16u, 33u}) {
        Bytes pixels(width * 13);
        for (auto& p : pixels) {
            p = static_cast<std::uint8_t>(random() % 16);
        }
        Bytes bits = pixels;
        for (auto& p : bits) {
            p = p != 0;
        }
        EXPECT_EQ(packedbooltobinarybool(binarybooltopackedbool(pixels, width), width), bits) << width;
        EXPECT_EQ(binarybooltopackedbool(pixels, width).size(), 13 * ((width + 7) / 8));
        EXPECT_EQ(packednibbletobinarynibble(binarynibbletopackednibble(pixels, width), width), pixels);
        EXPECT_EQ(binarynibbletopackednibble(pixels, width).size(), 13 * ((width + 1) / 2));
    }
}

}  // namespace
}  // namespace zarvik
