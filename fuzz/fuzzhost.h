#pragma once
// What the fuzz targets of the toolkit share: the process's headless host and a font for the
// text windows.
#include "tests/support/processhost.h"
#include "tests/support/testfont.h"

namespace zarvik::fuzzing {

// An 8 x 16 font with a glyph for every code.
inline t_Font cellFont() {
    return test::testGreyFont(8, 16, 0, 255);
}

}  // namespace zarvik::fuzzing
