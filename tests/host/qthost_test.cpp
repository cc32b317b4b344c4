// The Qt host through the toolkit's host interface, on the offscreen platform.
#include "host/qthost.h"

#include <QApplication>
#include <QClipboard>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace zarvik::qthost {
namespace {

class QtHostTest : public testing::Test {
  protected:
    QtHost::Callbacks callbacks() {
        QtHost::Callbacks c;
        c.closeBox = [this](int window) {
            closed.push_back(window);
            host->orderOut(window);
        };
        c.quit = [this] { ++quits; };
        c.menuChoice = [this](const MenuItemInfo& item) { chosen.push_back(item); };
        return c;
    }
    void SetUp() override {
        host = std::make_unique<QtHost>(callbacks());
        // Room for the natural sizes, which the host keeps on a screen where only they fit.
        host->setAvailableArea([](const QWidget&) { return QRect(0, 0, 1600, 1000); });
    }

    std::unique_ptr<QtHost> host;
    std::vector<int> closed;
    std::vector<MenuItemInfo> chosen;
    int quits = 0;
};

TEST_F(QtHostTest, FramesAreMeasuredFromTheBottomOfTheScreen) {
    const double screenHeight = host->screenSize(0).height;
    ASSERT_GT(screenHeight, 500);
    host->setWindowFrame(2, HostRect{40, 50, 900, 400}, false);
    EXPECT_EQ(host->window(2).geometry(), QRect(40, int(screenHeight) - 50 - 400, 900, 400));
    EXPECT_EQ(host->windowFrame(2), (HostRect{40, 50, 900, 400}));
    EXPECT_FALSE(host->windowFrame(13).has_value());
    EXPECT_FALSE(host->hasWindow(13));
    EXPECT_TRUE(host->hasWindow(12));
}

TEST_F(QtHostTest, ViewFrameSetsTheBorders) {
    const int t = host->titleBarHeight();
    host->setWindowFrame(0, HostRect{0, 0, 1280 + 32, 800 + 32 + double(t)}, false);
    host->setViewFrame(0, HostRect{16, 16, 1280, 800});
    host->orderFront(0);
    EXPECT_EQ(host->consoleWindow(0).view().geometry(), QRect(16, t + 16, 1280, 800));
    host->setWindowTitleVisible(0, false);
    EXPECT_EQ(host->consoleWindow(0).titleHeight(), 0);
    EXPECT_EQ(host->consoleWindow(0).view().geometry().y(), 16);
}

TEST_F(QtHostTest, OrderingShowsHidesAndTracksTheKeyWindow) {
    EXPECT_FALSE(host->isWindowVisible(9));
    host->makeKeyAndOrderFront(9);
    EXPECT_TRUE(host->isWindowVisible(9));
    host->makeKeyAndOrderFront(3);
    EXPECT_EQ(host->keyWindow(), 3);
    EXPECT_EQ(host->consoleWindow(3).focusWidget(), &host->consoleWindow(3).view());
    host->orderOut(3);
    EXPECT_FALSE(host->isWindowVisible(3));
    EXPECT_NE(host->keyWindow(), 3);
}

TEST_F(QtHostTest, CloseBoxHidesAndTheLastHiddenWindowQuits) {
    host->orderFront(0);
    host->orderFront(10);
    host->window(0).close();
    EXPECT_EQ(closed, std::vector<int>{0});
    EXPECT_FALSE(host->isWindowVisible(0));
    QTest::qWait(400);
    EXPECT_EQ(quits, 0);  // the system console is still open
    host->window(10).close();
    EXPECT_FALSE(host->isWindowVisible(10));
    QTest::qWait(400);
    EXPECT_EQ(quits, 1);
}

TEST_F(QtHostTest, HidingOneWindowAndShowingAnotherDoesNotQuit) {
    host->orderFront(0);
    host->orderOut(0);
    host->orderFront(1);
    QTest::qWait(400);
    EXPECT_EQ(quits, 0);
}

TEST_F(QtHostTest, MenusAreReadAndPrunedByTitle) {
    const auto edit = host->menuItems("Bearbeiten");
    ASSERT_TRUE(edit.has_value());
    ASSERT_FALSE(edit->empty());
    EXPECT_EQ(edit->front().title, "Text kopieren");
    EXPECT_EQ(edit->front().tag, 111);
    EXPECT_EQ(edit->front().keyModifiers & (1u << 20), 1u << 20);
    EXPECT_FALSE(host->menuItems("Edit").has_value());
    EXPECT_TRUE(host->deleteMenuItem("Bearbeiten", 0));
    EXPECT_EQ(host->menuItems("Bearbeiten")->size(), edit->size() - 1);
    EXPECT_FALSE(host->deleteMenuItem("Bearbeiten", 99));
    EXPECT_FALSE(host->deleteMenuItem("Edit", 0));
}

TEST_F(QtHostTest, MenuChoicesReachTheCallbackWithTheirTag) {
    const int file = *host->menus().menuIndex(QStringLiteral("Ablage"));
    host->menus().action(file, 2)->trigger();  // Grafik sichern unter…
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_EQ(chosen[0].tag, 113);
    EXPECT_EQ(chosen[0].menuTitle, QStringLiteral("Ablage"));
}

TEST_F(QtHostTest, PasteboardCarriesTextAndImages) {
    host->setPasteboardText("Zug E2-E4 – gut");
    EXPECT_EQ(host->pasteboardText(), "Zug E2-E4 – gut");
    HostImage image{2, 1, {255, 10, 20, 30, 255, 200, 100, 0}};
    host->setPasteboardImage(image);
    const QImage pasted = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(pasted.size(), QSize(2, 1));
    EXPECT_EQ(pasted.pixel(0, 0), qRgba(10, 20, 30, 255));
    EXPECT_EQ(pasted.pixel(1, 0), qRgba(200, 100, 0, 255));
    host->setPasteboardImage(HostImage{4, 4, {1, 2, 3}});  // too short: ignored, no crash
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(2, 1));
}

