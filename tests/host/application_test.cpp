// The whole road through the real widgets on the offscreen platform: Qt events into the toolkit's
// queues, menu choices into its actions and the program's handler, the view's pixels, documents.
#include <atomic>
#include <chrono>
#include <thread>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "frontend/fileevents.h"
#include "frontend/record.h"
#include "host/appdelegate.h"
#include "host/commandline.h"
#include "tests/host/modal.h"
#include "toolkit/app/events.h"
#include "toolkit/app/presentation.h"
#include "toolkit/screen/font.h"
#include "toolkit/screen/pixels.h"
#include "toolkit/screen/window.h"
#include "util/dialogs.h"

namespace zarvik::qthost {
namespace {

// One delegate for the whole run: the toolkit's state lives for the process.
AppDelegate& delegate() {
    static AppDelegate* made = [] {
        auto* d = new AppDelegate({});
        t_InitWindow(0, 24, false, 64, 40, 4, 4, t_Font{}, true);
        return d;
    }();
    return *made;
}

class Application : public testing::Test {
  protected:
    void SetUp() override {
        host = &delegate().host();
        t_WindowFront(0);
        while (t_TakeKeyEvent()) {
        }
    }
    ConsoleView& view() { return host->consoleWindow(0).view(); }

    QtHost* host = nullptr;
};

struct KeyRoad {
    const char* name;
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    const char16_t* text;
    int value;
    const char* description;
};

void PrintTo(const KeyRoad& c, std::ostream* os) {
    *os << c.name;
}

// A few keys of each kind: the translation and the key map have tables of their own.
class KeyRoadTest : public Application, public testing::WithParamInterface<KeyRoad> {};

TEST_P(KeyRoadTest, RealKeyEventsReachTheKeyQueue) {
    const KeyRoad& c = GetParam();
    QKeyEvent press(QEvent::KeyPress, c.qtKey, c.modifiers, QString::fromUtf16(c.text));
    QApplication::sendEvent(&view(), &press);
    const std::optional<t_Event> event = t_TakeKeyEvent();
    ASSERT_TRUE(event.has_value());
    EXPECT_EQ(event->Kind, 1);
    EXPECT_EQ(event->Value, c.value);
    EXPECT_EQ(event->Description, c.description);
    EXPECT_EQ(event->Window, 0);
    EXPECT_FALSE(t_TakeKeyEvent().has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyRoadTest,
    testing::Values(KeyRoad{"Left", Qt::Key_Left, {}, u"", 8, "Ctrl-H"},
                    KeyRoad{"Home", Qt::Key_Home, {}, u"", 2, "Ctrl-B"},
                    KeyRoad{"ForwardDelete", Qt::Key_Delete, {}, u"", 7, "Ctrl-G"},
                    KeyRoad{"Backspace", Qt::Key_Backspace, {}, u"\b", 127, "\x7f"},
                    KeyRoad{"Return", Qt::Key_Return, {}, u"\r", 13, "Ctrl-M"},
                    KeyRoad{"F5", Qt::Key_F5, {}, u"", 133, "F5"},
                    KeyRoad{"CtrlZ", Qt::Key_Z, Qt::ControlModifier, u"\x1a", 26, "Ctrl-Z"},
                    KeyRoad{"UmlautA", Qt::Key_Adiaeresis, {}, u"ä", 228, "ä"},
                    KeyRoad{"Letter", Qt::Key_E, Qt::ShiftModifier, u"E", 69, "E"}),
    [](const testing::TestParamInfo<KeyRoad>& info) { return std::string(info.param.name); });

TEST_F(Application, TypedTextArrivesInOrder) {
    QTest::keyClicks(&view(), QStringLiteral("e2-e4"));
    std::string typed;
    while (auto event = t_TakeKeyEvent()) {
        typed += event->Description;
    }
    EXPECT_EQ(typed, "e2-e4");
}

TEST_F(Application, BuiltInMenuItemActsAndUntaggedOneReachesTheProgram) {
    std::atomic<int> programCalls{0};
    t_SetMenuHandler([&] { ++programCalls; });
    MenuModel& menus = host->menus();
    const int windows = *menus.menuIndex(QStringLiteral("Fenster"));
    const int file = *menus.menuIndex(QStringLiteral("Ablage"));

    menus.action(windows, 3)->trigger();  // Drucker zeigen (209)
    EXPECT_TRUE(host->isWindowVisible(9));
    menus.action(windows, 4)->trigger();  // Drucker ausblenden (210)
    EXPECT_FALSE(host->isWindowVisible(9));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(programCalls.load(), 0);

    menus.action(file, 0)->trigger();  // Spiel öffnen… (no tag)
    EXPECT_TRUE(waitFor([&] { return programCalls.load() == 1; }));
    bool found = false;
    while (t_MenuPending()) {
        const auto [menu, item] = t_NextMenuEvent();
        found = found || (menu == "Ablage" && item == "Spiel öffnen…");
    }
    EXPECT_TRUE(found);
    t_SetMenuHandler([] {});
}

// The menu "Spiel" stands between "Ablage" and "Bearbeiten"; its shortcuts typed in the game's
// window reach the program's handler with the item's title, not the key queue.
TEST_F(Application, GameMenuAndItsShortcutsReachTheProgram) {
    std::atomic<int> programCalls{0};
    t_SetMenuHandler([&] { ++programCalls; });
    MenuModel& menus = host->menus();
    const int game = *menus.menuIndex(QStringLiteral("Spiel"));
    EXPECT_EQ(game, *menus.menuIndex(QStringLiteral("Ablage")) + 1);
    EXPECT_EQ(*menus.menuIndex(QStringLiteral("Bearbeiten")), game + 1);
    QApplication::setActiveWindow(&host->window(0));
    view().setFocus();
    ASSERT_TRUE(waitFor([&] { return QApplication::activeWindow() == &host->window(0); }));
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        const char* item;
    } shortcuts[] = {{Qt::Key_N, Qt::ControlModifier, "Neues Spiel"},
                     {Qt::Key_Z, Qt::ControlModifier, "Zug zurücknehmen"},
                     {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "Zug wiederholen"},
                     {Qt::Key_R, Qt::ControlModifier, "Brett drehen"}};
    for (const auto& shortcut : shortcuts) {
        const int before = programCalls.load();
        QTest::keyClick(&view(), static_cast<Qt::Key>(shortcut.key), shortcut.modifiers);
        EXPECT_TRUE(waitFor([&] { return programCalls.load() == before + 1; })) << shortcut.item;
        const auto [menu, item] = t_NextMenuEvent();
        EXPECT_EQ(menu, "Spiel");
        EXPECT_EQ(item, shortcut.item);
        EXPECT_FALSE(t_TakeKeyEvent().has_value()) << shortcut.item;
    }
    t_SetMenuHandler([] {});
}

// The program's question with the save question's buttons, asked from the program thread as a modal
// dialog of the GUI thread.
TEST_F(Application, NewGameSaveQuestionAnswersWithTheButtonChosen) {
    for (const char* button : {"Sichern", "Nicht sichern", "Abbrechen"}) {
        QString asked;
        answerModal(QString::fromUtf8(button), asked);
        std::string answer;
        std::atomic<bool> done{false};
        std::thread program([&] {
            answer = askquestion("Das Spiel ist nicht gesichert. Vor dem neuen Spiel sichern?",
                                 {"Sichern", "Nicht sichern", "Abbrechen"});
            done = true;
        });
        EXPECT_TRUE(waitFor([&] { return done.load(); })) << button;
        program.join();
        EXPECT_EQ(answer, button);
        EXPECT_EQ(asked, QStringLiteral("Das Spiel ist nicht gesichert. Vor dem neuen Spiel sichern?"));
    }
}

TEST_F(Application, CloseBoxHidesTheWindow) {
    ASSERT_TRUE(host->isWindowVisible(0));
    EXPECT_FALSE(host->window(0).close());
    EXPECT_FALSE(host->isWindowVisible(0));
    EXPECT_FALSE(t_WindowRecord(0).Visible);
}

TEST_F(Application, ViewPaintsTheWindowImage) {
    for (int i = 0; i < 40; ++i) {
        g_Plot(0, i, i, 0xFF102030u + std::uint32_t(i) * 0x01000000u);
        g_Plot(0, 63 - i, i, 0x80FFFFFFu);
    }
    host->consoleWindow(0).resize(64 + 8, 40 + 8 + host->consoleWindow(0).titleHeight());
    const std::optional<HostImage> image = t_WindowImage(0);
    ASSERT_TRUE(image.has_value());
    ASSERT_EQ(view().size(), QSize(64, 40));
    const QImage painted = view().grab().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(painted.size(), QSize(image->width, image->height));
    int differing = 0;
    for (int y = 0; y < image->height; ++y) {
        for (int x = 0; x < image->width; ++x) {
            const std::uint8_t* p = &image->argb[std::size_t(y * image->width + x) * 4];
            differing += painted.pixel(x, y) != qRgba(p[1], p[2], p[3], p[0]);
        }
    }
    EXPECT_EQ(differing, 0);
}

TEST_F(Application, CommandLinePathBecomesAPendingFileEvent) {
    while (frontend::fileEventPending()) {
        frontend::takeFileEvent();
    }
    const CommandLine line = parseCommandLine({QStringLiteral("/tmp/Partie.zarvik")});
    AppDelegate::postDocuments(line.documents);
    EXPECT_TRUE(frontend::fileEventPending());
    EXPECT_EQ(frontend::takeFileEvent(), "/tmp/Partie.zarvik");
}

// The game with a half-move that was never saved, for the length of a test.
class UnsavedGame {
  public:
    UnsavedGame() { frontend::RecordAccess()->unsaved = true; }
    ~UnsavedGame() { frontend::RecordAccess()->unsaved = false; }
};

QAction* beenden(QtHost& host) {
    MenuModel& menus = host.menus();
    const int file = *menus.menuIndex(QStringLiteral("Ablage"));
    for (int i = 0; i < menus.itemCount(file); ++i) {
        if (menus.item(file, i)->title == QStringLiteral("Beenden")) {
            return menus.action(file, i);
        }
    }
    return nullptr;
}

// The event loop's exit code after `start` ran in it: 0 when the application ended, 42 when it
// still ran half a second later.
template <typename Start>
int exitCodeAfter(Start start) {
    QTimer::singleShot(0, start);
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::exit(42); });
    giveUp.start(500);
    return QApplication::exec();
}

