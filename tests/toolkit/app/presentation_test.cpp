// Window images at every depth, redraw requests and the update thread's changed-window rule.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/toolkit/app/fixture.h"
#include "toolkit/app/presentation.h"
#include "toolkit/screen/pixels.h"
#include "toolkit/text/textoutput.h"

namespace zarvik::eventtests {
namespace {

class Presentation : public EventsTest {
  protected:
    // A 32 x 32 graphic window of the depth, visible, without auto-update.
    t_Window& initGraphic(std::uint8_t window, int depth) {
        CapturedOutput quiet;
        t_InitWindow(window, depth, false, 32, 32, 0, 0, testFont, true);
        t_WindowVisible(window, true);
        return t_WindowRecord(window);
    }
    std::uint8_t* block(std::uint8_t window) { return t_VideoMemory() + t_WindowRecord(window).MemoryStart; }
};

struct DepthCase {
    const char* name;
    int depth;
    std::vector<std::uint8_t> memory;
    std::array<std::uint8_t, 4> firstPixel;  // A R G B
    std::array<std::uint8_t, 4> secondPixel;
};

class ImageDepths : public Presentation, public ::testing::WithParamInterface<DepthCase> {};

TEST_P(ImageDepths, ConvertToOpaqueArgb) {
    const DepthCase& c = GetParam();
    initGraphic(1, c.depth);
    std::copy(c.memory.begin(), c.memory.end(), block(1));
    const std::optional<HostImage> image = t_WindowImage(1);
    ASSERT_TRUE(image.has_value());
    ASSERT_EQ(image->argb.size(), 32u * 32 * 4);
    EXPECT_EQ(std::vector<std::uint8_t>(image->argb.begin(), image->argb.begin() + 4),
              std::vector<std::uint8_t>(c.firstPixel.begin(), c.firstPixel.end()));
    EXPECT_EQ(std::vector<std::uint8_t>(image->argb.begin() + 4, image->argb.begin() + 8),
              std::vector<std::uint8_t>(c.secondPixel.begin(), c.secondPixel.end()));

    HostImage native;
    ASSERT_TRUE(t_WindowImageInto(1, native, t_ImageByteOrder::BGRA));
    for (std::size_t i = 0; i < native.argb.size(); i += 4) {
        EXPECT_EQ(native.argb[i], image->argb[i + 3]);
        EXPECT_EQ(native.argb[i + 1], image->argb[i + 2]);
        EXPECT_EQ(native.argb[i + 2], image->argb[i + 1]);
        EXPECT_EQ(native.argb[i + 3], 255);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Depths, ImageDepths,
    ::testing::Values(
        // 1 bit: set bits white and clear bits black whatever the colours are.
        DepthCase{"OneBit", 1, {0x80}, {255, 255, 255, 255}, {255, 0, 0, 0}},
        DepthCase{"FourBit", 4, {0xF0}, {255, 255, 255, 255}, {255, 0, 0, 0}},
        DepthCase{"EightBit", 8, {7, 200}, {255, 7, 7, 7}, {255, 200, 200, 200}},
        DepthCase{"SixteenBitIgnoresStoredAlpha", 16, {0, 9, 77, 50}, {255, 9, 9, 9}, {255, 50, 50, 50}},
        DepthCase{"TwentyFourBit", 24, {0x11, 0x22, 0x33, 1, 2, 3}, {255, 0x11, 0x22, 0x33}, {255, 1, 2, 3}},
        // A 32-bit pixel with alpha 0 is shown opaque.
        DepthCase{"ThirtyTwoBitAlphaZero", 32, {0, 1, 2, 3, 0, 4, 5, 6}, {255, 1, 2, 3}, {255, 4, 5, 6}}),
    [](const ::testing::TestParamInfo<DepthCase>& info) { return std::string(info.param.name); });

TEST_F(Presentation, HiddenAndUninitialisedWindowsGiveNoImage) {
    initGraphic(1, 24);
    t_WindowVisible(1, false);
    CapturedOutput quiet;
    for (const std::uint8_t window : {1, 5, 9}) {
        EXPECT_FALSE(t_WindowImage(window).has_value()) << int(window);
    }
}

TEST_F(Presentation, ImageRecordsItsTimes) {
    t_Window& w = initGraphic(1, 24);
    const std::int64_t before = t_TimeMillis();
    ASSERT_TRUE(t_WindowImage(1));
    EXPECT_GE(w.UpdateFinished, before);
    EXPECT_GE(w.UpdateDuration, 0);
}

TEST_F(Presentation, WindowUpdateDrawsOrDefersOnTheMainThread) {
    initGraphic(1, 24);
    const HeadlessHost::WindowState before = testHost().window(1);
    t_WindowUpdate(1, false);
    t_WindowUpdate(1, true);
    const HeadlessHost::WindowState after = testHost().window(1);
    EXPECT_EQ(after.redrawsNow, before.redrawsNow + 1);
    EXPECT_EQ(after.redrawsDeferred, before.redrawsDeferred + 1);
    testHost().setViewExists(1, false);
    CapturedOutput quiet;
    t_WindowUpdate(1, false);
    t_WindowUpdate(8, false);
    EXPECT_EQ(testHost().window(1).redrawsNow, after.redrawsNow);
    testHost().setViewExists(1, true);
}

TEST_F(Presentation, UpdateThreadRedrawsOnlyChangedWindows) {
    t_Window& w = initGraphic(2, 24);
    ASSERT_TRUE(eventually([] { return t_UpdateThreadRunning(); }));
    w.RefreshRate = 0;
    w.AutoUpdate = true;
    g_Plot(2, 0, 0, 0xFFFFFFFF);
    ASSERT_TRUE(eventually([] { return testHost().window(2).redrawsDeferred > 0; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const int settled = testHost().window(2).redrawsDeferred;
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    EXPECT_EQ(testHost().window(2).redrawsDeferred, settled) << "an unchanged window was redrawn";
    g_Plot(2, 1, 0, 0xFFFFFFFF);
    EXPECT_TRUE(eventually([&] { return testHost().window(2).redrawsDeferred > settled; }));
    w.AutoUpdate = false;
}

TEST_F(Presentation, UpdateThreadPacesByRefreshRate) {
    t_Window& w = initGraphic(3, 24);
    ASSERT_TRUE(eventually([] { return t_UpdateThreadRunning(); }));
    w.RefreshRate = 5;  // at most one request per 200 ms
    w.AutoUpdate = true;
    const int start = testHost().window(3).redrawsDeferred;
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(450);
    int x = 0;
    while (std::chrono::steady_clock::now() < until) {
        g_Plot(3, x++ % 4, 1, 0xFF00FFFF);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    w.AutoUpdate = false;
    const int requests = testHost().window(3).redrawsDeferred - start;
    EXPECT_GE(requests, 1);
    EXPECT_LE(requests, 3);
}

TEST_F(Presentation, UpdateThreadSkipsAWindowWhileItIsBeingDrawn) {
    t_Window& w = initGraphic(4, 24);
    ASSERT_TRUE(eventually([] { return t_UpdateThreadRunning(); }));
    w.RefreshRate = 0;
    w.VerticalBlank = false;
    w.AutoUpdate = true;
    const int start = testHost().window(4).redrawsDeferred;
    g_Plot(4, 0, 0, 0xFFFFFFFF);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(testHost().window(4).redrawsDeferred, start);
    w.VerticalBlank = true;
    EXPECT_TRUE(eventually([&] { return testHost().window(4).redrawsDeferred > start; }));
    w.AutoUpdate = false;
}

TEST_F(Presentation, ImagesWhileTheProgramDrawsStayWholeFrames) {
    initGraphic(5, 24);
    std::atomic<bool> stop{false};
    std::atomic<int> plotted{0};
    std::thread program([&] {
        for (int i = 0; !stop; ++i) {
            g_Plot(5, i % 32, (i / 32) % 32, 0xFF000000u | static_cast<std::uint32_t>(i));
            plotted = i + 1;
        }
    });
    // A pixel's first plot writes its channels one by one over black; from the second pass on every
    // mix of old and new channels is still a whole pixel of that place.
    EXPECT_TRUE(eventually([&] { return plotted >= 32 * 32; }));
    // Plot i stores red (i >> 8) & 255, green (i >> 16) & 255 and blue 255 at x = i % 32,
    // y = (i / 32) % 32: a pixel is black (not plotted yet) or has blue 255 and the low two bits of
    // its red equal to bits 8 and 9 of x + 32 y. Anything else is a torn or misplaced pixel.
    HostImage image;
    int wrongPixels = 0;
    for (int i = 0; i < 200; ++i) {
        testHost().runOnMainThread([&] { ASSERT_TRUE(viewDrawImage(5, image, t_ImageByteOrder::BGRA)); });
        ASSERT_EQ(image.argb.size(), 32u * 32 * 4);
        for (int p = 0; p < 32 * 32; ++p) {
            const std::uint8_t* bgra = &image.argb[static_cast<std::size_t>(p) * 4];
            const bool black = bgra[0] == 0 && bgra[1] == 0 && bgra[2] == 0;
            const bool plotted = bgra[0] == 255 && (bgra[2] & 3) == ((p >> 8) & 3);
            wrongPixels += bgra[3] != 255 || !(black || plotted);
        }
    }
    stop = true;
    program.join();
    EXPECT_EQ(wrongPixels, 0);
}

TEST_F(Presentation, ViewCallbacksForwardEventsAndTrackButtons) {
    initTextWindow(0, 4, 1);
    viewKeyDown(0, {0, U"z", 0});
    EXPECT_TRUE(t_KeyIsDown());
    EXPECT_EQ(t_NextEvent(), 'z');
    viewKeyUp();
    EXPECT_FALSE(t_KeyIsDown());
    t_WindowRecord(0).IgnoreEvents = true;
    viewKeyDown(0, {0, U"z", 0});
    EXPECT_FALSE(t_KeyPending());
    t_WindowRecord(0).IgnoreEvents = false;
    CapturedOutput quiet;
    viewKeyDown(6, {0, U"z", 0});
    viewMouseDown(0, {2, 0}, 1, 1, true);
    EXPECT_TRUE(t_RightButtonDown());
    EXPECT_FALSE(t_LeftButtonDown());
    viewMouseUp();
    EXPECT_FALSE(t_RightButtonDown());
    EXPECT_FALSE(t_KeyPending());
    viewFlagsChanged(1u << 19);
    EXPECT_TRUE(t_CurrentModifiers().Option);
    viewFlagsChanged(0);
    HostImage image;
    EXPECT_TRUE(viewDrawImage(0, image, t_ImageByteOrder::BGRA));
    EXPECT_TRUE(t_WindowRecord(0).VerticalBlank);
    EXPECT_EQ(viewWantsUpdateLayer(0), t_WindowRecord(0).QuickUpdate.load());
    EXPECT_FALSE(viewWantsUpdateLayer(6));
}

}  // namespace
}  // namespace zarvik::eventtests
