#pragma once
// Presentation of the console windows: a window's graphic block as a 32-bit image, redraw
// requests, the update thread that asks changed, auto-updating windows to redraw at their refresh
// rate, and the view callbacks a host forwards its view events to.
#include <cstdint>
#include <optional>

#include "toolkit/app/events.h"
#include "toolkit/host.h"

namespace zarvik {

// Byte order of the four bytes of each output pixel.
enum class t_ImageByteOrder {
    ARGB,  // alpha, red, green, blue (the host image of the pasteboard)
    BGRA,  // a native 0xAARRGGBB word on a little-endian machine
};

// The window's image, or nothing (toolkit not ready, window not initialised or hidden).
std::optional<HostImage> t_WindowImage(std::uint8_t window, t_ImageByteOrder order = t_ImageByteOrder::ARGB);
// The same into `image`, reusing its buffer; false when there is no image.
bool t_WindowImageInto(std::uint8_t window, HostImage& image, t_ImageByteOrder order);

// Asks the window's view to redraw (deferred: marks it as needing display); waits for the main thread.
void t_WindowUpdate(std::uint8_t window, bool deferred);

// Body of the update thread.
void t_WindowAutoUpdateProcess();
// Starts the update thread unless it runs.
void t_StartUpdateThread();
bool t_UpdateThreadRunning();
// Clears the running flag; the thread ends after its current pass.
void t_StopUpdateThread();

// --- view callbacks (main thread), N = the view's window ---

void viewKeyDown(std::uint8_t window, const t_HostKeyEvent& event);
void viewKeyUp();
void viewFlagsChanged(std::uint32_t modifierFlags);
void viewMouseDown(std::uint8_t window, const t_HostMouseEvent& event, double x, double y, bool right);
void viewMouseUp();
bool viewWantsUpdateLayer(std::uint8_t window);
// The image to draw, with VerticalBlank false while it is made.
bool viewDrawImage(std::uint8_t window, HostImage& image, t_ImageByteOrder order);
bool t_KeyIsDown();
bool t_LeftButtonDown();
bool t_RightButtonDown();

}  // namespace zarvik
