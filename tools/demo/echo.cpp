#include "tools/demo/echo.h"

#include "toolkit/app/events.h"
#include "toolkit/app/input.h"
#include "toolkit/screen/window.h"
#include "toolkit/text/textoutput.h"
#include "util/log.h"

namespace zarvik::demo {

void echoProgram(EchoState& state) {
    t_InitWindow(0, 24, kColumns, kLines, 0, "MenloBold 16x32.font");
    if (!t_WindowRecord(0).Initialized) {
        logline("demo: window 0 could not be set up.");
        state.finished = true;
        state.ready = true;
        return;
    }
    t_WindowVisible(0, true);
    t_CursorHome(0);
    state.ready = true;
    std::string line = t_InputForm(0, kPrompt, "", false, 0, kColumns - 20);
    t_Print(0, std::string(kAnswer) + line);
    t_Cr(0);
    logline("demo: " + line);
    state.line = std::move(line);
    state.read = true;
    state.finished = true;
}

void typeText(std::string_view text) {
    constexpr int returnKey = 36;
    for (std::size_t i = 0; i < text.size();) {
        const std::uint32_t c = t_NextScalar(text, i);
        t_KeyEventHandler(0, {c == '\r' ? returnKey : 0, std::u32string(1, static_cast<char32_t>(c)), 0});
    }
}

}  // namespace zarvik::demo
