#include "toolkit/app/presentation.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#include "toolkit/screen/palette.h"
#include "toolkit/screen/threads.h"
#include "toolkit/screen/window.h"
#include "util/log.h"

namespace zarvik {
namespace {

// Every write and every stop wakes the idle update thread; the bound only caps a wake-up that was missed,
// so that an idle program sleeps.
constexpr int idleWaitMillis = 60000;

std::atomic<bool> updateRunning{false};
std::atomic<bool> updateStarting{false};
// Change count of each window when the update thread last asked it to redraw.
std::array<std::atomic<std::uint64_t>, t_WindowCount> requestedCounts{};
std::array<std::atomic<bool>, t_WindowCount> everRequested{};

std::atomic<bool> keyIsDown{false};
std::atomic<bool> leftButton{false};
std::atomic<bool> rightButton{false};

std::int64_t nowMicros() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// Writes one opaque pixel in the requested byte order.
inline void put(std::uint8_t* out, t_ImageByteOrder order, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    if (order == t_ImageByteOrder::ARGB) {
        out[0] = 255;
        out[1] = r;
        out[2] = g;
        out[3] = b;
    } else {
        out[0] = b;
        out[1] = g;
        out[2] = r;
        out[3] = 255;
    }
}

// The palette as ready-made output pixels.
std::array<std::array<std::uint8_t, 4>, 16> paletteBytes(t_ImageByteOrder order) {
    std::array<std::array<std::uint8_t, 4>, 16> table{};
    for (int i = 0; i < 16; ++i) {
        const t_RGBColor c = t_PaletteColor(i);
        put(table[static_cast<std::size_t>(i)].data(), order, c.Red, c.Green, c.Blue);
    }
    return table;
}

// Converts `rows` x `width` source pixels; false for a depth the toolkit does not have.
bool convertVideoMemory(const std::uint8_t* src, std::uint8_t* out, int depth, int width, int height,
                        t_ImageByteOrder order) {
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    switch (depth) {
        case 1:
        case 4: {
            const auto palette = paletteBytes(order);
            for (int y = 0; y < height; ++y) {
                // Row starts as the plotting code addresses them.
                const std::uint8_t* row = src + static_cast<std::int64_t>(y) * width * depth / 8;
                for (int x = 0; x < width; ++x) {
                    int index = 0;
                    if (depth == 1) {
                        index = (row[x >> 3] >> (7 - (x & 7))) & 1 ? 15 : 0;
                    } else {
                        index = (x & 1) ? row[x >> 1] & 15 : row[x >> 1] >> 4;
                    }
                    std::memcpy(out, palette[static_cast<std::size_t>(index)].data(), 4);
                    out += 4;
                }
            }
            return true;
        }
        case 8:
            for (std::size_t i = 0; i < pixels; ++i, out += 4) {
                put(out, order, src[i], src[i], src[i]);
            }
            return true;
        case 16:
            for (std::size_t i = 0; i < pixels; ++i, out += 4) {
                const std::uint8_t grey = src[2 * i + 1];
                put(out, order, grey, grey, grey);
            }
            return true;
        case 24:
            for (std::size_t i = 0; i < pixels; ++i, out += 4, src += 3) {
                put(out, order, src[0], src[1], src[2]);
            }
            return true;
        case 32:
            for (std::size_t i = 0; i < pixels; ++i, out += 4, src += 4) {
                put(out, order, src[1], src[2], src[3]);
            }
            return true;
        default:
            return false;
    }
}

}  // namespace

bool t_WindowImageInto(std::uint8_t window, HostImage& image, t_ImageByteOrder order) {
    if (!t_ToolkitReady()) {
        return false;
    }
    if (window >= t_WindowCount || !t_WindowRecord(window).Initialized) {
        logline("t_WindowImage: Graphic window #" + std::to_string(window) + " not initialized.");
        return false;
    }
    t_Window& w = t_WindowRecord(window);
    if (!w.Visible) {
        return false;
    }
    const std::int64_t start = nowMicros();
    const int width = w.Width;
    const int height = w.Height;
    const int depth = w.BitDepth;
    const std::int64_t base = w.MemoryStart;
    const std::uint8_t* memory = t_VideoMemory();
    if (width <= 0 || height <= 0 || base < 0 || memory == nullptr) {
        logline("t_WindowImage: Data could not be collected, image could not be created.");
        return false;
    }
    const std::int64_t bytes = (static_cast<std::int64_t>(width) * height * depth + 7) / 8 + 1;
    if (base + bytes > t_VideoMemorySize) {
        logline("t_WindowImage: Data could not be collected, image could not be created.");
        return false;
    }
    image.width = width;
    image.height = height;
    image.argb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    if (!convertVideoMemory(memory + base, image.argb.data(), depth, width, height, order)) {
        // One line per pixel, as the toolkit always reported it, would flood the log for a
        // whole frame; the frame is left out with one line.
        logline("t_WindowImage: Illegal bit depth.");
        return false;
    }
    const std::int64_t end = nowMicros();
    w.UpdateDuration = end - start;
    w.UpdateFinished = end / 1000;
    return true;
}

std::optional<HostImage> t_WindowImage(std::uint8_t window, t_ImageByteOrder order) {
    HostImage image;
    if (!t_WindowImageInto(window, image, order)) {
        return std::nullopt;
    }
    return image;
}

void t_WindowUpdate(std::uint8_t window, bool deferred) {
    if (!t_ToolkitReady()) {
        return;
    }
    if (window >= t_WindowCount) {
        logline("t_WindowUpdate: Window is not a graphic window.");
        return;
    }
    bool hasView = false;
    onMainThread([&] {
        hasView = host().hasView(window);
        if (hasView) {
            host().redrawView(window, deferred);
        }
    });
    if (!hasView) {
        logline("t_WindowUpdate: Window #" + std::to_string(window) + " view is nil, resource undefined.");
    }
}

void t_WindowAutoUpdateProcess() {
    logline("t_WindowAutoUpdateProcess: Start.");
    if (t_CurrentThreadNumber() >= 3) {
        t_NameCurrentThread("t_WindowAutoUpdate");
    }
    updateRunning = true;
    updateStarting = false;
    while (t_ToolkitReady() && updateRunning) {
        const std::uint64_t seenTotal = t_WindowChangeTotal();
        bool refreshed = false;
        // Earliest time a changed window that is not due yet may be asked again; 0 for none.
        std::int64_t nextDue = 0;
        for (std::uint8_t n = 0; n < t_WindowCount; ++n) {
            t_Window& w = t_WindowRecord(n);
            if (!w.Initialized || !w.AutoUpdate) {
                continue;
            }
            // Only a window written since the last request is redrawn: an idle program costs nothing.
            const std::uint64_t count = t_WindowChangeCount(n);
            if (everRequested[n] && requestedCounts[n] == count) {
                continue;
            }
            const std::int64_t now = nowMicros() / 1000;
            const int rate = w.RefreshRate;
            const std::int64_t interval = rate > 0 ? 1000 / rate : 0;
            if (!w.VerticalBlank || now - w.UpdateStarted < interval) {
                // A frame being drawn is looked at again after the shortest step.
                const std::int64_t due = w.VerticalBlank ? w.UpdateStarted + interval : now + 1;
                nextDue = nextDue == 0 ? due : std::min(nextDue, due);
                continue;
            }
            bool hasView = false;
            onMainThread([&] { hasView = host().hasView(n); });
            if (!hasView) {
                logline("t_WindowAutoUpdateProcess: Window #" + std::to_string(n) +
                        " view is nil, resource undefined.");
                requestedCounts[n] = count;
                everRequested[n] = true;
                continue;
            }
            w.UpdateStarted = now;
            requestedCounts[n] = count;
            everRequested[n] = true;
            onMainThread([n] { host().redrawView(n, true); });
            refreshed = true;
        }
        if (refreshed) {
            continue;
        }
        if (nextDue != 0) {
            // Pacing a changed window: sleep until it is due.
            const std::int64_t wait = std::clamp<std::int64_t>(nextDue - nowMicros() / 1000, 1, 1000);
            std::this_thread::sleep_for(std::chrono::milliseconds(wait));
        } else {
            // Nothing changed anywhere: sleep until a window is written (or the thread is stopped).
            t_WaitForWindowChange(seenTotal, std::chrono::milliseconds(idleWaitMillis));
        }
    }
    updateRunning = false;
    logline("t_WindowAutoUpdateProcess: End.");
}

void t_StartUpdateThread() {
    if (updateRunning || updateStarting.exchange(true)) {
        return;
    }
    t_StartAsync(t_WindowAutoUpdateProcess);
}

bool t_UpdateThreadRunning() {
    return updateRunning;
}

void t_StopUpdateThread() {
    updateRunning = false;
    t_WakeWindowChangeWaiter();
}

void viewKeyDown(std::uint8_t window, const t_HostKeyEvent& event) {
    if (window < t_WindowCount && t_ToolkitReady()) {
        const t_Window& w = t_WindowRecord(window);
        if (!w.Initialized) {
            logline("viewKeyDown: Graphic window (" + std::to_string(window) + ") not initialized.");
        } else if (!w.IgnoreEvents) {
            t_KeyEventHandler(window, event);
        }
    }
    keyIsDown = true;
}

void viewKeyUp() {
    keyIsDown = false;
}

void viewFlagsChanged(std::uint32_t modifierFlags) {
    t_SetModifierFlags(modifierFlags);
}

void viewMouseDown(std::uint8_t window, const t_HostMouseEvent& event, double x, double y, bool right) {
    const bool initialized = window < t_WindowCount && t_ToolkitReady() && t_WindowRecord(window).Initialized;
    if (!initialized) {
        logline("viewMouseDown: Graphic window (" + std::to_string(window) + ") not initialized.");
    }
    if (window >= t_WindowCount || !t_WindowRecord(window).IgnoreEvents) {
        t_MouseEventHandler(window, event, x, y);
    }
    leftButton = !right;
    rightButton = right;
}

void viewMouseUp() {
    leftButton = false;
    rightButton = false;
}

bool viewWantsUpdateLayer(std::uint8_t window) {
    return window < t_WindowCount && t_ToolkitReady() && t_WindowRecord(window).Initialized &&
           t_WindowRecord(window).QuickUpdate;
}

bool viewDrawImage(std::uint8_t window, HostImage& image, t_ImageByteOrder order) {
    if (window >= t_WindowCount || !t_ToolkitReady()) {
        return false;
    }
    t_Window& w = t_WindowRecord(window);
    w.VerticalBlank = false;
    const bool made = t_WindowImageInto(window, image, order);
    w.VerticalBlank = true;
    return made;
}

bool t_KeyIsDown() {
    return keyIsDown;
}
bool t_LeftButtonDown() {
    return leftButton;
}
bool t_RightButtonDown() {
    return rightButton;
}

}  // namespace zarvik
