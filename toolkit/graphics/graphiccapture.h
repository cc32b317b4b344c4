#pragma once
// Capturing a console window's pixels into an image, and saving the front console window as a
// graphic file chosen in the save dialog.
#include <cstdint>

#include "toolkit/graphics/graphic.h"

namespace zarvik {

// The rectangle (x1, y1)...(x2, y2), inclusive, in the plain format of the window's depth; x2 and
// y2 are cut to the window. The empty graphic (with a line) on a bad window or rectangle.
g_Graphic g_GetScreenRect(std::uint8_t window, int x1, int y1, int x2, int y2);
// The whole window.
g_Graphic g_GetScreen(std::uint8_t window);

// Captures the console window in front (the default window when none is), packs and codes it,
// and writes it to the file the user chooses (PNG for a .png name); nothing when the dialog is
// cancelled. A failed write is told in a message dialog with the file and the reason.
void g_SaveScreenAs();

}  // namespace zarvik
