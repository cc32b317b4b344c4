// The key and menu queues seen from the program: order, pending flags, current events, waiting.
#include <gtest/gtest.h>

#include <thread>

#include "tests/events/fixture.h"
#include "toolkit/input.h"

namespace zarvik::eventtests {
namespace {

using KeyQueue = EventsTest;

TEST_F(KeyQueue, NextEventOnEmptyQueueKeepsCurrentEvent) {
    t_PostKeys("x");
    ASSERT_EQ(t_NextEvent(), 'x');
    const t_Event before = t_CurrentEvent();
    EXPECT_FALSE(t_KeyPending());
    EXPECT_EQ(t_NextEvent(), -1);
    EXPECT_EQ(t_CurrentEvent(), before);
}

TEST_F(KeyQueue, PostKeysQueuesOneEventPerCharacterInOrder) {
    t_PostKeys("a\u00E4\u20AC\r");
    EXPECT_TRUE(t_KeyPending());
    for (int expected : {int('a'), 0xE4, 0x20AC, 13}) {
        EXPECT_EQ(t_NextEvent(), expected);
        const t_Event e = t_CurrentEvent();
        EXPECT_EQ(e.Kind, 1);
        EXPECT_EQ(e.Index, 0);
        EXPECT_EQ(e.Window, 1);
        EXPECT_GT(e.Time, 0);
        EXPECT_EQ(e.Mods, 0);
        EXPECT_FALSE(e.ShiftPressed || e.CursorKeyPressed || e.FunctionKeyPressed);
    }
    EXPECT_EQ(t_CurrentEvent().Description, "\r");
    EXPECT_FALSE(t_KeyPending());
}

TEST_F(KeyQueue, BrokenUtf8PostsReplacementCharacters) {
    t_PostKeys(std::string("a\xC3", 2));
    EXPECT_EQ(t_NextEvent(), 'a');
    EXPECT_EQ(t_NextEvent(), 0xFFFD);
    EXPECT_EQ(t_NextEvent(), -1);
}

TEST_F(KeyQueue, KeyHandlerQueuesAndRedirects) {
    initTextWindow(0, 10, 2);
    t_KeyEventHandler(0, {123, U"\uF702", 1u << 17});
    EXPECT_TRUE(t_KeyPending());
    EXPECT_TRUE(t_CurrentModifiers().Shift);
    EXPECT_EQ(t_NextEvent(), 8);
    EXPECT_EQ(t_CurrentEvent().Window, 0);
    t_KeyEventHandler(0, {91, U"8", 1u << 18});
    EXPECT_FALSE(t_KeyPending());
    EXPECT_EQ(t_WindowRecord(0).TextRedirectOutput, 2);
    EXPECT_FALSE(t_CurrentModifiers().Shift);
    EXPECT_TRUE(t_CurrentModifiers().Control);
}

TEST_F(KeyQueue, WaitKeySkipsNegativeValuesAndReturnsTheCharacter) {
    initTextWindow(0, 10, 2);
    t_Event negative;
    negative.Kind = 1;
    negative.Value = -5;
    t_PostKeyEvent(negative);
    t_PostKeys("\u00DF");
    EXPECT_EQ(t_WaitKey(0), "\u00DF");
    EXPECT_EQ(t_WindowRecord(0).TextCursorLevel, 0);
}

TEST_F(KeyQueue, WaitKeyWaitsForAKeyFromAnotherThreadWithTheCursorShown) {
    initTextWindow(0, 10, 2);
    std::thread poster([] {
        ASSERT_TRUE(eventually([] { return t_WindowRecord(0).TextCursorLevel == 1; }));
        t_PostKeys("q");
    });
    EXPECT_EQ(t_WaitKey(0), "q");
    poster.join();
    EXPECT_EQ(t_WindowRecord(0).TextCursorLevel, 0);
}

TEST_F(KeyQueue, WaitKeyTurnsAnInvalidScalarIntoNul) {
    initTextWindow(0, 10, 2);
    t_Event e;
    e.Kind = 1;
    e.Value = 0xD800;
    t_PostKeyEvent(e);
    EXPECT_EQ(t_WaitKey(0), std::string(1, '\0'));
}

TEST_F(KeyQueue, ConcurrentPostersLoseNoEvent) {
    constexpr int perThread = 500;
    std::thread a([] {
        for (int i = 0; i < perThread; ++i) {
            t_PostKeys("a");
        }
    });
    std::thread b([] {
        for (int i = 0; i < perThread; ++i) {
            t_PostKeys("b");
        }
    });
    int taken = 0;
    while (taken < 2 * perThread) {
        if (t_NextEvent() >= 0) {
            ++taken;
        }
    }
    a.join();
    b.join();
    EXPECT_FALSE(t_KeyPending());
}

using MenuQueue = EventsTest;

TEST_F(MenuQueue, NextMenuEventReturnsTitlesInOrderAndEmptyWhenDrained) {
    t_MenuEvent first;
    first.Kind = 3;
    first.MenuTitle = "Ablage";
    first.ItemTitle = "Spiel \u00F6ffnen\u2026";
    t_MenuEvent second = first;
    second.ItemTitle = "Beenden";
    t_PostMenuEvent(first);
    t_PostMenuEvent(second);
    EXPECT_TRUE(t_MenuPending());
    EXPECT_EQ(t_NextMenuEvent(), std::make_pair(std::string("Ablage"), first.ItemTitle));
    EXPECT_EQ(t_CurrentMenuEvent(), first);
    EXPECT_EQ(t_NextMenuEvent().second, "Beenden");
    EXPECT_FALSE(t_MenuPending());
    EXPECT_EQ(t_NextMenuEvent(), std::make_pair(std::string(), std::string()));
    EXPECT_EQ(t_CurrentMenuEvent(), second);
}

}  // namespace
}  // namespace zarvik::eventtests
