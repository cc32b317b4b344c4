#pragma once
// Single pixels of a console window's graphic block at any of its bit depths: plotting with the
// drawing modes, reading back, the graphic cursor and the drawing colour. Colours are 32-bit
// numbers holding, from the least significant byte, alpha, red, green, blue.
#include <cstdint>

namespace zarvik {

void g_Plot(std::uint8_t window, int x, int y, std::uint32_t color);
// In the window's current colour.
void g_Plot(std::uint8_t window, int x, int y);
// Every pixel of the rectangle, row by row, in the window's current colour: the same as plotting
// them one by one (also for the graphic cursor), with one check and one change notice.
void plotBlock(std::uint8_t window, int left, int top, int width, int height);

// The pixel as a colour; 255 (opaque black) outside the window or on a failed check.
std::uint32_t g_Scrn(std::uint8_t window, int x, int y);
// Index form: the pixel as a small number 0...15.
struct g_IndexForm {};
inline constexpr g_IndexForm g_Index{};
int g_Scrn(std::uint8_t window, int x, int y, g_IndexForm);

void g_GotoXY(std::uint8_t window, int x, int y);
void g_ColorRGB(std::uint8_t window, std::uint32_t color);

}  // namespace zarvik
