// The key and menu queues seen from the program: order, pending flags, current events, waiting.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/toolkit/app/fixture.h"
#include "toolkit/app/input.h"

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

// Negative values are skipped; a scalar that cannot be written reads as U+0000.
TEST_F(KeyQueue, WaitKeySkipsNegativeValuesAndReturnsTheCharacter) {
    initTextWindow(0, 10, 2);
    for (const int value : {-5, 0xD800}) {
        t_Event e;
        e.Kind = 1;
        e.Value = value;
        t_PostKeyEvent(e);
    }
    t_PostKeys("\u00DF");
    EXPECT_EQ(t_WaitKey(0), std::string(1, '\0'));
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

// The program waits for input only once it has looked at the latest key and no handler runs.
TEST_F(KeyQueue, WaitingForInputOnlyWhileAKeyWaitHasSeenEverything) {
    initTextWindow(0, 10, 2);
    EXPECT_FALSE(t_WaitingForInput()) << "nobody waits";
    std::atomic<int> taken{0};
    std::thread program([&] {
        for (int i = 0; i < 2; ++i) {
            t_WaitKey(0);
            ++taken;
        }
    });
    ASSERT_TRUE(eventually([] { return t_WaitingForInput(); }));
    std::atomic<bool> release{false};
    t_RunHandler("t_Test", [&] {
        while (!release) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    EXPECT_FALSE(t_WaitingForInput()) << "a handler runs";
    release = true;
    ASSERT_TRUE(eventually([] { return t_WaitingForInput(); }));
    t_PostKeys("a");
    // Waiting again means the key was taken.
    EXPECT_TRUE(!t_WaitingForInput() || taken == 1) << "a key the program has not seen";
    ASSERT_TRUE(eventually([&] { return taken == 1 && t_WaitingForInput(); }));
    t_PostKeys("b");
    program.join();
    EXPECT_FALSE(t_WaitingForInput()) << "the program went on";
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

// Each queue keeps its newest events when more arrive than it holds, and says so once.
TEST_F(KeyQueue, FullQueuesDropTheOldestWithOneLine) {
    initTextWindow(0, 4, 1);
    CapturedOutput log;
    for (std::size_t i = 0; i < t_KeyQueueCapacity + 10; ++i) {
        t_Event e;
        e.Kind = 1;
        e.Value = static_cast<int>(i);
        t_PostKeyEvent(e);
    }
    t_MouseEventHandler(8, {}, 0, 0);  // unknown window: nothing queued
    for (std::size_t i = 0; i < t_MouseQueueCapacity + 5; ++i) {
        t_MouseEventHandler(0, {}, static_cast<double>(i % 4), 1);
    }
    for (std::size_t i = 0; i < t_MenuQueueCapacity + 3; ++i) {
        t_MenuEvent e;
        e.ItemTitle = std::to_string(i);
        t_PostMenuEvent(e);
    }
    const std::string text = log.text();
    EXPECT_EQ(t_NextEvent(), 10);
    int keys = 1;
    while (t_NextEvent() >= 0) {
        ++keys;
    }
    EXPECT_EQ(keys, static_cast<int>(t_KeyQueueCapacity));
    EXPECT_EQ(t_MenuQueueLength(), t_MenuQueueCapacity);
    EXPECT_EQ(t_NextMenuEvent().second, "3");
    int clicks = 0;
    while (t_NextMouseEvent()) {
        ++clicks;
    }
    EXPECT_EQ(clicks, static_cast<int>(t_MouseQueueCapacity));
    const auto overflows = [](const std::string& text) {
        std::size_t n = 0;
        for (std::size_t at = 0; (at = text.find("queue full", at)) != std::string::npos; ++at) {
            ++n;
        }
        return n;
    };
    EXPECT_EQ(overflows(text), 3u) << "one line for each queue";

    // Once a queue has been emptied, a new overflow is reported again.
    CapturedOutput again;
    t_PostKeys(std::string(t_KeyQueueCapacity + 1, 'x'));
    EXPECT_EQ(overflows(again.text()), 1u);
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
