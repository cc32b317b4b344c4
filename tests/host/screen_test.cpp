// Windows on screens of several sizes: the game window's size and place, and the side windows
// beside it. The screens are stood in for through the host's available-area function.
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include "host/qthost.h"
#include "host/screenfit.h"

namespace zarvik::qthost {
namespace {

// The game window as the program asks for it: 1280 x 800 pixels, a border of 16, the menu bar.
constexpr int kMenuBar = 19;
const QSize kGameWindow(1312, 832 + kMenuBar);

struct FitCase {
    const char* name;
    QSize available;
    QSize expected;
};

void PrintTo(const FitCase& c, std::ostream* os) {
    *os << c.name;
}

class GameWindowSize : public testing::TestWithParam<FitCase> {};

TEST_P(GameWindowSize, IsTheLargestThatFits) {
    const FitCase& c = GetParam();
    const QSize size = fittedWindowSize(kGameWindow, kMenuBar, c.available);
    EXPECT_EQ(size, c.expected);
    if (!c.available.isEmpty()) {
        EXPECT_LE(size.width(), c.available.width());
        EXPECT_LE(size.height(), c.available.height());
    }
}

// Below 1x the content keeps its aspect (1312 : 832) within a pixel.
INSTANTIATE_TEST_SUITE_P(
    Screens, GameWindowSize,
    testing::Values(FitCase{"Laptop1366x768", {1366, 768}, {1181, 749 + kMenuBar}},
                    FitCase{"Screen1600x1000", {1600, 1000}, kGameWindow},
                    FitCase{"FullHd1920x1080", {1920, 1080}, kGameWindow},
                    FitCase{"ScaleFactor2On1600x1000", {800, 500}, {758, 481 + kMenuBar}},
                    FitCase{"ExactlyDouble", {2624, 1664 + kMenuBar}, {2624, 1664 + kMenuBar}},
                    FitCase{"Uhd3840x2160", {3840, 2160}, {2624, 1664 + kMenuBar}},
                    FitCase{"NoScreenKeepsTheSize", {0, 0}, kGameWindow}),
    [](const testing::TestParamInfo<FitCase>& info) { return std::string(info.param.name); });

TEST(ScreenPlaces, FramesStayInsideTheArea) {
    const QRect area(0, 30, 1366, 738);
    EXPECT_EQ(keptInside(QRect(-40, 0, 300, 200), area), QRect(0, 30, 300, 200));
    EXPECT_EQ(keptInside(QRect(1200, 700, 300, 200), area), QRect(1066, 568, 300, 200));
    EXPECT_EQ(keptInside(QRect(10, 40, 2000, 900), area), area);

    const QRect game(0, 30, 1000, 700);
    EXPECT_EQ(besideOrBelow(game, QSize(300, 400), area, kMenuBar), QRect(1000, 30, 300, 400))
        << "right of it";
    const QRect wide(0, 30, 1300, 400);
    EXPECT_EQ(besideOrBelow(wide, QSize(600, 300), area, kMenuBar), QRect(0, 430, 600, 300)) << "below it";
    // No room on any side: the lower right corner.
    EXPECT_EQ(besideOrBelow(game, QSize(960, 480), area, kMenuBar), QRect(406, 288, 960, 480));
    // ... made shorter where it would cover the game window's menu bar.
    const QRect high(0, 30, 1000, 738);
    EXPECT_EQ(besideOrBelow(high, QSize(960, 730), area, kMenuBar),
              QRect(406, 30 + kMenuBar, 960, 738 - kMenuBar));
}

// The real widgets: the game window opens as the program asks (frame, centre, front) on a screen
// stood in for by the available area.
class WindowsOnScreens : public testing::Test {
  protected:
    void open(QRect area) {
        host = std::make_unique<QtHost>(QtHost::Callbacks{});
        host->setAvailableArea([area](const QWidget&) { return area; });
        const double menuBar = host->titleBarHeight();
        host->setWindowFrame(0, HostRect{0, 0, 1312, 832 + menuBar}, false);
        host->setViewFrame(0, HostRect{16, 16, 1280, 800});
        host->centerWindow(0);
        host->makeKeyAndOrderFront(0);
        QCoreApplication::processEvents();
    }
    QRect game() { return host->window(0).geometry(); }

    std::unique_ptr<QtHost> host;
};

struct ScreenCase {
    const char* name;
    QRect area;
    int whole;  // the whole multiple that fits, 0 below 1x
};

void PrintTo(const ScreenCase& c, std::ostream* os) {
    *os << c.name;
}

class GameWindowOnScreen : public WindowsOnScreens, public testing::WithParamInterface<ScreenCase> {};

// The window manager's frame (the offscreen platform draws one too) counts as part of the window.
TEST_P(GameWindowOnScreen, OpensInsideAndSideWindowsBesideIt) {
    const ScreenCase& c = GetParam();
    open(c.area);
    const int menuBar = host->titleBarHeight();
    const QRect frame = host->window(0).frameGeometry();
    EXPECT_TRUE(c.area.contains(frame))
        << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
    const QSize content(game().width(), game().height() - menuBar);
    if (c.whole > 0) {
        EXPECT_EQ(content, QSize(1312, 832) * c.whole);
    } else {
        EXPECT_TRUE(frame.width() == c.area.width() || frame.height() == c.area.height())
            << "as large as fits";
        EXPECT_NEAR(double(content.width()) / content.height(), 1312.0 / 832, 0.005);
    }
    // The view shows the picture sharp at whole multiples, smooth below 1x.
    const ConsoleView& view = host->consoleWindow(0).view();
    EXPECT_EQ(placeImage(QSize(1280, 800), view.size(), 1.0).smooth, c.whole == 0);
    // Half the size stays reachable by hand.
    EXPECT_LE(host->window(0).minimumWidth(), 1312 / 2);

    for (int side : {9, 10, 8}) {
        SCOPED_TRACE(side);
        host->orderFront(side);
        QCoreApplication::processEvents();
        const QRect sideFrame = host->window(side).frameGeometry();
        EXPECT_TRUE(c.area.contains(sideFrame)) << sideFrame.x() << "," << sideFrame.y();
        EXPECT_FALSE(sideFrame.intersects(
            QRect(frame.topLeft(), QSize(frame.width(), game().top() - frame.top() + menuBar))))
            << "covers the game window's menu bar";
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, GameWindowOnScreen,
                         testing::Values(ScreenCase{"Laptop1366x768", {0, 0, 1366, 768}, 0},
                                         ScreenCase{"PanelAbove1600x1000", {0, 28, 1600, 972}, 1},
                                         ScreenCase{"FullHd1920x1080", {0, 0, 1920, 1080}, 1},
                                         ScreenCase{"ScaleFactor2On1600x1000", {0, 0, 800, 500}, 0},
                                         ScreenCase{"Uhd3840x2160", {0, 0, 3840, 2160}, 2}),
                         [](const testing::TestParamInfo<ScreenCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(WindowsOnScreens, SideWindowGoesBesideTheGameWhereThereIsRoom) {
    open(QRect(0, 0, 3400, 1000));
    host->orderFront(9);
    QCoreApplication::processEvents();
    EXPECT_EQ(host->window(9).frameGeometry().left(), host->window(0).frameGeometry().right() + 1);
    EXPECT_EQ(host->window(9).frameGeometry().top(), host->window(0).frameGeometry().top());
}

}  // namespace
}  // namespace zarvik::qthost
