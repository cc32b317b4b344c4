// Any bytes as a font file, printed with in three ways: as the font a window is set up with (its
// text screen then follows the font's cell size), as the replacement font of a window whose
// screen was laid out for another cell size, and glyph by glyph at the graphic cursor, enlarged.
// Printing never reads past the glyph table or writes past the window's memory.
#include <string>

#include "fuzz/graphics/fuzzhost.h"
#include "toolkit/font.h"
#include "toolkit/glyph.h"
#include "toolkit/pixels.h"
#include "toolkit/textoutput.h"
#include "toolkit/window.h"

namespace {

using namespace zarvik;

// An 8 x 16 grey font with a glyph for every code.
t_Font cellFont() {
    t_Font font;
    font.Format = t_FontFormatGrey;
    font.Start = 0;
    font.End = 255;
    font.Width = 8;
    font.Height = 16;
    font.Data.assign(std::size_t(256) * 8 * 16, 128);
    return font;
}

void setUpWindows() {
    static const bool done = [] {
        fuzzing::installHost();
        t_InitWindow(1, 24, false, 64, 64, 0, 0, cellFont(), true);
        t_InitWindow(2, 32, false, 64, 64, 0, 0, t_Font{}, true);
        return true;
    }();
    (void)done;
}

// Printable codes, and a few past the end of the line so that the text wraps and scrolls.
const std::string& sampleText() {
    static const std::string text = [] {
        std::string t;
        for (int c = 32; c < 256; c += 7) {
            t += char(c);
        }
        return t + "\r" + t;
    }();
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    setUpWindows();
    const t_Font font = t_FontFromBytes(ByteView(data, size), "fuzz.font");
    const ByteView text(reinterpret_cast<const std::uint8_t*>(sampleText().data()), sampleText().size());

    t_InitWindow(0, 24, false, 64, 64, 0, 0, font, true);
    t_Print(0, text);

    t_WindowFont(1, font);
    t_Print(1, text);

    g_GotoXY(2, -3, 2);
    for (int code = font.Start; code <= font.End; code += 5) {
        g_PrintSymbol(2, std::uint8_t(code), 1 + code % 3, 1 + code % 2, 0xFF00FFFFu, 0xFF000000u, font);
    }
    return 0;
}
