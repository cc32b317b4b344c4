#include "toolkit/graphics/graphiccapture.h"

#include <algorithm>
#include <cerrno>

#include "toolkit/graphics/graphicfile.h"
#include "toolkit/graphics/graphicpack.h"
#include "toolkit/graphics/pngfile.h"
#include "toolkit/host.h"
#include "toolkit/screen/pixels.h"
#include "toolkit/screen/window.h"
#include "util/dialogs.h"
#include "util/files.h"
#include "util/log.h"
#include "util/paths.h"

namespace zarvik {
namespace {

std::optional<int> formatOfDepth(int depth) {
    switch (depth) {
        case 1:
            return g_FormatMonochrome;
        case 4:
            return g_FormatIndexedColor;
        case 8:
            return g_FormatGrey;
        case 16:
            return g_FormatAGrey;
        case 24:
            return g_FormatRGBColor;
        case 32:
            return g_FormatARGBColor;
        default:
            return std::nullopt;
    }
}

void appendPixel(Bytes& data, std::uint8_t window, int depth, int x, int y) {
    if (depth == 1 || depth == 4) {
        data.push_back(static_cast<std::uint8_t>(g_Scrn(window, x, y, g_Index)));
        return;
    }
    const t_RGBColor c = t_ColorOfValue(g_Scrn(window, x, y));
    switch (depth) {
        case 8:
            data.push_back(c.Red);
            break;
        case 16:
            data.insert(data.end(), {c.Alpha, static_cast<std::uint8_t>((c.Red + c.Green + c.Blue) / 3)});
            break;
        case 24:
            data.insert(data.end(), {c.Red, c.Green, c.Blue});
            break;
        default:
            data.insert(data.end(), {c.Alpha, c.Red, c.Green, c.Blue});
            break;
    }
}

// The console window the user sees in front; the program's default window when the key window
// is not a console window.
std::uint8_t frontConsoleWindow() {
    int key = 255;
    onMainThread([&key] { key = host().keyWindow(); });
    return key >= 0 && key < t_WindowCount ? static_cast<std::uint8_t>(key) : t_DefaultWindow();
}

// The host offers no way to read a title back; this is the title the window was given at set-up.
std::string titleOf(std::uint8_t window) {
    std::string title = host().applicationName();
    if (t_WindowRecord(window).TextMemoryStart < 0) {
        title += "-Grafik";
    }
    return title;
}

}  // namespace

g_Graphic g_GetScreenRect(std::uint8_t window, int x1, int y1, int x2, int y2) {
    const t_Window* w = t_CheckGraphicWindow("g_GetScreenRect", window);
    if (w == nullptr) {
        return g_EmptyGraphic();
    }
    const int depth = w->BitDepth;
    x2 = std::min(x2, w->Width - 1);
    y2 = std::min(y2, w->Height - 1);
    if (x1 < 0 || x1 > x2) {
        logline("g_GetScreenRect: Illegal x-value");
        return g_EmptyGraphic();
    }
    if (y1 < 0 || y1 > y2) {
        logline("g_GetScreenRect: Illegal y-value");
        return g_EmptyGraphic();
    }
    const auto format = formatOfDepth(depth);
    if (!format) {
        logline("g_GetScreenRect: Illegal window graphic format.");
        return g_EmptyGraphic();
    }
    g_Graphic graphic;
    graphic.Format = *format;
    graphic.Width = x2 - x1 + 1;
    graphic.Height = y2 - y1 + 1;
    graphic.Size = static_cast<std::int64_t>(graphic.Width) * graphic.Height;
    graphic.ScaleWidth = 1;
    graphic.ScaleHeight = 1;
    graphic.Data.reserve(static_cast<std::size_t>(graphic.Size) * *graphicPixelBytes(*format));
    for (int y = y1; y <= y2; ++y) {
        for (int x = x1; x <= x2; ++x) {
            appendPixel(graphic.Data, window, depth, x, y);
        }
    }
    return graphic;
}

g_Graphic g_GetScreen(std::uint8_t window) {
    const t_Window* w = t_CheckGraphicWindow("g_GetScreen", window);
    if (w == nullptr) {
        return g_EmptyGraphic();
    }
    return g_GetScreenRect(window, 0, 0, w->Width - 1, w->Height - 1);
}

void g_SaveScreenAs() {
    const std::uint8_t window = frontConsoleWindow();
    const g_Graphic screen = g_GetScreen(window);
    if (screen == g_EmptyGraphic()) {
        return;  // the capture has reported why; there is nothing to save
    }
    // PNG first: it is what other programs open.
    const std::string proposed = filenamewithoutextension(titleOf(window)) + ".png";
    const std::string path =
        selectfiletosave(proposed, "Grafik sichern unter", "Grafik sichern unter", "png,gr");
    if (path.empty()) {
        return;
    }
    // A .png name is for other programs to read: the picture as seen, in their format.
    const std::optional<Bytes> bytes = g_IsPNGName(path)
                                           ? pngFileBytes(screen.Width, screen.Height, g_ScreenRGB(window))
                                           : graphicFileBytes(g_CompressLZW(g_CompressRLE(g_Pack(screen))));
    // Only a picture too large for its format has no bytes.
    const int error = bytes ? setbinarytofile(path, *bytes) : EFBIG;
    if (error != 0) {
        showmessage("Die Grafik konnte nicht gesichert werden.\n" + path + "\n" + filereason(error));
    }
}

}  // namespace zarvik
