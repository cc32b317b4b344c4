#include "toolkit/text/textoutput.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "toolkit/host.h"
#include "toolkit/screen/palette.h"
#include "toolkit/screen/window.h"
#include "toolkit/text/glyph.h"
#include "util/encoding.h"
#include "util/log.h"
#include "util/text.h"

namespace zarvik {

namespace {

// Installed before main by the application layer; read only afterwards.
using PauseCheck = void (*)();
constinit PauseCheck outputPause = nullptr;

void pauseCheck() {
    if (outputPause != nullptr) {
        outputPause();
    }
}

constexpr int kEscapeMode = 99;

t_Window* text(std::string_view name, std::uint8_t window) {
    return t_CheckWindow(name, window, t_Check::Text);
}
t_Window* initialized(std::string_view name, std::uint8_t window) {
    return t_CheckWindow(name, window, t_Check::Initialized);
}

std::uint8_t* cells(const t_Window& w) {
    return t_VideoMemory() + w.TextMemoryStart;
}
std::int64_t planeSize(const t_Window& w) {
    return (w.TextMemoryEnd - w.TextMemoryStart + 1) / 2;
}
std::int64_t cellIndex(const t_Window& w, int column, int line) {
    return std::int64_t(line - 1) * w.TextWidth + (column - 1);
}

// Puts the code at the cursor and moves on; a window printing elsewhere keeps its cursor and screen.
void printAtCursor(std::uint8_t window, t_Window& w, std::uint8_t code) {
    t_PrintSymbol(window, code, w.TextColor, w.TextHpos, w.TextVpos);
    if (w.TextRedirectOutput == 1) {
        t_CursorRight(window);
    }
}

// Reprints a cell from its stored code and colour, one line up or down or in place.
void reprint(std::uint8_t window, const t_Window& w, int column, int fromLine, int toLine) {
    const std::int64_t i = cellIndex(w, column, fromLine);
    t_PrintSymbol(window, cells(w)[i], cells(w)[planeSize(w) + i], column, toLine);
}

void clearLine(std::uint8_t window, const t_Window& w, int line, int fromColumn) {
    for (int c = fromColumn; c <= w.TextLastColumn; ++c) {
        t_PrintSymbol(window, ' ', w.TextColor, c, line);
    }
}

// The three block moves of a full-width scroll: lines a..b shift by one line, up or down.
void scrollFullWidth(std::uint8_t window, const t_Window& w, bool up) {
    const std::int64_t d = planeSize(w);
    const std::int64_t W = w.TextWidth;
    const int a = w.TextFirstLine;
    const int b = w.TextLastLine;
    const std::int64_t start = w.TextMemoryStart;
    const std::int64_t upper = start + W * (a - 1);  // first cell of line a
    const std::int64_t count = W * (b - a);
    const std::int64_t h = w.Font.Height;
    const std::int64_t fw = w.Font.Width;
    const std::int64_t depth = w.BitDepth;
    const std::int64_t width = w.Width;
    const std::int64_t lineBytes = depth * h * width / 8;
    const std::int64_t graphicCount =
        ((fw * W + (h * b - 1) * width) * depth) / 8 - depth * h * a * width / 8;
    const std::int64_t graphicUpper = w.MemoryStart + depth * h * (a - 1) * width / 8;
    // A font swapped in after set-up may have larger cells than the window was laid out for:
    // the pixel move stays inside the window's graphic block, as cell printing does.
    const std::int64_t graphicEnd = w.MemoryStart + width * w.Height * depth / 8;
    const std::int64_t graphicMoved = std::min(graphicCount, graphicEnd - graphicUpper - lineBytes);
    {
        const std::lock_guard lock(t_TextMemoryLock(window));
        t_MoveVideoMemory(up ? upper + d + W : upper + d, up ? upper + d : upper + d + W, count);
        t_MoveVideoMemory(up ? upper + W : upper, up ? upper : upper + W, count);
    }
    if (graphicMoved > 0) {
        t_MoveVideoMemory(up ? graphicUpper + lineBytes : graphicUpper,
                          up ? graphicUpper : graphicUpper + lineBytes, graphicMoved);
    }
}

void scroll(std::uint8_t window, t_Window& w, bool up) {
    if (w.ScrollLock) {
        return;
    }
    const int a = w.TextFirstLine;
    const int b = w.TextLastLine;
    if (w.TextFirstColumn == 1 && w.TextLastColumn == w.TextWidth) {
        scrollFullWidth(window, w, up);
    } else {
        const bool inverse = w.TextInverse;
        w.TextInverse = false;
        if (up) {
            for (int l = a + 1; l <= b; ++l) {
                for (int c = w.TextFirstColumn; c <= w.TextLastColumn; ++c) {
                    reprint(window, w, c, l, l - 1);
                }
            }
        } else {
            for (int l = b - 1; l >= a; --l) {
                for (int c = w.TextFirstColumn; c <= w.TextLastColumn; ++c) {
                    reprint(window, w, c, l, l + 1);
                }
            }
        }
        w.TextInverse = inverse;
    }
    clearLine(window, w, up ? b : a, w.TextFirstColumn);
}

template <typename Scalars>
void printScalars(std::uint8_t window, const Scalars& next) {
    t_Window* w = text("t_Print", window);
    if (w == nullptr) {
        return;
    }
    if (!w->Font.hasGlyphs()) {
        logline("t_Print: Window #" + std::to_string(window) + " has no text font.");
        return;
    }
    char32_t s = 0;
    while (next(s)) {
        if (s < 32 && w->TextDisplayMode < 3) {
            if (s == 13) {
                pauseCheck();
            }
            t_PrintControl(window, std::uint8_t(s));
            continue;
        }
        const t_DisplayResult r = t_ApplyDisplayMode(window, int(s));
        if (r.Code > 255) {
            if (w->TextDisplayMode == 4) {
                t_Color(window, 1);
            }
            printAtCursor(window, *w, '?');
        } else if (r.Code >= 0) {
            printAtCursor(window, *w, std::uint8_t(r.Code));
        }
        w->TextInverse = r.Inverse;
        w->TextColor = r.Color;
    }
    pauseCheck();
}

void writeCharacter(std::uint8_t code) {
    std::string out;
    utf8append(out, code);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fflush(stdout);
}

}  // namespace

void t_InstallOutputPause(void (*check)()) {
    outputPause = check;
}

void t_Print(std::uint8_t window, std::string_view text) {
    std::size_t i = 0;
    printScalars(window, [&](char32_t& s) {
        if (i >= text.size()) {
            return false;
        }
        s = utf8next(text, i);
        return true;
    });
}

void t_Print(std::uint8_t window, std::span<const std::uint8_t> bytes) {
    std::size_t i = 0;
    printScalars(window, [&](char32_t& s) {
        if (i >= bytes.size()) {
            return false;
        }
        s = bytes[i++];
        return true;
    });
}

void t_PrintChar(std::uint8_t window, std::uint8_t code) {
    t_Window* w = text("t_PrintChar", window);
    if (w == nullptr) {
        return;
    }
    const t_DisplayResult r = t_ApplyDisplayMode(window, code);
    if (r.Code >= 0 && r.Code <= 255) {
        printAtCursor(window, *w, std::uint8_t(r.Code));
    }
    w->TextInverse = r.Inverse;
    w->TextColor = r.Color;
}

void t_PrintControl(std::uint8_t window, std::uint8_t code) {
    t_Window* w = text("t_PrintControl", window);
    if (w == nullptr) {
        return;
    }
    if (w->TextRedirectOutput == 2) {
        writeCharacter(code);
        return;
    }
    if (w->TextRedirectOutput != 1) {
        return;
    }
    switch (code) {
        case 7:
            t_Bell();
            break;
        case 8:
            t_CursorLeft(window);
            break;
        case 10:
            t_CursorDown(window);
            break;
        case 11:
            t_ClearEndOfWindow(window);
            break;
        case 12:
            t_CursorHome(window);
            t_ClearEndOfWindow(window);
            break;
        case 13:
            t_Cr(window);
            break;
        case 14:
            t_Normal(window);
            break;
        case 15:
            t_Inverse(window);
            break;
        case 17:
            t_Reverse(window);
            break;
        case 18:
            t_Htab(window, 1);
            break;
        case 19:
            t_DisplayMode(window, 0);
            break;
        case 20:
            t_DisplayMode(window, 1);
            break;
        case 22:
            t_ScrollDown(window);
            break;
        case 23:
            t_ScrollUp(window);
            break;
        case 25:
            t_CursorHome(window);
            break;
        case 26:
            t_Htab(window, 1);
            t_ClearEndOfLine(window);
            break;
        case 27:
            t_DisplayMode(window, kEscapeMode);
            break;
        case 28:
            t_CursorRight(window);
            break;
        case 29:
            t_ClearEndOfLine(window);
            break;
        case 30:
            t_CursorUp(window);
            break;
        case 31:
            t_DisplayMode(window, 2);
            break;
        default:
            break;
    }
}

t_DisplayResult t_ApplyDisplayMode(std::uint8_t window, int s) {
    t_Window* w = text("t_ApplyDisplayMode", window);
    if (w == nullptr) {
        return {-1, false, 0};
    }
    t_DisplayResult r{s, w->TextInverse, w->TextColor};
    switch (w->TextDisplayMode) {
        case 1:
            if (s >= 32 && s <= 127) {
                r.Code = s + 128;
            }
            break;
        case 2:
            if (s >= 96 && s <= 127) {
                r.Code = s + 32;
            } else if (s >= 64 && s <= 95) {
                r.Code = s - 64;
            }
            break;
        case 3:
            if (s >= 0 && s <= 31) {
                t_Inverse(window);
                r.Code = s + 64;
            }
            break;
        case 4:
            if (s >= 0 && s <= 31) {
                t_Color(window, 1);
                r.Code = s + 64;
            }
            break;
        case kEscapeMode: {
            const bool command = (s >= 64 && s <= 95) || s == 'e' || s == 'f' || s == 'i' || s == 'j' ||
                                 s == 'k' || (s >= 110 && s <= 127);
            if (!command) {
                break;
            }
            // The escape is over before the command runs, so that the command's own output prints plainly.
            w->TextDisplayMode = 0;
            r.Code = -1;
            if (s <= 79) {
                r.Color = std::uint8_t(((s - 64) * 16) | (r.Color & 15));
            } else if (s <= 95) {
                r.Color = std::uint8_t((r.Color & 0xF0) + (s - 80));
            } else if (s == 'e') {
                t_CursorEnd(window);
            } else if (s == 'f') {
                t_Htab(window, w->TextWidth - w->TextFirstColumn + 1);
            } else if (s >= 'i' && s <= 'k') {
                const int n = s == 'i' ? 10 : s == 'j' ? 20 : 40;
                const int stop = (w->TextHpos / n) * n + n + 1;
                if (w->TextWidth - w->TextFirstColumn + 1 < stop) {
                    t_ClearEndOfLine(window);
                    t_Cr(window);
                } else {
                    t_PrintTab(window, stop, ' ');
                }
            } else {
                t_ColorBorder(window, (s - 110) % 16);
            }
            break;
        }
        default:
            break;
    }
    return r;
}

void t_PrintTab(std::uint8_t window, int column, std::uint8_t fill) {
    t_Window* w = text("t_PrintTab", window);
    if (w == nullptr) {
        return;
    }
    for (int n = column - w->TextHpos; n >= 1; --n) {
        t_PrintChar(window, fill);
    }
}

void t_PrintSpc(std::uint8_t window, int count) {
    if (text("t_PrintSpc", window) == nullptr) {
        return;
    }
    for (int n = count; n >= 1; --n) {
        t_PrintChar(window, ' ');
    }
}

void t_Htab(std::uint8_t window, int column) {
    t_Window* w = text("t_Htab", window);
    if (w != nullptr && column >= 1 && std::int64_t(column) + w->TextFirstColumn - 1 <= w->TextWidth) {
        w->TextHpos = column + w->TextFirstColumn - 1;
    }
}

void t_Vtab(std::uint8_t window, int line) {
    t_Window* w = text("t_Vtab", window);
    if (w != nullptr && line >= 1 && line <= w->TextHeight) {
        w->TextVpos = line;
    }
}

int t_Vpos(std::uint8_t window) {
    const t_Window* w = text("t_Vpos", window);
    return w == nullptr ? 0 : int(w->TextVpos);
}

void t_CursorHome(std::uint8_t window) {
    if (t_Window* w = text("t_CursorHome", window)) {
        w->TextHpos = int(w->TextFirstColumn);
        w->TextVpos = int(w->TextFirstLine);
    }
}

void t_CursorEnd(std::uint8_t window) {
    if (t_Window* w = text("t_CursorEnd", window)) {
        w->TextHpos = int(w->TextLastColumn);
        w->TextVpos = int(w->TextLastLine);
    }
}

void t_CursorRight(std::uint8_t window) {
    t_Window* w = text("t_CursorRight", window);
    if (w == nullptr) {
        return;
    }
    if (++w->TextHpos > w->TextLastColumn) {
        t_Cr(window);
    }
}

void t_CursorLeft(std::uint8_t window) {
    t_Window* w = text("t_CursorLeft", window);
    if (w == nullptr) {
        return;
    }
    if (--w->TextHpos < w->TextFirstColumn) {
        w->TextHpos = int(w->TextLastColumn);
        t_CursorUp(window);
    }
}

void t_CursorDown(std::uint8_t window) {
    t_Window* w = text("t_CursorDown", window);
    if (w == nullptr) {
        return;
    }
    if (++w->TextVpos > w->TextLastLine) {
        t_ScrollUp(window);
        --w->TextVpos;
    }
}

void t_CursorUp(std::uint8_t window) {
    t_Window* w = text("t_CursorUp", window);
    if (w == nullptr) {
        return;
    }
    if (--w->TextVpos < w->TextFirstLine) {
        t_ScrollDown(window);
        ++w->TextVpos;
    }
}

void t_Cr(std::uint8_t window) {
    t_Window* w = text("t_Cr", window);
    if (w == nullptr) {
        return;
    }
    w->TextHpos = int(w->TextFirstColumn);
    t_CursorDown(window);
}

void t_ScrollUp(std::uint8_t window) {
    if (t_Window* w = text("t_ScrollUp", window)) {
        scroll(window, *w, true);
    }
}

void t_ScrollDown(std::uint8_t window) {
    if (t_Window* w = text("t_ScrollDown", window)) {
        scroll(window, *w, false);
    }
}

void t_ClearEndOfLine(std::uint8_t window) {
    if (t_Window* w = text("t_ClearEndOfLine", window)) {
        clearLine(window, *w, w->TextVpos, w->TextHpos);
    }
}

void t_ClearEndOfWindow(std::uint8_t window) {
    t_Window* w = text("t_ClearEndOfWindow", window);
    if (w == nullptr) {
        return;
    }
    clearLine(window, *w, w->TextVpos, w->TextHpos);
    for (int l = w->TextVpos + 1; l <= w->TextLastLine; ++l) {
        clearLine(window, *w, l, w->TextFirstColumn);
    }
}

void t_Inverse(std::uint8_t window) {
    if (t_Window* w = initialized("t_Inverse", window)) {
        w->TextInverse = true;
    }
}

void t_Normal(std::uint8_t window) {
    if (t_Window* w = initialized("t_Normal", window)) {
        w->TextInverse = false;
    }
}

void t_Reverse(std::uint8_t window) {
    if (t_Window* w = initialized("t_Reverse", window)) {
        w->TextInverse = !w->TextInverse;
    }
}

void t_DisplayMode(std::uint8_t window, int mode) {
    if (t_Window* w = initialized("t_DisplayMode", window)) {
        w->TextDisplayMode = mode;
    }
}

void t_RedirectOutput(std::uint8_t window, int target) {
    if (t_Window* w = initialized("t_RedirectOutput", window)) {
        w->TextRedirectOutput = target;
    }
}

void t_Area(std::uint8_t window, int column1, int line1, int column2, int line2) {
    t_Window* w = initialized("t_Area", window);
    if (w == nullptr) {
        return;
    }
    if (1 <= column1 && column1 <= column2 && column2 <= w->TextWidth) {
        w->TextFirstColumn = column1;
        w->TextLastColumn = column2;
    }
    if (1 <= line1 && line1 <= line2 && line2 <= w->TextHeight) {
        w->TextFirstLine = line1;
        w->TextLastLine = line2;
    }
    t_CursorHome(window);
}

void t_FullArea(std::uint8_t window) {
    if (t_Window* w = initialized("t_FullArea", window)) {
        w->TextFirstColumn = 1;
        w->TextLastColumn = int(w->TextWidth);
        w->TextFirstLine = 1;
        w->TextLastLine = int(w->TextHeight);
    }
}

void t_InvertRect(std::uint8_t window, int column1, int line1, int column2, int line2) {
    t_Window* w = text("t_InvertRect", window);
    if (w == nullptr || !(1 <= column1 && column1 <= column2 && column2 <= w->TextWidth) ||
        !(1 <= line1 && line1 <= line2 && line2 <= w->TextHeight)) {
        return;
    }
    const bool inverse = w->TextInverse;
    w->TextInverse = true;
    for (int l = line1; l <= line2; ++l) {
        for (int c = column1; c <= column2; ++c) {
            reprint(window, *w, c, l, l);
        }
    }
    w->TextInverse = inverse;
}

void t_CursorDraw(std::uint8_t window) {
    if (t_Window* w = text("t_CursorDraw", window)) {
        t_InvertRect(window, w->TextHpos, w->TextVpos, w->TextHpos, w->TextVpos);
    }
}

void t_CursorOn(std::uint8_t window) {
    if (t_Window* w = text("t_CursorOn", window)) {
        if (w->TextCursorLevel++ == 0) {
            t_CursorDraw(window);
        }
    }
}

void t_CursorOff(std::uint8_t window) {
    if (t_Window* w = text("t_CursorOff", window)) {
        if (w->TextCursorLevel-- == 1) {
            t_CursorDraw(window);
        }
    }
}

void t_TextHline(std::uint8_t window, int column1, int column2, int line, std::uint8_t code) {
    t_Window* w = text("t_TextHline", window);
    if (w == nullptr || column2 < column1 || column1 < 1 || column2 > w->TextWidth || line < 1 ||
        line > w->TextHeight) {
        return;
    }
    for (int c = column1; c <= column2; ++c) {
        t_PrintSymbol(window, code, w->TextColor, c, line);
    }
}

void t_TextLine(std::uint8_t window) {
    if (t_Window* w = text("t_TextLine", window)) {
        t_TextHline(window, w->TextHpos, w->TextLastColumn, w->TextVpos, 156);
        t_Cr(window);
    }
}

void t_Header(std::uint8_t window, std::string_view left, std::string_view right) {
    t_Window* w = text("t_Header", window);
    if (w == nullptr) {
        return;
    }
    const std::string line = justifiedstring(left, right, w->TextLastColumn - w->TextFirstColumn + 1);
    if (!line.empty()) {
        std::size_t last = 0;
        for (std::size_t i = 0; i < line.size();) {
            last = i;
            utf8next(line, i);
        }
        t_Print(window, std::string_view(line).substr(0, last));
        std::size_t i = last;
        const char32_t s = utf8next(line, i);
        t_PrintSymbol(window, s > 255 ? std::uint8_t('?') : std::uint8_t(s), w->TextColor, w->TextHpos,
                      w->TextVpos);
    }
    if (w->TextLastLine - w->TextFirstLine + 1 < 2) {
        t_Htab(window, 1);
    } else {
        t_Cr(window);
    }
}

void t_WindowFont(std::uint8_t window, const t_Font& font) {
    if (t_Window* w = initialized("t_WindowFont", window)) {
        w->Font = font;
    }
}

std::string t_GetScreen(std::uint8_t window, std::string_view separator) {
    const t_Window* w = text("t_GetScreen", window);
    if (w == nullptr) {
        return {};
    }
    // A copy of the character plane taken in one go: the program may be printing meanwhile.
    const int columns = w->TextWidth;
    const int rows = w->TextHeight;
    std::vector<std::uint8_t> plane(std::size_t(std::max(0, columns)) * std::size_t(std::max(0, rows)));
    {
        const std::lock_guard lock(t_TextMemoryLock(window));
        std::uint8_t* source = cells(*w);
        const std::size_t count = std::min<std::size_t>(plane.size(), std::size_t(planeSize(*w)));
        for (std::size_t i = 0; i < count; ++i) {
            plane[i] = std::atomic_ref<std::uint8_t>(source[i]).load(std::memory_order_relaxed);
        }
    }
    std::string all;
    for (int l = 0; l < rows; ++l) {
        for (int c = 0; c < columns; ++c) {
            utf8append(all, plane[std::size_t(l) * std::size_t(columns) + std::size_t(c)]);
        }
        all += separator;
    }
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (;;) {
        const std::size_t cr = all.find('\r', from);
        std::string piece = all.substr(from, cr == std::string::npos ? std::string::npos : cr - from);
        piece.erase(piece.find_last_not_of(' ') + 1);
        lines.push_back(std::move(piece));
        if (cr == std::string::npos) {
            break;
        }
        from = cr + 1;
    }
    while (lines.size() > 1 && lines.back().empty()) {
        lines.pop_back();
    }
    std::string result;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        result += (i == 0 ? "" : "\r") + lines[i];
    }
    return result;
}

}  // namespace zarvik
