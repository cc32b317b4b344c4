// Any bytes as a font file, printed with in three ways: as the font a window is set up with (its
// text screen then follows the font's cell size), as the replacement font of a window whose
// screen was laid out for another cell size, and glyph by glyph at the graphic cursor, enlarged.
// Printing never reads past the glyph table or writes past the window's memory; the window with
// the replacement font lies below another one in video memory, and scrolling it leaves every
// byte around its own blocks as it was (writes that stay inside video memory are invisible to
// the address checks).
#include <algorithm>
#include <cstring>
#include <string>

#include "fuzz/fuzzhost.h"
#include "toolkit/screen/font.h"
#include "toolkit/screen/pixels.h"
#include "toolkit/screen/window.h"
#include "toolkit/text/glyph.h"
#include "toolkit/text/textoutput.h"

namespace {

using namespace zarvik;

void setUpWindows() {
    static const bool done = [] {
        test::processHost();
        t_InitWindow(3, 24, false, 64, 64, 0, 0, fuzzing::cellFont(), true);
        t_InitWindow(1, 24, false, 64, 64, 0, 0, fuzzing::cellFont(), true);
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

// The bytes within reach of a window's blocks, less the blocks' own bytes, which may change.
class Surroundings {
  public:
    explicit Surroundings(const t_Window& w) : w_(w) {
        const std::int64_t low = std::min<std::int64_t>(w.MemoryStart, w.TextMemoryStart);
        const std::int64_t high = std::max<std::int64_t>(w.MemoryEnd, w.TextMemoryEnd);
        from_ = std::max<std::int64_t>(0, low - kReach);
        to_ = std::min<std::int64_t>(t_VideoMemorySize, high + 1 + kReach);
        copy_ = read();
    }
    bool unchanged() const { return read() == copy_; }

  private:
    static constexpr std::int64_t kReach = 1 << 17;

    Bytes read() const {
        Bytes bytes(t_VideoMemory() + from_, t_VideoMemory() + to_);
        const auto blank = [&](std::int64_t start, std::int64_t end) {
            if (start >= 0) {
                std::fill(bytes.begin() + (start - from_), bytes.begin() + (end - from_), 0);
            }
        };
        blank(w_.MemoryStart, w_.MemoryStart + std::int64_t(w_.Width) * w_.Height * w_.BitDepth / 8);
        blank(w_.TextMemoryStart, w_.TextMemoryEnd + 1);
        return bytes;
    }

    const t_Window& w_;
    std::int64_t from_ = 0;
    std::int64_t to_ = 0;
    Bytes copy_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    setUpWindows();
    const t_Font font = t_FontFromBytes(ByteView(data, size), "fuzz.font");
    const ByteView text(reinterpret_cast<const std::uint8_t*>(sampleText().data()), sampleText().size());

    t_InitWindow(0, 24, false, 64, 64, 0, 0, font, true);
    t_Print(0, text);

    // Window 1 lies below window 3.
    const Surroundings around(t_WindowRecord(1));
    t_WindowFont(1, font);
    t_Print(1, text);
    t_ScrollUp(1);
    t_ScrollDown(1);
    if (!around.unchanged()) {
        __builtin_trap();
    }

    g_GotoXY(2, -3, 2);
    for (int code = font.Start; code <= font.End; code += 5) {
        g_PrintSymbol(2, std::uint8_t(code), 1 + code % 3, 1 + code % 2, 0xFF00FFFFu, 0xFF000000u, font);
    }
    return 0;
}
