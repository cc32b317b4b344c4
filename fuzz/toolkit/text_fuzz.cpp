// Any bytes as text: decoded as the virtual printer decodes its buffer, and printed into a
// console window both as UTF-8 text and byte by byte, under the display mode the first byte picks.
// Every decoded text is valid UTF-8, and so are the screen and the pasteboard text read back.
#include <span>
#include <string>
#include <string_view>

#include "fuzz/fuzzhost.h"
#include "toolkit/app/menus.h"
#include "toolkit/app/printer.h"
#include "toolkit/screen/window.h"
#include "toolkit/text/textoutput.h"
#include "util/encoding.h"

namespace {

using namespace zarvik;

// A fresh window each time: escape commands change areas, colours and modes that would carry over.
void setUpWindow() {
    test::processHost();
    t_InitWindow(0, 24, false, 40 * 8, 4 * 16, 0, 0, fuzzing::cellFont(), true);
}

void check(bool holds) {
    if (!holds) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    setUpWindow();
    const std::span<const std::uint8_t> bytes(data + 1, size - 1);
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    check(isvalidutf8(p_DecodePrinterBuffer(bytes)));

    t_DisplayMode(0, data[0] % 5);
    t_Print(0, text);
    t_Print(0, bytes);
    t_DisplayMode(0, 0);
    t_Normal(0);
    const std::string screen = t_GetScreen(0, "\r");
    check(isvalidutf8(screen));
    check(isvalidutf8(t_PasteboardScreenText(screen)));
    return 0;
}
