#pragma once
// The toolkit's palette colours on a terminal: the colour number to ask for, by what the terminal
// can show (direct colour, the 256-colour cube and grey ramp, the 16 standard colours, or none).
#include "toolkit/screen/window.h"

namespace zarvik::terminal {

enum class ColorDepth { None, Sixteen, TwoFiftySix, Direct };

// The depth of a terminal that reports this many colours (terminfo's "colors").
ColorDepth colorDepthOf(int colors);

// The terminal's colour number nearest to the colour; -1 when the terminal shows no colours.
int terminalColor(t_RGBColor color, ColorDepth depth);

// Whether a cell in these two colours must be shown inverse on a terminal without colours: its
// background is lighter than its text.
bool inverseWithoutColor(t_RGBColor foreground, t_RGBColor background);

}  // namespace zarvik::terminal
