#pragma once
// Drawing an image into a console window, pixel by pixel through the window's plotting, so that
// drawing modes, clipping and pixel conversion are those of single pixels.
#include <cstdint>

#include "toolkit/graphics/graphic.h"

namespace zarvik {

// Draws the graphic with its top left corner at (x, y), each image pixel as a block of
// (ScaleWidth or 16) x scale by (ScaleHeight or 16) x scale window pixels. Stored formats are
// expanded first (LZW, run-length, packing). Monochrome and indexed pixels whose palette index
// equals `transparent` are left out; pass -1 to draw all of them. A graphic that is not a
// plain image afterwards, or whose data holds fewer pixels than its header claims, is refused
// with "g_Draw: Illegal graphic format.".
void g_Draw(std::uint8_t window, const g_Graphic& graphic, int x, int y, std::uint8_t scale, int transparent);

}  // namespace zarvik
