// The whole road of a typed line: host key events, the key queue, the line input on the program
// thread, the text screen and the glyphs in the window's graphic memory.
#include <gtest/gtest.h>

#include "tests/toolkit/app/fixture.h"
#include "toolkit/app/startup.h"
#include "tools/demo/echo.h"

namespace zarvik::eventtests {
namespace {

using Demo = EventsTest;

// True when any pixel of the cell differs from the background of the cell at (1, 25).
bool cellHasInk(int column, int line) {
    const t_Window& w = t_WindowRecord(0);
    const int cw = w.Font.Width;
    const int ch = w.Font.Height;
    const std::uint8_t* base = t_VideoMemory() + w.MemoryStart;
    const std::int64_t stride = std::int64_t(w.Width) * 3;
    const std::uint8_t* blank = base + std::int64_t(24 * ch) * stride;
    for (int y = 0; y < ch; ++y) {
        for (int x = 0; x < cw * 3; ++x) {
            const std::int64_t at =
                std::int64_t((line - 1) * ch + y) * stride + std::int64_t(column - 1) * cw * 3 + x;
            if (base[at] != blank[x]) {
                return true;
            }
        }
    }
    return false;
}

TEST_F(Demo, TypedLineReachesTheProgramAndItsGlyphsTheVideoMemory) {
    demo::EchoState state;
    CapturedOutput log;
    startprocess([&state] { demo::echoProgram(state); }, t_ProgramStackSize);
    ASSERT_TRUE(eventually([&] { return state.ready.load(); }));
    testHost().runOnMainThread([] { demo::typeText("E2-E4\r"); });
    ASSERT_TRUE(eventually([&] { return state.finished.load(); }));
    ASSERT_TRUE(state.read);
    EXPECT_NE(log.text().find("demo: E2-E4\n"), std::string::npos);
    EXPECT_EQ(state.line, "E2-E4");

    const t_Window& w = t_WindowRecord(0);
    EXPECT_EQ(w.Width, 1280);
    EXPECT_EQ(w.Height, 800);
    const int start = static_cast<int>(demo::kPrompt.size()) + 1;
    EXPECT_EQ(lineText(0, 1, 1, start + 4), "Eingabe: E2-E4");
    EXPECT_EQ(lineText(0, 2, 1, 14), "Gelesen: E2-E4");
    for (int c = start; c < start + 5; ++c) {
        EXPECT_TRUE(cellHasInk(c, 1)) << "column " << c;
    }
    EXPECT_FALSE(cellHasInk(start + 6, 1));
    t_WindowVisible(0, false);
}

}  // namespace
}  // namespace zarvik::eventtests
