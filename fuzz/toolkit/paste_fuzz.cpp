// Any bytes as the pasteboard's text, pasted into a line input of the mode that the first byte
// picks: only characters that the mode admits arrive, never a control character.
#include <string>
#include <string_view>

#include "fuzz/fuzzhost.h"
#include "toolkit/app/events.h"
#include "toolkit/app/input.h"
#include "toolkit/host.h"
#include "toolkit/screen/window.h"
#include "toolkit/text/textoutput.h"

namespace {

using namespace zarvik;

void setUpWindow() {
    static const bool done = [] {
        test::processHost();
        // 128 columns: pasted lines longer than the field are cut where typing would stop.
        t_InitWindow(0, 24, false, 1024, 32, 0, 0, fuzzing::cellFont(), true);
        return true;
    }();
    (void)done;
}

bool admitted(int mode, char32_t c) {
    const bool digit = c >= U'0' && c <= U'9';
    switch (mode) {
        case 2:
        case 4:
            return digit || c == U'-';
        case 3:
            return digit || c == U',' || c == U'-' || c == U'e';
        default:
            return c >= 32 && c != 127;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    setUpWindow();
    const int mode = data[0] % 5;
    host().setPasteboardText(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    t_ClearKeyQueue();
    t_CursorHome(0);
    t_PostKeys("\x16\r");
    const std::string field = t_InputForm(0, "", "", false, mode, 1000);
    for (std::size_t i = 0; i < field.size();) {
        const char32_t c = t_NextScalar(field, i);
        // Wide characters of the unrestricted modes travel as ESC hhhh GS.
        const bool escape = mode < 2 && (c == 27 || c == 29);
        if (!admitted(mode, c) && !escape) {
            __builtin_trap();
        }
    }
    return 0;
}
