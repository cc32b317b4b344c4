#include <gtest/gtest.h>

#include <random>

#include "tests/support/logcapture.h"
#include "util/bytes.h"
#include "util/rle.h"

namespace zarvik {
namespace {

Bytes run(std::size_t n, std::uint8_t v) {
    return Bytes(n, v);
}

TEST(RleEncode8, EscapeIsRarestLowestByteAndRunsAreCommands) {
    EXPECT_EQ(binary8torle(Bytes{1, 1, 1, 1, 1, 2}), (Bytes{0, 0, 5, 1, 2}));
    EXPECT_EQ(binary8torle(run(239, 7)), (Bytes{0, 0, 239, 7}));
    EXPECT_EQ(binary8torle(run(300, 7)), (Bytes{0, 0, 240, 1, 44, 7}));
    EXPECT_EQ(binary8torle(run(70000, 7)), (Bytes{0, 0, 241, 0, 1, 17, 112, 7}));
    // Every byte but 3 occurs once: 3 is the rarest and becomes the escape.
    Bytes all;
    for (int b = 0; b < 256; ++b) {
        if (b != 3) {
            all.push_back(static_cast<std::uint8_t>(b));
        }
    }
    EXPECT_EQ(binary8torle(all).front(), 3);
}

TEST(RleEncode8, ShortRunOfEscapeIsCountOnly) {
    // 0 is the rarest byte but occurs, as a pair.
    Bytes data = {5, 5, 5, 5, 0, 0, 5, 6};
    for (int b = 1; b < 256; ++b) {
        data.push_back(static_cast<std::uint8_t>(b));
        data.push_back(static_cast<std::uint8_t>(b));
        data.push_back(static_cast<std::uint8_t>(b));
    }
    const Bytes coded = binary8torle(data);
    ASSERT_EQ(coded[0], 0);
    EXPECT_EQ((Bytes(coded.begin(), coded.begin() + 6)), (Bytes{0, 0, 4, 5, 0, 2}));
    EXPECT_EQ(rletobinary8(coded), data);
}

TEST(RleEncode, TooSmallOrRaggedInputIsReturnedUnchanged) {
    const Bytes three = {1, 2, 3};
    EXPECT_EQ(binary8torle(three), three);
    const Bytes odd(9, 1);
    EXPECT_EQ(binary16torle(odd), odd);
    EXPECT_EQ(binary16torle(Bytes(6, 1)), Bytes(6, 1));
    EXPECT_EQ(binary24torle(Bytes(9, 1)), Bytes(9, 1));
    EXPECT_EQ(binary24torle(Bytes(13, 1)), Bytes(13, 1));
    EXPECT_EQ(binary32torle(Bytes(12, 1)), Bytes(12, 1));
}

// The escape is the rarest element (the lowest of equals); runs of it shorter than four are count only.
TEST(RleEncode, WideVariantsBuildTheEscapeFromTheRarestKey) {
    test::LogCapture quiet;
    EXPECT_EQ(binary24torle(Bytes{1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3}),
              (Bytes{0, 0, 0x55, 0, 0, 0x55, 4, 1, 2, 3}));
    EXPECT_EQ(binary32torle(Bytes{9, 0, 0, 9, 9, 0, 0, 9, 9, 0, 0, 9, 9, 0, 0, 9}),
              (Bytes{0x55, 0, 1, 0x55, 0x55, 0, 1, 0x55, 4, 9, 0, 0, 9}));
    Bytes words(16, 0);
    words[1] = 1;  // word 1 once, word 0 seven times -> rarest is 2 (never)
    const Bytes coded16 = binary16torle(words);
    EXPECT_EQ((Bytes(coded16.begin(), coded16.begin() + 2)), (Bytes{0, 2}));
}

struct DecodeCase {
    Bytes (*decode)(ByteView, std::size_t);
    Bytes coded;
    Bytes expected;
};

class RleDecode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(RleDecode, CommandsAndMalformedStreams) {
    test::LogCapture quiet;
    EXPECT_EQ(GetParam().decode(GetParam().coded, std::size_t(1) << 28), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RleDecode,
    ::testing::Values(
        // Zero repeat, illegal commands (242 and above) and their bytes are skipped.
        DecodeCase{rletobinary8, {0, 7, 0, 0, 9}, {7, 9}},
        DecodeCase{rletobinary8, {0, 7, 0, 250, 9}, {7, 9}},
        DecodeCase{rletobinary8, {0, 7, 0, 242, 9}, {7, 9}},
        DecodeCase{
            rletobinary32, {1, 1, 1, 1, 5, 5, 5, 5, 1, 1, 1, 1, 255, 5, 5, 5, 5}, {5, 5, 5, 5, 5, 5, 5, 5}},
        // Counts 1 to 3 repeat the escape itself; 240 and 241 take a 16- and a 32-bit count.
        DecodeCase{rletobinary8, {0, 0, 2, 8, 0, 3}, {0, 0, 8, 0, 0, 0}},
        DecodeCase{rletobinary8, {0, 0, 241, 0, 0, 0, 5, 1}, {1, 1, 1, 1, 1}},
        DecodeCase{rletobinary8, {0, 0, 240, 0, 0, 1, 2}, {2}},
        DecodeCase{rletobinary16, {0, 0, 1, 1, 0, 0, 1, 2, 2, 3, 3, 4, 4}, {1, 1, 0, 0, 2, 2, 3, 3, 4, 4}},
        DecodeCase{rletobinary24,
                   {0, 0, 0, 0, 0, 0, 241, 0, 0, 0, 2, 4, 5, 6, 7, 7, 7},
                   {4, 5, 6, 4, 5, 6, 7, 7, 7}},
        // Too short for a stream; commands cut off at the end and a partial last element are dropped.
        DecodeCase{rletobinary8, {0, 1, 2}, {}}, DecodeCase{rletobinary16, Bytes(7, 1), {}},
        DecodeCase{rletobinary24, Bytes(11, 1), {}}, DecodeCase{rletobinary32, Bytes(15, 1), {}},
        DecodeCase{rletobinary8, {0, 5, 6, 0, 240, 1}, {5, 6}},
        DecodeCase{rletobinary8, {0, 5, 6, 0}, {5, 6}},
        DecodeCase{rletobinary16, {0, 0, 1, 2, 3, 4, 0, 0, 9, 7}, {1, 2, 3, 4}},
        DecodeCase{rletobinary16, {0, 0, 1, 2, 3, 4, 5, 6, 7}, {1, 2, 3, 4, 5, 6}},
        DecodeCase{
            rletobinary24, {0, 0, 0, 1, 2, 3, 0, 0, 0, 0, 4, 5, 6, 7, 8, 9}, {1, 2, 3, 4, 5, 6, 7, 8, 9}}));

// A few bytes that ask for 4 G copies must be refused, not allocated.
TEST(RleDecodeLimit, OutputBeyondTheLimitIsRefused) {
    test::LogCapture quiet;
    EXPECT_TRUE(rletobinary8(Bytes{0, 0, 241, 255, 255, 255, 255, 1}).empty());
    EXPECT_TRUE(rletobinary32(Bytes{0, 0, 0, 0, 0, 0, 0, 0, 241, 255, 255, 255, 255, 1, 2, 3, 4}).empty());
    EXPECT_TRUE(rletobinary16(Bytes{0, 0, 7, 7, 0, 0, 100, 1, 1}, 201).empty());
    EXPECT_EQ(rletobinary16(Bytes{0, 0, 7, 7, 0, 0, 100, 1, 1}, 202).size(), 202u);
}

struct Codec {
    const char* name;
    std::size_t k;
    Bytes (*encode)(ByteView);
    Bytes (*decode)(ByteView, std::size_t);
};

class RleRoundTrip : public ::testing::TestWithParam<Codec> {};

// Random data with runs of every length class, including runs of the escape.
TEST_P(RleRoundTrip, RandomRunsComeBack) {
    const Codec c = GetParam();
    std::mt19937 random(42);
    for (int trial = 0; trial < 20; ++trial) {
        Bytes data;
        const int palette = trial % 2 == 0 ? 3 : 256;
        while (data.size() < 4000 * c.k) {
            Bytes element(c.k);
            for (auto& b : element) {
                b = static_cast<std::uint8_t>(random() % palette);
            }
            const std::size_t lengths[] = {1, 2, 3, 4, 239, 240, 300};
            const std::size_t length = lengths[random() % 7];
            for (std::size_t i = 0; i < length; ++i) {
                data.insert(data.end(), element.begin(), element.end());
            }
        }
        test::LogCapture quiet;
        EXPECT_EQ(c.decode(c.encode(data), data.size()), data) << c.name << " trial " << trial;
    }
    test::LogCapture quiet;
    const Bytes longRun(70000 * c.k, 0x55);
    EXPECT_EQ(c.decode(c.encode(longRun), longRun.size()), longRun);
}

INSTANTIATE_TEST_SUITE_P(AllWidths, RleRoundTrip,
                         ::testing::Values(Codec{"8", 1, binary8torle, rletobinary8},
                                           Codec{"16", 2, binary16torle, rletobinary16},
                                           Codec{"24", 3, binary24torle, rletobinary24},
                                           Codec{"32", 4, binary32torle, rletobinary32}),
                         [](const auto& info) { return std::string("Bits") + info.param.name; });

TEST(BytesToUInt32, BigEndianWithinBounds) {
    const Bytes b = {0x71, 0x78, 0x67, 0x72, 0x01};
    EXPECT_EQ(bytesToUInt32(b, 0), 0x71786772u);
    EXPECT_EQ(bytesToUInt32(b, 1), 0x78677201u);
    EXPECT_EQ(bytesToUInt32(b, 2), 0u);
    EXPECT_EQ(bytesToUInt32(b, std::size_t(-1)), 0u);
}

}  // namespace
}  // namespace zarvik
