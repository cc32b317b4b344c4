// Mouse clicks: the place in the graphic, the dropped clicks and the program's handler thread.
#include <gtest/gtest.h>

#include <atomic>

#include "tests/toolkit/app/fixture.h"
#include "toolkit/screen/threads.h"

namespace zarvik::eventtests {
namespace {

class Mouse : public EventsTest {
  protected:
    // A 100 x 50 graphic with a border of 16 left and 8 below.
    void initBordered() {
        CapturedOutput quiet;
        t_InitWindow(2, 24, false, 100, 50, 16, 8, testFont, true);
        ASSERT_TRUE(t_WindowRecord(2).Initialized);
    }
};

struct ClickCase {
    const char* name;
    double x;
    double y;
    int clickX;
    int clickY;
};

class MouseClicks : public Mouse, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(MouseClicks, ClickPlaceInTheGraphic) {
    initBordered();
    const ClickCase& c = GetParam();
    CapturedOutput quiet;
    t_MouseEventHandler(2, {1, 1u << 17}, c.x, c.y);
    const std::optional<t_Event> e = t_NextMouseEvent();
    ASSERT_TRUE(e.has_value());
    EXPECT_EQ(e->Kind, 2);
    EXPECT_EQ(e->ClickX, c.clickX);
    EXPECT_EQ(e->ClickY, c.clickY);
    EXPECT_EQ(e->WindowX, static_cast<int>(c.x));
    EXPECT_EQ(e->WindowY, static_cast<int>(c.y));
    EXPECT_TRUE(e->ShiftPressed);
    EXPECT_EQ(e->Window, 2);
}

// y is measured from the bottom of the host window: by = 8 + (50 - y).
INSTANTIATE_TEST_SUITE_P(
    Places, MouseClicks,
    ::testing::Values(ClickCase{"TopLeftPixel", 16, 58, 0, 0}, ClickCase{"Inside", 26.7, 40.2, 10, 17},
                      ClickCase{"ThreeLeftOfTheGraphic", 13, 40, -1, 18},
                      ClickCase{"RightOfTheGraphic", 116, 40, -2, 18},
                      ClickCase{"AboveTheGraphic", 20, 59, 4, -1}, ClickCase{"BelowTheGraphic", 20, 8, 4, -2},
                      ClickCase{"LastPixel", 115.9, 8.1, 99, 49}),
    [](const ::testing::TestParamInfo<ClickCase>& info) { return std::string(info.param.name); });

TEST_F(Mouse, UninitialisedAndUnknownWindowsAreDropped) {
    CapturedOutput quiet;
    t_MouseEventHandler(5, {}, 1, 2);
    t_MouseEventHandler(11, {}, 3.5, 4);
    EXPECT_FALSE(t_MousePending());
}

TEST_F(Mouse, EveryClickStartsTheHandlerOnANamedThread) {
    initBordered();
    std::atomic<int> calls{0};
    std::atomic<bool> named{false};
    t_SetMouseHandler([&] {
        named = t_CurrentThreadName() == (t_CurrentThreadNumber() >= 3 ? "t_EventMouse" : "");
        if (t_NextMouseEvent()) {
            ++calls;
        }
    });
    CapturedOutput quiet;
    t_MouseEventHandler(2, {}, 20, 20);
    t_MouseEventHandler(2, {}, 30, 20);
    EXPECT_TRUE(eventually([&] { return calls == 2; }));
    EXPECT_TRUE(named);
    t_SetMouseHandler(nullptr);
}

TEST_F(Mouse, CloseBoxHidesTheWindow) {
    initTextWindow(1, 4, 2);
    ASSERT_TRUE(t_WindowRecord(1).Visible);
    CapturedOutput quiet;
    t_MouseEventPostCloseBoxClick(1);
    EXPECT_FALSE(t_WindowRecord(1).Visible);
    testHost().drain();
    EXPECT_FALSE(testHost().window(1).visible);
}

}  // namespace
}  // namespace zarvik::eventtests