// Qt's own quit asks every window to close first, and the close box only hides: "Beenden" must end
// the event loop anyway, with the windows still shown; with unsaved moves it asks first.
TEST_F(Application, BeendenEndsTheEventLoopAndAsksBeforeUnsavedMovesAreLost) {
    host->orderFront(0);
    QAction* quit = beenden(*host);
    ASSERT_NE(quit, nullptr);
    EXPECT_EQ(exitCodeAfter([quit] { quit->trigger(); }), 0);
    EXPECT_TRUE(host->isWindowVisible(0));
    const UnsavedGame unsaved;
    QString asked;
    answerModal(QStringLiteral("Abbrechen"), asked);
    EXPECT_EQ(exitCodeAfter([quit] { quit->trigger(); }), 42) << "the game goes on";
    EXPECT_EQ(asked, QStringLiteral("Das Spiel ist nicht gesichert. Vor dem Beenden sichern?"));
    answerModal(QStringLiteral("Nicht sichern"), asked);
    EXPECT_EQ(exitCodeAfter([quit] { quit->trigger(); }), 0);
}

// Closing the last window shown would end the application: with unsaved moves it asks first, and
// "Abbrechen" keeps the window.
TEST_F(Application, ClosingTheLastWindowAsksFirst) {
    for (int n = 1; n < kHostWindowCount; ++n) {
        host->orderOut(n);
    }
    host->orderFront(0);
    const UnsavedGame unsaved;
    QString asked;
    answerModal(QStringLiteral("Abbrechen"), asked);
    EXPECT_FALSE(host->window(0).close());
    EXPECT_TRUE(host->isWindowVisible(0));
    EXPECT_EQ(asked, QStringLiteral("Das Spiel ist nicht gesichert. Vor dem Beenden sichern?"));
}

}  // namespace
}  // namespace zarvik::qthost
