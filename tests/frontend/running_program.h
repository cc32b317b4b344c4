#pragma once
// The chess program running on the headless host inside a test, in a process of its own (the program
// runs once per process): keys, clicks and menu choices in, the screen and the record out.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

#include "data_folders.h"
#include "frontend/chessmain.h"
#include "frontend/driver.h"
#include "frontend/fileevents.h"
#include "frontend/record.h"
#include "toolkit/app/events.h"
#include "toolkit/app/startup.h"
#include "toolkit/headless/headlesshost.h"
#include "toolkit/text/textoutput.h"

namespace zarvik::frontend::test {

class RunningProgram {
  public:
    // With a path, the program starts as when a document started the application.
    explicit RunningProgram(const std::string& pending = "") {
        zarvik::test::useOwnDataFolders("frontend_program");
        host_.install();
        if (!pending.empty()) {
            postFileEvent(pending);
        }
        startChessProgram();
        // Every run without a document starts at a yes/no question; a slow start (sanitizers) must
        // not look quiet.
        if (pending.empty()) {
            waitForScreen("J/N>");
        }
    }
    bool waitForScreen(std::string_view text) { return waitForScreenText(text, std::chrono::seconds(20)); }
    void type(std::string_view keys) {
        typeKeys(keysOf(keys));
        waitUntilQuiet();
    }
    void click(int x, int y, bool right = false) {
        clickAt(x, y, right);
        waitUntilQuiet();
    }
    void menu(const std::string& item, const std::string& title = "Ablage") {
        t_MenuEvent event;
        event.Kind = 3;
        event.MenuTitle = title;
        event.ItemTitle = item;
        t_PostMenuEvent(event);
        t_StartMenuHandlerThread();
        waitUntilQuiet();
    }
    std::string screen() const { return t_GetScreen(0, "\n"); }
    std::string record() const { return gameRecordSnapshot().text; }
    HeadlessHost& host() { return host_; }

  private:
    HeadlessHost host_;
};

// Runs the scenario in a child process; the child's failures show in its output and its exit code.
inline void inOwnProcess(const std::function<void(RunningProgram&)>& scenario,
                         const std::string& pending = "") {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            static RunningProgram program(pending);
            scenario(program);
            std::fflush(stdout);
            // The child's failures reach the parent only through standard error.
            const ::testing::TestResult& result =
                *::testing::UnitTest::GetInstance()->current_test_info()->result();
            for (int i = 0; i < result.total_part_count(); ++i) {
                const ::testing::TestPartResult& part = result.GetTestPartResult(i);
                std::fprintf(stderr, "%s:%d: %s\n", part.file_name() ? part.file_name() : "",
                             part.line_number(), part.message());
            }
            std::_Exit(::testing::Test::HasFailure() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace zarvik::frontend::test
