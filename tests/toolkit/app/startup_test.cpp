// Start-up: conversion tables, thread numbers and names, the program starter, quitting and the
// application delegate's callbacks.
#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <future>
#include <mutex>
#include <vector>

#include "tests/toolkit/app/fixture.h"
#include "toolkit/app/startup.h"
#include "toolkit/text/textoutput.h"

namespace zarvik::eventtests {
namespace {

TEST(HexTables, DigitsAndValuesBothCases) {
    initqxtools();
    EXPECT_TRUE(t_ToolsInitialized());
    const std::string digits = "0123456789ABCDEF";
    for (int v = 0; v < 16; ++v) {
        EXPECT_EQ(t_HexDigit(v), digits[static_cast<std::size_t>(v)]);
        EXPECT_EQ(t_HexValue(static_cast<std::uint8_t>(digits[static_cast<std::size_t>(v)])), v);
    }
    EXPECT_EQ(t_HexValue('a'), 10);
    EXPECT_EQ(t_HexValue('f'), 15);
    int invalid = 0;
    for (int c = 0; c < 256; ++c) {
        invalid += t_HexValue(static_cast<std::uint8_t>(c)) == -1;
    }
    EXPECT_EQ(invalid, 256 - 22);
}

TEST(Threads, StartedThreadsGetRisingNumbersAndKeepFullNames) {
    std::atomic<int> first{0};
    std::atomic<int> second{0};
    std::string name;
    std::mutex m;
    ASSERT_TRUE(t_StartThread([&] { first = t_CurrentThreadNumber(); }, 0));
    ASSERT_TRUE(eventually([&] { return first != 0; }));
    ASSERT_TRUE(t_StartThread(
        [&] {
            t_NameCurrentThread("p_PrinterAutoUpdate (long name)");
            const std::lock_guard lock(m);
            name = t_CurrentThreadName();
            second = t_CurrentThreadNumber();
        },
        1 << 20));
    ASSERT_TRUE(eventually([&] { return second != 0; }));
    EXPECT_GE(first, 2);
    EXPECT_GT(second, first);
    const std::lock_guard lock(m);
    EXPECT_EQ(name, "p_PrinterAutoUpdate (long name)");
    EXPECT_EQ(t_CurrentThreadNumber(), 1);
}

TEST(Startprocess, StartsOneAtATimeAndInOrder) {
    std::mutex m;
    std::vector<int> order;
    std::atomic<int> done{0};
    const auto job = [&](int n) {
        return [&, n] {
            const std::lock_guard lock(m);
            order.push_back(n);
            ++done;
        };
    };
    std::thread second;
    startprocess(job(1), 1 << 20);
    // A start issued while the first is pending waits until the first thread took its function.
    second = std::thread([&] { startprocess(job(2), 1 << 20); });
    second.join();
    ASSERT_TRUE(eventually([&] { return done == 2; }));
    EXPECT_FALSE(t_StartPending());
    const std::lock_guard lock(m);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

// A file dropped on a window starts a thread from the main thread while the program thread is in
// the middle of its own start: neither may wait for the other.
TEST(Startprocess, MainThreadStartsWhileTheProgramThreadStarts) {
    std::atomic<bool> programStarting{false};
    std::atomic<bool> fromProgram{false};
    std::atomic<bool> fromMain{false};
    std::promise<void> mainDone;
    auto mainFinished = mainDone.get_future();
    // The main thread is kept busy until the program thread has begun its start, then starts one too.
    testHost().postToMainThread([&] {
        while (!programStarting) {
            std::this_thread::yield();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        startprocess([&] { fromMain = true; }, 1 << 20);
        mainDone.set_value();
    });
    std::thread program([&] {
        programStarting = true;
        startprocess([&] { fromProgram = true; }, 1 << 20);
    });
    ASSERT_EQ(mainFinished.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    program.join();
    EXPECT_TRUE(eventually([&] { return fromProgram && fromMain; }));
}

TEST(Startprocess, RefusedStackIsTriedSmaller) {
    std::atomic<bool> ran{false};
    CapturedOutput quiet;
    // No system grants a stack of this size; 64 MiB it does.
    EXPECT_TRUE(startprocess([&] { ran = true; }, std::int64_t{1} << 50));
    ASSERT_TRUE(eventually([&] { return ran.load(); }));
    EXPECT_FALSE(t_StartPending());
}

TEST(Threads, TheFirstThreadKeepsTheProcessName) {
    const auto processName = [] {
        std::ifstream comm("/proc/self/comm");
        std::string name;
        std::getline(comm, name);
        return name;
    };
    const std::string before = processName();
    CapturedOutput quiet;
    t_ApplicationWillFinishLaunching();
    EXPECT_EQ(processName(), before);
    EXPECT_EQ(t_CurrentThreadName(), "AppDelegate");
}

TEST(Startprocess, ProgramThreadGetsItsLargeStack) {
    std::atomic<bool> ran{false};
    startprocess(
        [&] {
            // Touch well beyond the default 8 MiB stack.
            volatile char deep[64 << 20];
            deep[0] = 1;
            deep[sizeof deep - 1] = 1;
            ran = deep[0] == 1;
        },
        t_ProgramStackSize);
    EXPECT_TRUE(eventually([&] { return ran.load(); }));
}

using QuitProgram = EventsTest;

TEST_F(QuitProgram, LeavesTheClosingMessageAndEndsTheThread) {
    initTextWindow(0, 20, 3);
    const int drawn = testHost().window(0).redrawsNow;
    std::atomic<bool> after{false};
    CapturedOutput quiet;
    startprocess(
        [&] {
            t_QuitProgram(0);
            after = true;
        },
        1 << 20);
    // The message is drawn at once; reading the host's count orders the read after the drawing.
    ASSERT_TRUE(eventually([&] { return testHost().window(0).redrawsNow > drawn; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    EXPECT_FALSE(after);
    EXPECT_EQ(lineText(0, 3, 1, 15), "(Programm Ende)");
}

TEST_F(QuitProgram, WithoutHostWindowEndsTheThreadAlone) {
    testHost().setWindowExists(7, false);
    std::atomic<bool> ended{false};
    std::atomic<bool> after{false};
    // Ending the thread unwinds its stack, so this guard's destructor tells that it ended.
    struct EndMark {
        std::atomic<bool>& ended;
        ~EndMark() { ended = true; }
    };
    CapturedOutput quiet;
    startprocess(
        [&] {
            const EndMark mark{ended};
            t_QuitProgram(7);
            after = true;
        },
        1 << 20);
    ASSERT_TRUE(eventually([&] { return ended.load(); }));
    EXPECT_FALSE(after);
}

using Delegate = EventsTest;

TEST_F(Delegate, LaunchStartsTheProgramAndTerminateCallsTheHandler) {
    std::atomic<bool> programRan{false};
    std::atomic<int> programNumber{0};
    CapturedOutput quiet;
    t_ApplicationWillFinishLaunching();
    t_ApplicationDidFinishLaunching([&] {
        programNumber = t_CurrentThreadNumber();
        programRan = true;
    });
    EXPECT_TRUE(t_ApplicationLaunched());
    ASSERT_TRUE(eventually([&] { return programRan.load(); }));
    std::atomic<bool> terminated{false};
    t_SetTerminateHandler([&] { terminated = true; });
    t_ApplicationWillTerminate();
    t_SetTerminateHandler(nullptr);
    EXPECT_TRUE(terminated);
    t_ApplicationSetActive(true);
    EXPECT_TRUE(t_ApplicationActive());
    EXPECT_TRUE(t_ToolsInitialized());
    EXPECT_GE(programNumber, 2);
}

TEST_F(Delegate, CloseBoxHidesAndResizeLaysOutTextWindows) {
    initTextWindow(2, 4, 1);
    CapturedOutput quiet;
    EXPECT_FALSE(t_ApplicationWindowShouldClose(2));
    EXPECT_FALSE(t_WindowRecord(2).Visible);
    const int t = t_TitleBarHeight();
    const auto pasteboard = t_ApplicationWindowDidResize(8, 400, 300);
    ASSERT_TRUE(pasteboard);
    EXPECT_EQ(pasteboard->ScrollWidth, 380);
    EXPECT_EQ(pasteboard->ScrollHeight, 280 - t);
    EXPECT_FALSE(pasteboard->RulerWidth);
    const auto printer = t_ApplicationWindowDidResize(9, 400, 300);
    ASSERT_TRUE(printer);
    EXPECT_EQ(printer->ScrollX, 20);
    EXPECT_EQ(printer->ScrollHeight, 300 - 40 - t - 15);
    EXPECT_EQ(printer->RulerWidth, 352);
    EXPECT_FALSE(t_ApplicationWindowDidResize(0, 400, 300));
}

}  // namespace
}  // namespace zarvik::eventtests