TEST_F(QtHostTest, TextViewsShowCarriageReturnLinesAndRulers) {
    EXPECT_TRUE(host->hasTextView(8));
    EXPECT_TRUE(host->hasTextView(10));
    EXPECT_FALSE(host->hasTextView(0));
    EXPECT_FALSE(host->hasTextView(11));
    host->setTextViewText(9, "Spielverlauf am 06.12.2026\rWeiss: Mensch\r\n");
    EXPECT_EQ(host->textViewText(9), "Spielverlauf am 06.12.2026\nWeiss: Mensch\n");
    host->setRulerText(9, "L...!....1");
    EXPECT_EQ(host->textWindow(9).ruler()->text(), QStringLiteral("L...!....1"));
    // A ruler wider than its field shows its first column, which lines up with the text's.
    const std::string longRuler = "L" + std::string(158, '.') + "R";
    host->setRulerText(9, longRuler);
    EXPECT_EQ(host->textWindow(9).ruler()->cursorPosition(), 0);
    host->setRulerText(8, "ignored");  // the pasteboard window has no ruler
    host->setUpTextView(9);
    EXPECT_EQ(host->textViewText(9), "");
    EXPECT_EQ(host->textWindow(9).text().font().pointSize(), 12);
    host->appendConsoleLine(QStringLiteral("t_InitMemory: Start."));
    EXPECT_EQ(host->textViewText(10), "t_InitMemory: Start.");
}

TEST_F(QtHostTest, MainThreadTasksRunOnTheGuiThread) {
    EXPECT_TRUE(host->isMainThread());
    bool ran = false;
    host->runOnMainThread([&] { ran = true; });
    EXPECT_TRUE(ran);

    std::atomic<bool> onGui{false};
    std::atomic<bool> seenFromWorker{true};
    std::thread worker([&] {
        seenFromWorker = host->isMainThread();
        host->runOnMainThread([&] { onGui = host->isMainThread(); });
    });
    while (!onGui) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    worker.join();
    EXPECT_FALSE(seenFromWorker);
    EXPECT_TRUE(onGui);

    bool posted = false;
    host->postToMainThread([&] { posted = true; });
    EXPECT_FALSE(posted);
    QCoreApplication::processEvents();
    EXPECT_TRUE(posted);
}

}  // namespace
}  // namespace zarvik::qthost
