#pragma once
// Putting one glyph of a bitmap font into a window's graphic block: a text cell (which is also
// stored in the text block) or a glyph at the graphic cursor, optionally enlarged.
#include <cstdint>

#include "toolkit/screen/font.h"

namespace zarvik {

// colour: high nibble foreground, low nibble background (palette indexes); column and line from 1.
void t_PrintSymbol(std::uint8_t window, std::uint8_t code, std::uint8_t color, int column, int line);

// Draws at the graphic cursor and moves it right by the scaled glyph width. A scaled glyph that
// would leave the window is clipped at the window's edges.
void g_PrintSymbol(std::uint8_t window, std::uint8_t code, int scaleX, int scaleY, std::uint32_t color,
                   std::uint32_t background, const t_Font& font);

}  // namespace zarvik
