#include "toolkit/text/glyph.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "toolkit/screen/palette.h"
#include "toolkit/screen/pixels.h"
#include "toolkit/screen/window.h"
#include "util/encoding.h"
#include "util/log.h"

namespace zarvik {

namespace {

// Every pixel value a coverage can turn into for one pair of text colours, so that drawing a
// cell is a table lookup per pixel.
struct MixTable {
    int key = -1;
    std::array<std::array<std::uint8_t, 3>, 256> rgb;
    std::array<std::uint32_t, 256> rgbWord;  // red, green, blue in memory order, then a spare byte
    std::array<std::uint8_t, 256> grey;
    std::array<std::uint8_t, 256> bit;
    std::array<std::uint8_t, 256> index;
};

const MixTable& mixTable(int fg, int bg) {
    thread_local MixTable table;
    const int key = fg << 4 | bg;
    if (table.key == key) {
        return table;
    }
    const t_RGBColor f = t_PaletteColor(fg);
    const t_RGBColor b = t_PaletteColor(bg);
    const int fGrey = (f.Red + f.Green + f.Blue) / 3;
    const int bGrey = (b.Red + b.Green + b.Blue) / 3;
    for (int a = 0; a < 256; ++a) {
        const int mr = a * f.Red / 255 + (255 - a) * b.Red / 255;
        const int mg = a * f.Green / 255 + (255 - a) * b.Green / 255;
        const int mb = a * f.Blue / 255 + (255 - a) * b.Blue / 255;
        table.rgb[a] = {std::uint8_t(mr), std::uint8_t(mg), std::uint8_t(mb)};
        const std::uint8_t bytes[4] = {std::uint8_t(mr), std::uint8_t(mg), std::uint8_t(mb), 0};
        std::memcpy(&table.rgbWord[a], bytes, 4);
        table.grey[a] = std::uint8_t((255 - a) * bGrey / 255 + a * fGrey / 255);
        table.bit[a] = (mr + mg + mb) / 3 >= 128 ? 1 : 0;
        table.index[a] = std::uint8_t(t_PaletteIndex(mr, mg, mb));
    }
    table.key = key;
    return table;
}

void writeCharacter(std::uint8_t code) {
    // The code is a Latin-1 character; standard output takes UTF-8.
    std::string text;
    utf8append(text, code);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

void drawGreyCell(const t_Window& w, const t_Font& font, std::uint8_t code, int fg, int bg, int x0, int y0) {
    const int fw = font.Width;
    const int fh = font.Height;
    const std::uint8_t* glyph = font.Data.data() + std::size_t(code) * fw * fh;
    const MixTable& mix = mixTable(fg, bg);
    const int depth = w.BitDepth;
    const std::int64_t rowBytes = std::int64_t(w.Width) * depth / 8;
    std::uint8_t* base = t_VideoMemory() + w.MemoryStart;
    for (int y = 0; y < fh; ++y) {
        std::uint8_t* row = base + std::int64_t(y0 + y) * rowBytes;
        const std::uint8_t* coverage = glyph + std::ptrdiff_t(y) * fw;
        switch (depth) {
            case 24: {
                // Four-byte stores: the spare byte lands on the next pixel, which is written next.
                std::uint8_t* p = row + std::ptrdiff_t(x0) * 3;
                for (int x = 0; x + 1 < fw; ++x, p += 3) {
                    std::memcpy(p, &mix.rgbWord[coverage[x]], 4);
                }
                const auto& m = mix.rgb[coverage[fw - 1]];
                p[0] = m[0];
                p[1] = m[1];
                p[2] = m[2];
                break;
            }
            case 32: {
                std::uint8_t* p = row + std::ptrdiff_t(x0) * 4;
                for (int x = 0; x < fw; ++x, p += 4) {
                    const auto& m = mix.rgb[coverage[x]];
                    p[1] = m[0];
                    p[2] = m[1];
                    p[3] = m[2];
                }
                break;
            }
            case 8:
                for (int x = 0; x < fw; ++x) {
                    row[x0 + x] = mix.grey[coverage[x]];
                }
                break;
            case 16:
                for (int x = 0; x < fw; ++x) {
                    row[2 * (x0 + x) + 1] = mix.grey[coverage[x]];
                }
                break;
            case 4:
                for (int x = 0; x < fw; ++x) {
                    const int px = x0 + x;
                    std::uint8_t& byte = row[px / 2];
                    const std::uint8_t index = mix.index[coverage[x]];
                    byte = px % 2 == 0 ? std::uint8_t((byte & 0x0F) | index << 4)
                                       : std::uint8_t((byte & 0xF0) | index);
                }
                break;
            case 1:
                for (int x = 0; x < fw; ++x) {
                    const int px = x0 + x;
                    const std::uint8_t bit = std::uint8_t(0x80 >> (px % 8));
                    row[px / 8] = mix.bit[coverage[x]] ? (row[px / 8] | bit) : (row[px / 8] & ~bit);
                }
                break;
            default:
                return;
        }
    }
}

// Bit x of the row read as one big-endian number; only the lowest 64 bits can be set.
bool monochromeBit(const std::uint8_t* row, int rowBytes, int x) {
    if (x >= 64 || x / 8 >= rowBytes) {
        return false;
    }
    return (row[rowBytes - 1 - x / 8] >> (x % 8)) & 1;
}

struct Rgb {
    int r, g, b;
};

Rgb rgbOf(std::uint32_t c) {
    return {int((c >> 8) & 0xFF), int((c >> 16) & 0xFF), int(c >> 24)};
}

void writeScaledGrey(const t_Window& w, int px, int py, int a, Rgb f, Rgb b) {
    std::uint8_t* row = t_VideoMemory() + w.MemoryStart + std::int64_t(py) * w.Width * w.BitDepth / 8;
    const int grey = (255 - a) * ((b.r + b.g + b.b) / 3) / 255 + a * ((f.r + f.g + f.b) / 3) / 255;
    switch (w.BitDepth) {
        case 1: {
            const bool set = ((a & f.r) + (a & f.g) + (a & f.b)) / 3 >= 128;
            const std::uint8_t bit = std::uint8_t(0x80 >> (px % 8));
            row[px / 8] = set ? (row[px / 8] | bit) : (row[px / 8] & ~bit);
            break;
        }
        case 4: {
            const int index = t_PaletteIndex(a & f.r, a & f.g, a & f.b);
            std::uint8_t& byte = row[px / 2];
            byte =
                px % 2 == 0 ? std::uint8_t((byte & 0x0F) | index << 4) : std::uint8_t((byte & 0xF0) | index);
            break;
        }
        case 8:
            row[px] = std::uint8_t(grey);
            break;
        case 16:
            row[2 * px + 1] = std::uint8_t(grey);
            break;
        case 24:
        case 32: {
            const int bytes = w.BitDepth / 8;
            std::uint8_t* p = row + std::ptrdiff_t(px) * bytes + (bytes - 3);
            p[0] = std::uint8_t((255 - a) * b.r / 255 + a * f.r / 255);
            p[1] = std::uint8_t((255 - a) * b.g / 255 + a * f.g / 255);
            p[2] = std::uint8_t((255 - a) * b.b / 255 + a * f.b / 255);
            break;
        }
        default:
            break;
    }
}

}  // namespace

void t_PrintSymbol(std::uint8_t window, std::uint8_t code, std::uint8_t color, int column, int line) {
    if (window >= t_WindowCount) {
        logline("t_PrintSymbol: Window is not a graphic window.");
        return;
    }
    t_Window& w = t_WindowRecord(window);
    const int redirect = w.TextRedirectOutput;
    const auto notInitialized = [window] {
        logline("t_PrintSymbol: Window #" + std::to_string(window) + " not initialized.");
    };
    if (!t_ToolkitReady() || !w.Initialized || w.TextMemoryStart < 0) {
        if (redirect == 2) {
            writeCharacter(code);
        } else if (redirect == 1) {
            notInitialized();
        }
        return;
    }
    if (redirect != 1) {
        if (redirect == 2) {
            writeCharacter(code);
        }
        return;
    }
    const t_Font& font = w.Font;
    if (!font.hasGlyphs()) {
        notInitialized();
        return;
    }
    int fg = color >> 4;
    int bg = color & 15;
    if (w.TextInverse) {
        std::swap(fg, bg);
    }
    // Cells outside the text grid would address bytes beyond the window's text block.
    if (column < 1 || line < 1 || std::int64_t(font.Width) * column > w.Width ||
        std::int64_t(font.Height) * line > w.Height || column > w.TextWidth || line > w.TextHeight) {
        logline("t_PrintSymbol: Window #" + std::to_string(window) + " illegal coordinates (x = " +
                std::to_string(column) + ", y = " + std::to_string(line) + ").");
        return;
    }
    if (code >= font.Start && code <= font.End) {
        if (font.Format == t_FontFormatGrey) {
            if (t_FontGlyphsInside(font)) {
                drawGreyCell(w, font, code, fg, bg, font.Width * (column - 1), font.Height * (line - 1));
            }
        } else {
            // Expanding would only turn 100 into 0 and 102 into 2; the glyphs are not needed for the message.
            const int expanded = font.Format >= 100 ? font.Format - 100 : font.Format;
            logline(expanded == t_FontFormatMonochrome || expanded == t_FontFormatGrey
                        ? "t_PrintSymbol: Font format must be uncompressed grey for text-printing."
                        : "t_PrintSymbol: Illegal font format.");
        }
    }
    std::uint8_t* cells = t_VideoMemory() + w.TextMemoryStart;
    const std::int64_t half = (w.TextMemoryEnd - w.TextMemoryStart + 1) / 2;
    const std::int64_t cell = std::int64_t(line - 1) * w.TextWidth + (column - 1);
    // Atomic (relaxed) stores cost nothing here and let a copy on another thread read the cells.
    std::atomic_ref<std::uint8_t>(cells[cell]).store(code, std::memory_order_relaxed);
    std::atomic_ref<std::uint8_t>(cells[half + cell])
        .store(std::uint8_t(fg << 4 | bg), std::memory_order_relaxed);
    t_WindowChanged(window);
}

void g_PrintSymbol(std::uint8_t window, std::uint8_t code, int scaleX, int scaleY, std::uint32_t color,
                   std::uint32_t background, const t_Font& font) {
    t_Window* w = t_CheckGraphicWindow("g_PrintSymbol", window);
    if (w == nullptr) {
        return;
    }
    // The cursor has no upper bound and the scale none either: all position arithmetic is 64-bit.
    const std::int64_t x0 = w->PositionX;
    const std::int64_t y0 = w->PositionY;
    if (code < font.Start || scaleY < 1 || scaleX < 1 || code > font.End || x0 < 0 || y0 < 0 ||
        x0 + font.Width > w->Width || y0 + font.Height > w->Height) {
        return;
    }
    const bool monochrome = font.Format == t_FontFormatMonochrome;
    if (!monochrome && font.Format != t_FontFormatGrey) {
        logline(font.Format == t_FontFormatMonochromeCompressed || font.Format == t_FontFormatGreyCompressed
                    ? "g_PrintSymbol: Font format must be uncompressed monochrome or grey for printing."
                    : "g_PrintSymbol: Illegal font format.");
        return;
    }
    if (!t_FontGlyphsInside(font)) {
        return;
    }
    // The enlarged glyph is clipped at the window's edges: only the visible window pixels are
    // visited, each taking the glyph pixel it enlarges.
    const int right = int(std::min<std::int64_t>(x0 + std::int64_t(font.Width) * scaleX, w->Width));
    const int bottom = int(std::min<std::int64_t>(y0 + std::int64_t(font.Height) * scaleY, w->Height));
    if (monochrome) {
        const int rowBytes = (font.Width + 7) / 8;
        const std::uint8_t* glyph =
            font.Data.data() + std::size_t(code - font.Start) * font.Height * rowBytes;
        for (int py = int(y0); py < bottom; ++py) {
            const std::uint8_t* row = glyph + std::ptrdiff_t((py - y0) / scaleY) * rowBytes;
            for (int px = int(x0); px < right; ++px) {
                const bool set = monochromeBit(row, rowBytes, int((px - x0) / scaleX));
                g_Plot(window, px, py, set ? color : background);
            }
        }
    } else {
        const std::uint8_t* glyph = font.Data.data() + std::size_t(code) * font.Width * font.Height;
        const Rgb f = rgbOf(color);
        const Rgb b = rgbOf(background);
        for (int py = int(y0); py < bottom; ++py) {
            const std::uint8_t* row = glyph + std::ptrdiff_t((py - y0) / scaleY) * font.Width;
            for (int px = int(x0); px < right; ++px) {
                writeScaledGrey(*w, px, py, row[(px - x0) / scaleX], f, b);
            }
        }
        t_WindowChanged(window);
    }
    // g_Plot moved the cursor to each pixel; the glyph advances from where it started.
    w->PositionX = int(std::min<std::int64_t>(x0 + std::int64_t(font.Width) * scaleX, INT_MAX));
    w->PositionY = int(y0);
}

}  // namespace zarvik
