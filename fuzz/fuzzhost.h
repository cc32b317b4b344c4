#pragma once
// What the fuzz targets of the toolkit share: the process's headless host and a font for the
// text windows.
#include "tests/support/processhost.h"
#include "toolkit/screen/font.h"

namespace zarvik::fuzzing {

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
