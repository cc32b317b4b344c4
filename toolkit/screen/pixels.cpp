#include "toolkit/screen/pixels.h"

#include <algorithm>

#include "toolkit/screen/palette.h"
#include "toolkit/screen/window.h"
#include "util/log.h"

namespace zarvik {

namespace {

struct Channels {
    int a, r, g, b;
};

Channels channels(std::uint32_t c) {
    return {int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF), int(c >> 24)};
}

bool inside(const t_Window& w, int x, int y) {
    return x >= 0 && y >= 0 && x < w.Width && y < w.Height;
}

std::uint8_t* pixelRow(const t_Window& w, int y) {
    return t_VideoMemory() + w.MemoryStart + std::int64_t(y) * w.Width * w.BitDepth / 8;
}

// One channel of a 24- or 32-bit pixel under the drawing modes that combine old and new.
int combine(int mode, int old, int value) {
    switch (mode) {
        case 4:
            return (old + value) / 2;
        case 5:
            return old & value;
        case 6:
            return old | value;
        case 7:
            return old ^ value;
        default:
            return value;
    }
}

void plotDeep(std::uint8_t* p, int depth, int mode, Channels c) {
    if (mode < 0 || mode >= 8) {
        return;
    }
    if (depth == 24) {
        const int m = mode == 1 ? 4 : (mode == 2 || mode == 3) ? 0 : mode;
        p[0] = std::uint8_t(combine(m, p[0], c.r));
        p[1] = std::uint8_t(combine(m, p[1], c.g));
        p[2] = std::uint8_t(combine(m, p[2], c.b));
        return;
    }
    switch (mode) {
        case 0:
            p[0] = std::uint8_t(c.a);
            break;
        case 1:
            p[1] = std::uint8_t(p[1] * (255 - c.a) / 255 + c.r * c.a / 255);
            p[2] = std::uint8_t(p[2] * (255 - c.a) / 255 + c.g * c.a / 255);
            p[3] = std::uint8_t(p[3] * (255 - c.a) / 255 + c.b * c.a / 255);
            return;
        case 2:
            p[0] = 255;
            break;
        default:
            break;
    }
    const int m = mode <= 3 ? 0 : mode;
    p[1] = std::uint8_t(combine(m, p[1], c.r));
    p[2] = std::uint8_t(combine(m, p[2], c.g));
    p[3] = std::uint8_t(combine(m, p[3], c.b));
}

// Writes one pixel inside the window; the caller has checked the window and the position.
void plotInside(t_Window& w, int x, int y, Channels c, bool windowColor) {
    std::uint8_t* row = pixelRow(w, y);
    const int depth = w.BitDepth;
    switch (depth) {
        case 1: {
            const bool set = windowColor ? w.TextColor >= 0x90 : t_PaletteIndex(c.r, c.g, c.b) >= 9;
            const std::uint8_t bit = std::uint8_t(0x80 >> (x % 8));
            row[x / 8] = set ? (row[x / 8] | bit) : (row[x / 8] & ~bit);
            break;
        }
        case 4: {
            const int index = windowColor ? w.TextColor / 16 : t_PaletteIndex(c.r, c.g, c.b);
            std::uint8_t& byte = row[x / 2];
            byte =
                x % 2 == 0 ? std::uint8_t((byte & 0x0F) | (index << 4)) : std::uint8_t((byte & 0xF0) | index);
            break;
        }
        case 8:
            row[x] = std::uint8_t((c.r + c.g + c.b) / 3);
            break;
        case 16:
            row[2 * x] = std::uint8_t(c.a);
            row[2 * x + 1] = std::uint8_t((c.r + c.g + c.b) / 3);
            break;
        case 24:
        case 32:
            plotDeep(row + std::ptrdiff_t(x) * depth / 8, depth, w.DrawingMode, c);
            break;
        default:
            logline("g_Plot: Illegal bit depth (" + std::to_string(depth) + ").");
            break;
    }
}

void plot(std::uint8_t window, int x, int y, std::uint32_t color, bool windowColor) {
    t_Window* w = t_CheckGraphicWindow("g_Plot", window);
    if (w == nullptr || !inside(*w, x, y)) {
        return;
    }
    plotInside(*w, x, y, channels(color), windowColor);
    w->PositionX = x;
    w->PositionY = y;
    t_WindowChanged(window);
}

}  // namespace

void g_Plot(std::uint8_t window, int x, int y, std::uint32_t color) {
    plot(window, x, y, color, false);
}

