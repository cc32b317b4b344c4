// Menu choices: the built-in actions, which items reach the program's handler, the menu item
// operations and the clean-up of the host's menus.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <set>
#include <vector>

#include "tests/toolkit/app/fixture.h"
#include "toolkit/app/menus.h"
#include "toolkit/app/menutable.h"
#include "toolkit/app/printer.h"
#include "toolkit/screen/threads.h"
#include "toolkit/text/textoutput.h"

namespace zarvik::eventtests {
namespace {

// Counters of the program's menu handler. They outlive every test: a handler thread started by one
// test may still be running when the next begins.
std::atomic<int> handlerCalls{0};
std::atomic<bool> named{false};

class Menus : public EventsTest {
  protected:
    void SetUp() override {
        EventsTest::SetUp();
        handlerCalls = 0;
        named = false;
        t_SetMenuHandler([] {
            // Only threads from number 3 on carry their name.
            named = t_CurrentThreadName() == (t_CurrentThreadNumber() >= 3 ? "t_EventMenu" : "");
            ++handlerCalls;
        });
    }
    void TearDown() override {
        t_SetMenuHandler(nullptr);
        EventsTest::TearDown();
    }
    // The host's main thread reports the choice, as a real menu bar would.
    void choose(int tag, std::string title = "Punkt", std::optional<std::string> menu = "Fenster") {
        testHost().runOnMainThread([&] { t_MenuEventHandler({menu, {title, tag, "k", 1u << 20}}); });
    }
};

TEST_F(Menus, HideAllHidesEveryWindowAndLeavesNoEvent) {
    initTextWindow(0, 4, 2);
    initTextWindow(3, 4, 2);
    testHost().runOnMainThread([] { host().orderFront(9); });
    CapturedOutput quiet;
    choose(200, "Alle ausblenden");
    EXPECT_FALSE(t_WindowRecord(0).Visible);
    EXPECT_FALSE(t_WindowRecord(3).Visible);
    EXPECT_FALSE(testHost().window(9).visible);
    EXPECT_FALSE(t_MenuPending()) << "a later item would take it";
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(handlerCalls, 0);
}

// Whatever built-in items came before, the program's handler reads the item that was chosen.
TEST_F(Menus, TheHandlerReadsExactlyTheChosenItem) {
    initTextWindow(0, 4, 2);
    initTextWindow(3, 4, 2);
    std::vector<std::string> taken;
    std::mutex takenMutex;
    t_SetMenuHandler([&] {
        const auto [menu, item] = t_NextMenuEvent();
        const std::lock_guard lock(takenMutex);
        taken.push_back(item);
    });
    CapturedOutput quiet;
    for (const int tag : {111, 110, 112, 114, 202, 231, 213 + 2 * 3, 213 + 2 * 3 + 1}) {
        choose(tag, "Eingebaut");
    }
    choose(0, "Spiel öffnen…", "Ablage");
    EXPECT_TRUE(eventually([&] {
        const std::lock_guard lock(takenMutex);
        return taken.size() == 1;
    }));
    choose(111, "Text kopieren", "Bearbeiten");
    choose(0, "Spiel sichern unter…", "Ablage");
    EXPECT_TRUE(eventually([&] {
        const std::lock_guard lock(takenMutex);
        return taken.size() == 2;
    }));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const std::lock_guard lock(takenMutex);
    EXPECT_EQ(taken, (std::vector<std::string>{"Spiel öffnen…", "Spiel sichern unter…"}));
    EXPECT_EQ(t_MenuQueueLength(), 0u);
}

TEST_F(Menus, HidingTheOnlyVisibleWindowIsRefusedWithTheBell) {
    initTextWindow(0, 4, 2);
    initTextWindow(3, 4, 2);
    CapturedOutput quiet;
    choose(213 + 2 * 3 + 1);  // window 3 hidden while window 0 shows
    ASSERT_FALSE(t_WindowRecord(3).Visible);
    ASSERT_TRUE(t_WindowRecord(0).Visible);
    const int bells = testHost().bells();
    bool enabled = true;
    testHost().runOnMainThread([&] { enabled = t_MenuItemEnabled(213 + 1); });
    EXPECT_FALSE(enabled) << "the host shows the item greyed";
    choose(213 + 1);
    EXPECT_TRUE(t_WindowRecord(0).Visible);
    EXPECT_EQ(testHost().bells(), bells + 1);
    choose(213 + 2 * 3);
    testHost().runOnMainThread([&] { enabled = t_MenuItemEnabled(213 + 1); });
    EXPECT_TRUE(enabled);
    choose(213 + 1);
    EXPECT_FALSE(t_WindowRecord(0).Visible) << "another window shows";
}

struct HandlerCase {
    const char* name;
    int tag;
    bool reachesProgram;
};

class MenuHandlerRule : public Menus, public ::testing::WithParamInterface<HandlerCase> {};

TEST_P(MenuHandlerRule, OnlyItemsWithoutARecordReachTheProgram) {
    const HandlerCase& c = GetParam();
    CapturedOutput quiet;
    choose(c.tag);
    if (c.reachesProgram) {
        EXPECT_TRUE(eventually([&] { return handlerCalls == 1; }));
        EXPECT_TRUE(named);
    } else {
        EXPECT_FALSE(t_MenuPending());
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_EQ(handlerCalls, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tags, MenuHandlerRule,
    ::testing::Values(HandlerCase{"TagZero", 0, true}, HandlerCase{"UnknownTag", 300, true},
                      HandlerCase{"Record202", 202, false}, HandlerCase{"Record203", 203, false},
                      HandlerCase{"Record204", 204, false}, HandlerCase{"Record231", 231, false},
                      HandlerCase{"TagBelowTable", 109, true}),
    [](const ::testing::TestParamInfo<HandlerCase>& info) { return std::string(info.param.name); });

TEST_F(Menus, ItemWithoutMenuQueuesKindZeroWithEmptyTexts) {
    CapturedOutput quiet;
    choose(0, "Lose", std::nullopt);
    t_NextMenuEvent();
    const t_MenuEvent e = t_CurrentMenuEvent();
    EXPECT_EQ(e.Kind, 0);
    EXPECT_EQ(e.MenuTitle, "");
    EXPECT_EQ(e.ItemTitle, "");
    EXPECT_EQ(e.ItemKeyAsc, 0);
}

TEST_F(Menus, ConsoleWindowFrontAndHideByTag) {
    initTextWindow(0, 4, 2);
    initTextWindow(4, 4, 2);
    CapturedOutput quiet;
    choose(213 + 2 * 4 + 1);
    EXPECT_FALSE(t_WindowRecord(4).Visible);
    choose(213 + 2 * 4);
    EXPECT_TRUE(t_WindowRecord(4).Visible);
}

TEST_F(Menus, UninitialisedConsoleWindowRingsTheBell) {
    const int bells = testHost().bells();
    CapturedOutput quiet;
    choose(213 + 2 * 6);
    EXPECT_EQ(testHost().bells(), bells + 1);
}

TEST_F(Menus, NamedWindowsFrontAndHide) {
    initTextWindow(0, 4, 2);  // stays shown, so no hide leaves the application without a window
    const std::vector<std::pair<int, int>> frontTags{{205, 12}, {207, 11}, {209, 9}, {211, 8}, {229, 10}};
    CapturedOutput quiet;
    for (const auto& [tag, window] : frontTags) {
        choose(tag);
        testHost().drain();
        EXPECT_TRUE(testHost().window(window).visible) << tag;
        choose(tag + 1);
        testHost().drain();
        EXPECT_FALSE(testHost().window(window).visible) << tag + 1;
    }
}

TEST_F(Menus, CopyTextOfAConsoleWindowReplacesLineDrawingCodes) {
    initTextWindow(0, 6, 1);
    CapturedOutput quiet;
    for (std::uint8_t code :
         {std::uint8_t('A'), std::uint8_t(156), std::uint8_t(138), std::uint8_t(128), std::uint8_t(160)}) {
        t_PrintChar(0, code);
    }
    testHost().setKeyWindow(0);
    choose(111);
    EXPECT_EQ(host().pasteboardText().value_or(""), "A-|*\u02FD");
}

// The program prints whole screens of one letter, then of the next, while the main thread copies the
// text: every copy has at most the window's lines, each no longer than the window and made of whole
// cells only. Which letters a line shows depends on how far the printing got while it was read: a
// copier that loses its core may see several rounds in one line, which is not a torn cell.
TEST_F(Menus, CopyTextWhilePrintingGivesWholeCells) {
    constexpr int columns = 40;
    constexpr int lines = 6;
    initTextWindow(0, columns, lines);
    testHost().setKeyWindow(0);
    std::atomic<bool> stop{false};
    std::thread program([&] {
        for (int round = 0; !stop; ++round) {
            const std::string line(columns, static_cast<char>('A' + round % 3));
            t_CursorHome(0);
            for (int l = 1; l < lines; ++l) {
                t_Print(0, line);
            }
            t_Print(0, std::string_view(line).substr(0, columns - 1));
        }
    });
    int badLines = 0;
    for (int i = 0; i < 300; ++i) {
        choose(111);
        const std::string copied = host().pasteboardText().value_or("");
        std::size_t from = 0;
        int count = 0;
        for (;;) {
            const std::size_t cr = copied.find('\r', from);
            const std::string line =
                copied.substr(from, cr == std::string::npos ? std::string::npos : cr - from);
            ++count;
            const bool whole = line.size() <= columns && line.find_first_not_of(" ABC") == std::string::npos;
            badLines += !whole;
            if (cr == std::string::npos) {
                break;
            }
            from = cr + 1;
        }
        badLines += count > lines;
    }
    stop = true;
    program.join();
    EXPECT_EQ(badLines, 0);
}

TEST_F(Menus, CopyTextOfThePrinterAndConsoleAndTheBellElsewhere) {
    p_SetPrinter("1. 12:00 Weiss E2-E4");
    testHost().setKeyWindow(9);
    {
        CapturedOutput quiet;
        choose(111);
        t_WindowVisible(8, true);
    }
    EXPECT_EQ(host().pasteboardText().value_or(""), "1. 12:00 Weiss E2-E4");
    testHost().drain();
    EXPECT_EQ(testHost().textView(8).text, "1. 12:00 Weiss E2-E4");
    p_AppendConsole("Protokoll");
    testHost().setKeyWindow(10);
    choose(111);
    EXPECT_NE(host().pasteboardText().value_or("").find("Protokoll"), std::string::npos);
    choose(114);  // the console outlives the test

    const int bells = testHost().bells();
    testHost().setKeyWindow(12);
    choose(111);
    testHost().setTextViewExists(10, false);
    testHost().setKeyWindow(10);
    CapturedOutput quiet;
    choose(111);
    EXPECT_EQ(testHost().bells(), bells + 2);
}

TEST_F(Menus, CopyImageOfTheKeyWindow) {
    initTextWindow(1, 4, 2);
    testHost().setKeyWindow(1);
    CapturedOutput quiet;
    choose(110);
    const std::optional<HostImage> image = testHost().pasteboardImage();
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->width, 32);
    EXPECT_EQ(image->height, 32);
    const int bells = testHost().bells();
    testHost().setKeyWindow(9);
    choose(110);
    EXPECT_EQ(testHost().bells(), bells + 1);
}

TEST_F(Menus, SaveGraphicCallsTheHandlerOnlyForAConsoleWindow) {
    initTextWindow(1, 2, 1);
    std::atomic<int> saves{0};
    t_SetSaveGraphicHandler([&] { ++saves; });
    testHost().setKeyWindow(1);
    CapturedOutput quiet;
    choose(113);
    EXPECT_EQ(saves, 1);
    const int bells = testHost().bells();
    testHost().setKeyWindow(9);
    choose(113);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(testHost().bells(), bells + 1);
    t_SetSaveGraphicHandler(nullptr);
    testHost().setKeyWindow(1);
    choose(113);
    EXPECT_EQ(testHost().bells(), bells + 2);
}

TEST_F(Menus, ClearPrinterAndConsole) {
    p_SetPrinter("alt");
    p_AppendConsole("Protokoll");
    EXPECT_EQ(testHost().textView(10).text, "Protokoll");
    CapturedOutput quiet;
    choose(112);
    choose(114);
    EXPECT_EQ(testHost().textView(9).text, "");
    EXPECT_EQ(testHost().textView(10).text, "");
    p_AppendConsole("neu");
    EXPECT_EQ(testHost().textView(10).text, "neu");
}

TEST_F(Menus, ClearWithoutTheViewsRings) {
    testHost().setTextViewExists(9, false);
    testHost().setTextViewExists(10, false);
    const int bells = testHost().bells();
    CapturedOutput quiet;
    choose(112);
    choose(114);
    EXPECT_EQ(testHost().bells(), bells + 2);
}

class MenuItems : public EventsTest {
  protected:
    void SetUp() override {
        EventsTest::SetUp();
        testHost().setMenu("Ablage", {{"Neu", 0, "n", 0}, {"\u00D6ffnen", 0, "", 0}, {"", 0, "", 0}});
        testHost().setMenu("Leer", {});
    }
    void TearDown() override {
        testHost().removeMenu("Ablage");
        testHost().removeMenu("Leer");
        EventsTest::TearDown();
    }
};

TEST_F(MenuItems, IndexTitleAndMissingMenu) {
    EXPECT_EQ(t_MenuItemIndex("Ablage", "\u00D6ffnen"), 1);
    EXPECT_EQ(t_MenuItemIndex("Ablage", "Schliessen"), -1);
    EXPECT_EQ(t_MenuItemTitle("Ablage", 0), "Neu");
    EXPECT_EQ(t_MenuItemTitle("Ablage", 65535), "");
    EXPECT_EQ(t_MenuItemTitle("Ablage", 1), "\u00D6ffnen");
    CapturedOutput quiet;
    EXPECT_EQ(t_MenuItemIndex("File", "Neu"), -2);
    EXPECT_EQ(t_MenuItemTitle("File", 0), "");
    EXPECT_EQ(t_MenuItemTitle("Ablage", 3), "");
    EXPECT_EQ(t_MenuItemTitle("Leer", 65535), "");
    t_MenuItemDelete("File", 0);
    EXPECT_EQ(testHost().menu("Ablage").size(), 3u);
}

TEST_F(MenuItems, DeleteByPositionAndLast) {
    t_MenuItemDelete("Ablage", 65535);
    EXPECT_EQ(testHost().menu("Ablage").size(), 2u);
    t_MenuItemDelete("Ablage", 0);
    ASSERT_EQ(testHost().menu("Ablage").size(), 1u);
    EXPECT_EQ(testHost().menu("Ablage")[0].title, "\u00D6ffnen");
    CapturedOutput quiet;
    t_MenuItemDelete("Leer", 65535);
    t_MenuItemDelete("Ablage", 1);
    t_MenuItemDelete("Ablage", -1);
    EXPECT_TRUE(testHost().menu("Leer").empty());
    EXPECT_EQ(testHost().menu("Ablage").size(), 1u);
}

TEST_F(MenuItems, CleanUpRemovesPalettesDictationTilingAndTrailingSeparators) {
    testHost().setMenu("Bearbeiten", {{"Kopieren", 111, "c", 0},
                                      {"", 0, "", 0},
                                      {"Emoji & Symbole", 0, "", 0},
                                      {"Diktat starten \u2026", 0, "", 0},
                                      {"", 0, "", 0}});
    testHost().setMenu("Window", {{"Minimize", 0, "", 0}, {"Tile Window to Left of Screen", 0, "", 0}});
    CapturedOutput quiet;
    t_CleanUpHostMenus();
    const std::vector<HostMenuItem> edit = testHost().menu("Bearbeiten");
    ASSERT_EQ(edit.size(), 2u);
    EXPECT_EQ(edit[0].title, "Kopieren");
    ASSERT_EQ(testHost().menu("Window").size(), 1u);
    testHost().removeMenu("Bearbeiten");
    testHost().removeMenu("Window");
}

}  // namespace
}  // namespace zarvik::eventtests

namespace zarvik::eventtests {
namespace {

// The menu table: what the hosts build from it must make sense to the toolkit and the program.
TEST(MenuTable, BuiltInTagsHaveActionsAndShortcutsAreDistinct) {
    t_BuildMenuActions();
    std::set<std::pair<char, std::uint32_t>> shortcuts;
    for (const t_MenuRow& row : t_MenuTable()) {
        SCOPED_TRACE(std::string(row.Title));
        const HostMenuItem item = t_HostMenuItemOf(row);
        if (row.Tag == t_MenuTag::Program || t_IsHostTag(row.Tag)) {
            EXPECT_EQ(item.tag, 0) << "must reach the program's handler or stay with the host";
        } else {
            EXPECT_TRUE(t_FindMenuAction(item.tag).has_value());
        }
        EXPECT_EQ(row.Command != t_MenuCommand::None, row.Tag == t_MenuTag::Program && !row.Title.empty());
        if (row.Key != 0) {
            EXPECT_TRUE(shortcuts.insert({row.Key, row.Modifiers}).second) << "shortcut used twice";
        }
    }
    const std::vector<std::string_view> menus = t_MenuTitles();
    EXPECT_EQ(std::set<std::string_view>(menus.begin(), menus.end()).size(), menus.size());
}

TEST(MenuTable, ProgramItemsAreToldApartByMenuAndTitle) {
    const struct {
        const char* menu;
        const char* item;
        t_MenuCommand command;
    } rows[] = {
        {"Ablage", "Spiel öffnen…", t_MenuCommand::OpenGame},
        {"Ablage", "Spiel sichern unter…", t_MenuCommand::SaveGameAs},
        {"Ablage", "Grafik sichern unter…", t_MenuCommand::None},
        {"Ablage", "Beenden", t_MenuCommand::None},
        {"Fenster", "Spiel öffnen…", t_MenuCommand::None},
        {"Ablage", "", t_MenuCommand::None},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(t_MenuCommandOf(row.menu, row.item), row.command) << row.menu << " " << row.item;
    }
}

}  // namespace
}  // namespace zarvik::eventtests
