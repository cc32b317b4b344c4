#pragma once
// The headless host of a fuzz target: installed once per process, as the program has one host,
// with the calling thread as the application's thread; and a font for the text windows.
#include "toolkit/headless/headlesshost.h"
#include "toolkit/screen/font.h"
#include "toolkit/screen/threads.h"

namespace zarvik::fuzzing {

inline void installHost() {
    static const bool installed = [] {
        t_RegisterApplicationThread();
        (new HeadlessHost())->install();  // lives for the process, like the toolkit's state
        return true;
    }();
    (void)installed;
}

// An 8 x 16 grey font with a glyph for every code.
inline t_Font cellFont() {
    t_Font font;
    font.Format = t_FontFormatGrey;
    font.Start = 0;
    font.End = 255;
    font.Width = 8;
    font.Height = 16;
    font.Data.assign(std::size_t(256) * 8 * 16, 128);
    return font;
}

}  // namespace zarvik::fuzzing
