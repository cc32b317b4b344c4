#pragma once
// A font made in memory for tests and fuzz targets: the glyph of code c has coverage c in its
// top-left pixel, 255 in the rest of its first row and 0 elsewhere, so glyphs and coverages differ.
#include <cstdint>

#include "toolkit/screen/font.h"

namespace zarvik::test {

inline t_Font testGreyFont(int width = 8, int height = 16, std::uint8_t start = 32, std::uint8_t end = 255) {
    t_Font font;
    font.Format = t_FontFormatGrey;
    font.Start = start;
    font.End = end;
    font.Width = width;
    font.Height = height;
    font.Data.assign(std::size_t(256) * width * height, 0);
    for (int c = 0; c < 256; ++c) {
        std::uint8_t* glyph = font.Data.data() + std::size_t(c) * width * height;
        for (int x = 0; x < width; ++x) {
            glyph[x] = 255;
        }
        glyph[0] = std::uint8_t(c);
    }
    return font;
}

}  // namespace zarvik::test