void g_Plot(std::uint8_t window, int x, int y) {
    const std::uint32_t color = window < t_WindowCount ? t_ColorValue(t_WindowRecord(window).RGBColor) : 0;
    plot(window, x, y, color, true);
}

void plotBlock(std::uint8_t window, int left, int top, int width, int height) {
    t_Window* w = t_CheckGraphicWindow("g_Plot", window);
    if (w == nullptr) {
        return;
    }
    // Pixels outside the window are skipped, as single plots would skip them.
    const std::int64_t x0 = std::max<std::int64_t>(left, 0);
    const std::int64_t y0 = std::max<std::int64_t>(top, 0);
    const std::int64_t x1 = std::min<std::int64_t>(std::int64_t(left) + width, w->Width);
    const std::int64_t y1 = std::min<std::int64_t>(std::int64_t(top) + height, w->Height);
    if (x0 >= x1 || y0 >= y1) {
        return;
    }
    const Channels c = channels(t_ColorValue(w->RGBColor));
    for (auto y = int(y0); y < y1; ++y) {
        for (auto x = int(x0); x < x1; ++x) {
            plotInside(*w, x, y, c, true);
        }
    }
    w->PositionX = int(x1 - 1);
    w->PositionY = int(y1 - 1);
    t_WindowChanged(window);
}

std::uint32_t g_Scrn(std::uint8_t window, int x, int y) {
    constexpr std::uint32_t kOpaqueBlack = 255;
    const t_Window* w = t_CheckGraphicWindow("g_Scrn", window);
    if (w == nullptr || !inside(*w, x, y)) {
        return kOpaqueBlack;
    }
    const std::uint8_t* row = pixelRow(*w, y);
    const auto value = [](int a, int r, int g, int b) {
        return t_ColorValue({std::uint8_t(a), std::uint8_t(r), std::uint8_t(g), std::uint8_t(b)});
    };
    switch (w->BitDepth) {
        case 1:
            return t_ColorValue(t_PaletteColor((row[x / 8] & (0x80 >> (x % 8))) ? 15 : 0));
        case 4:
            return t_ColorValue(t_PaletteColor(x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 15));
        case 8:
            return value(0, row[x], row[x], row[x]);
        case 16:
            return value(row[2 * x], row[2 * x + 1], row[2 * x + 1], row[2 * x + 1]);
        case 24:
            return value(0, row[3 * x], row[3 * x + 1], row[3 * x + 2]);
        case 32:
            return value(row[4 * x], row[4 * x + 1], row[4 * x + 2], row[4 * x + 3]);
        default:
            return kOpaqueBlack;
    }
}

int g_Scrn(std::uint8_t window, int x, int y, g_IndexForm) {
    const t_Window* w = t_CheckGraphicWindow("g_Scrn", window);
    if (w == nullptr || !inside(*w, x, y)) {
        return 0;
    }
    const std::uint8_t* row = pixelRow(*w, y);
    switch (w->BitDepth) {
        case 1:
            return (row[x / 8] & (0x80 >> (x % 8))) ? 15 : 0;
        case 4:
            return x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 15;
        case 32:
            return (row[4 * x + 1] | row[4 * x + 2] | row[4 * x + 3]) == 0 ? 0 : 15;
        default:
            return 0;
    }
}

void g_GotoXY(std::uint8_t window, int x, int y) {
    t_Window* w = t_CheckGraphicWindow("g_GotoXY", window);
    if (w != nullptr && x >= 0 && y >= 0) {
        w->PositionX = x;
        w->PositionY = y;
    }
}

void g_ColorRGB(std::uint8_t window, std::uint32_t color) {
    if (window >= t_WindowCount) {
        logline("g_ColorRGB: Illegal window (" + std::to_string(window) + ").");
        return;
    }
    t_Window* w = t_CheckGraphicWindow("g_ColorRGB", window);
    if (w == nullptr) {
        return;
    }
    // Depths 1 and 4 plot the text colour's foreground: the nearest palette entry at depth 4,
    // white or black by brightness at depth 1.
    const Channels c = channels(color);
    if (w->BitDepth == 4) {
        t_Color(window, t_PaletteIndex(c.r, c.g, c.b));
    } else if (w->BitDepth == 1) {
        t_Color(window, c.r + c.g + c.b > 383 ? 15 : 0);
    } else {
        w->RGBColor = t_ColorOfValue(color);
    }
}

}  // namespace zarvik
