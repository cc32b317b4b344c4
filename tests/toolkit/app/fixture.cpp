#include "tests/toolkit/app/fixture.h"
#include "toolkit/app/menus.h"
#include "toolkit/app/printer.h"
#include "toolkit/host.h"
#include "toolkit/screen/threads.h"

namespace zarvik::eventtests {

void EventsTest::SetUp() {
    releaseAllWindows();
    for (int w : {8, 9, 10}) {
        testHost().setTextViewExists(w, true);
    }
    testHost().setKeyWindow(255);
    // No window or text of an earlier test stays on screen: a test sees only what it shows itself.
    {
        CapturedOutput quiet;
        p_ClearPrinter();
        p_ClearConsole();
    }
    testHost().runOnMainThread([] {
        for (int w = 0; w <= 12; ++w) {
            host().orderOut(w);
        }
    });
    t_ClearKeyQueue();
    while (t_MenuPending()) {
        t_NextMenuEvent();
    }
    while (t_NextMouseEvent()) {
    }
    t_SetMouseHandler(nullptr);
    t_SetMenuHandler(nullptr);
    t_SetSaveGraphicHandler(nullptr);
}

void EventsTest::TearDown() {
    // Handler threads of this test must not outlive its captured state.
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    testHost().drain();
}

void EventsTest::initTextWindow(std::uint8_t window, int columns, int lines) {
    CapturedOutput quiet;
    const t_Font font = testFont;
    t_InitWindow(window, 24, false, columns * font.Width, lines * font.Height, 0, 0, font, true);
    ASSERT_TRUE(t_WindowRecord(window).Initialized);
    t_WindowVisible(window, true);
}

std::uint8_t EventsTest::charAt(std::uint8_t window, int column, int line) {
    const t_Window& w = t_WindowRecord(window);
    return t_VideoMemory()[w.TextMemoryStart + std::int64_t(line - 1) * w.TextWidth + column - 1];
}

std::string EventsTest::lineText(std::uint8_t window, int line, int from, int count) {
    std::string text;
    for (int c = from; c < from + count; ++c) {
        text += static_cast<char>(charAt(window, c, line));
    }
    return text;
}

}  // namespace zarvik::eventtests
