#pragma once
// The toolkit's 16-colour palette and the conversions between indexes and colours.
#include <cstdint>

#include "toolkit/window.h"

namespace zarvik {

// The palette entry with alpha 255; opaque black for indexes outside 0...15.
t_RGBColor t_PaletteColor(int index);
// The palette index of a colour: greys by brightness band, other colours by the nearest entry.
int t_PaletteIndex(int red, int green, int blue);

}  // namespace zarvik
