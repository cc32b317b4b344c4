#pragma once
// The toolkit's 16-colour palette, the conversions between indexes and colours, and the colour
// setters of a window.
#include <cstdint>

#include "toolkit/screen/window.h"

namespace zarvik {

// The palette entry with alpha 255; opaque black for indexes outside 0...15.
t_RGBColor t_PaletteColor(int index);
// The palette index of a colour: greys by brightness band, other colours by the nearest entry.
int t_PaletteIndex(int red, int green, int blue);

// The text colour (high nibble of the colour byte) and the border colour of a window, by index.
void t_Color(std::uint8_t window, int color);
void t_ColorBorder(std::uint8_t window, int color);

}  // namespace zarvik
