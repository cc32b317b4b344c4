#include "toolkit/graphics/graphicdraw.h"

#include <algorithm>

#include "toolkit/graphics/graphicpack.h"
#include "toolkit/screen/palette.h"
#include "toolkit/screen/pixels.h"
#include "toolkit/screen/window.h"
#include "toolkit/text/textoutput.h"
#include "util/log.h"

namespace zarvik {
namespace {

// Block size of one image pixel: the stored scale nibble (0 means 16) times the caller's scale.
int blockSize(int stored, std::uint8_t scale) {
    const int nibble = stored & 15;
    return (nibble == 0 ? 16 : nibble) * scale;
}

// The image pixels whose blocks can reach the window: [first, last) along one axis.
struct Span {
    std::int64_t first;
    std::int64_t last;
};

Span visible(int origin, int block, int count, int windowSize) {
    if (block <= 0 || count <= 0) {
        return {0, 0};
    }
    const std::int64_t o = origin;
    const std::int64_t first = o >= 0 ? 0 : (-o) / block;
    const std::int64_t last = o >= windowSize ? 0 : (windowSize - o + block - 1) / block;
    return {std::min<std::int64_t>(first, count), std::min<std::int64_t>(last, count)};
}

// The window colour for a true-colour pixel; the window's depth picks the palette entry.
void selectTrueColor(std::uint8_t window, int alpha, int red, int green, int blue) {
    g_ColorRGB(window, t_ColorValue({std::uint8_t(alpha), std::uint8_t(red), std::uint8_t(green),
                                     std::uint8_t(blue)}));
}

// Sets the window's colour for one pixel the way the pixel's format asks; false when the pixel
// is transparent and is left out.
bool selectColor(std::uint8_t window, int format, const std::uint8_t* p, int transparent) {
    switch (format) {
        case g_FormatMonochrome: {
            const int v = p[0] & 1;
            if (v * 15 == transparent) {
                return false;
            }
            t_Color(window, v != 0 ? 15 : 0);
            return true;
        }
        case g_FormatIndexedColor: {
            const int v = p[0] & 15;
            if (v == transparent) {
                return false;
            }
            t_Color(window, v);
            return true;
        }
        case g_FormatGrey:
            selectTrueColor(window, 255, p[0], p[0], p[0]);
            return true;
        case g_FormatRGBColor:
            selectTrueColor(window, 255, p[0], p[1], p[2]);
            return true;
        case g_FormatAGrey:
            selectTrueColor(window, p[0], p[1], p[1], p[1]);
            return true;
        default:
            selectTrueColor(window, p[0], p[1], p[2], p[3]);
            return true;
    }
}

bool transparentPixel(int format, const std::uint8_t* p, int transparent) {
    return (format == g_FormatMonochrome && (p[0] & 1) * 15 == transparent) ||
           (format == g_FormatIndexedColor && (p[0] & 15) == transparent);
}

}  // namespace

void g_Draw(std::uint8_t window, const g_Graphic& graphic, int x, int y, std::uint8_t scale,
            int transparent) {
    t_Window* w = t_CheckGraphicWindow("g_Draw", window);
    if (w == nullptr) {
        return;
    }
    g_Graphic expanded;
    const g_Graphic* image = &graphic;
    if (graphic.Format >= 6) {
        if (graphicExpandedBytes(graphic).value_or(0) > std::uint64_t(t_VideoMemorySize)) {
            logline("g_Draw: Illegal graphic format.");
            return;
        }
        expanded = g_UnPack(g_DecompressRLE(g_DecompressLZW(graphic)));
        image = &expanded;
    }
    const auto pixelBytes = graphicPixelBytes(image->Format);
    const auto needed = graphicDataBytes(*image, image->Format);
    if (!pixelBytes || !needed || image->Data.size() < *needed) {
        logline("g_Draw: Illegal graphic format.");
        return;
    }

    const int format = image->Format;
    const int width = image->Width;
    const int height = image->Height;
    const int bw = blockSize(image->ScaleWidth, scale);
    const int bh = blockSize(image->ScaleHeight, scale);
    const std::uint8_t* data = image->Data.data();
    const auto pixelAt = [&](std::int64_t row, std::int64_t column) {
        return data + (static_cast<std::size_t>(row) * static_cast<std::size_t>(width) +
                       static_cast<std::size_t>(column)) *
                          *pixelBytes;
    };
    const t_RGBColor remembered = w->RGBColor;

    // Blocks that lie wholly outside the window would plot nothing, so they are not visited;
    // only the colour of the image's last drawn pixel, which stays in the text colour, is kept.
    const Span rows = visible(y, bh, height, w->Height);
    const Span columns = visible(x, bw, width, w->Width);
    std::int64_t lastVisited = -1;
    for (std::int64_t r = rows.first; r < rows.last; ++r) {
        for (std::int64_t c = columns.first; c < columns.last; ++c) {
            if (!selectColor(window, format, pixelAt(r, c), transparent)) {
                continue;
            }
            lastVisited = r * width + c;
            const int left = x + static_cast<int>(c) * bw;
            const int top = y + static_cast<int>(r) * bh;
            plotBlock(window, left, top, bw, bh);
        }
    }
    for (std::int64_t last = static_cast<std::int64_t>(width) * height - 1; last > lastVisited; --last) {
        const std::uint8_t* p = pixelAt(last / width, last % width);
        if (!transparentPixel(format, p, transparent)) {
            selectColor(window, format, p, transparent);
            break;
        }
    }
    w->RGBColor = remembered;
}

}  // namespace zarvik
