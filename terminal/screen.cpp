#include "terminal/screen.h"

#include <curses.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <mutex>

#include "toolkit/app/menus.h"
#include "toolkit/screen/palette.h"
#include "toolkit/screen/window.h"
#include "util/encoding.h"

namespace zarvik::terminal {
namespace {

// The menu bar and boxes: black on light grey, the marked entry inverse.
constexpr int kLightGrey = 7;
constexpr int kBlack = 0;

// Turning mouse reports on and off (button presses and releases, in SGR form).
constexpr const char* kMouseOn = "\x1b[?1000h\x1b[?1006h";
constexpr const char* kMouseOff = "\x1b[?1006l\x1b[?1000l";

// The characters of the 256 cell codes: the line-drawing codes as the pasteboard gives them, so
// that every terminal (vt100 and the Linux console too) shows them.
const std::array<char32_t, 256>& cellCharacters() {
    static const std::array<char32_t, 256> table = [] {
        std::array<char32_t, 256> made{};
        for (int code = 0; code < 256; ++code) {
            std::string text;
            utf8append(text, char32_t(code));
            const std::u32string shown = scalarsOf(t_PasteboardScreenText(text));
            made[std::size_t(code)] = code < 32 || shown.empty() ? U' ' : shown.front();
        }
        return made;
    }();
    return table;
}

bool mouseReports() {
    const char* mouse = tigetstr(const_cast<char*>("kmous"));
    return mouse != nullptr && mouse != reinterpret_cast<char*>(-1);
}

}  // namespace

std::u32string scalarsOf(const std::string& text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        out.push_back(utf8next(text, i));
    }
    return out;
}

bool Screen::start() {
    if (started_) {
        return true;
    }
    if (newterm(nullptr, stdout, stdin) == nullptr) {
        return false;
    }
    started_ = true;
    cbreak();
    noecho();
    nonl();
    intrflush(stdscr, FALSE);
    // Ctrl+S and Ctrl+Q belong to the program (output pause, "Beenden"), not to flow control.
    termios modes{};
    if (tcgetattr(STDIN_FILENO, &modes) == 0) {
        modes.c_iflag &= ~tcflag_t(IXON | IXOFF);
        tcsetattr(STDIN_FILENO, TCSANOW, &modes);
    }
    def_prog_mode();
    if (has_colors()) {
        start_color();
        depth_ = colorDepthOf(COLORS);
    }
    // The palette is fixed: its 16 colours are mapped once, not for every cell of every frame.
    for (int index = 0; index < int(palette_.size()); ++index) {
        palette_[std::size_t(index)] = terminalColor(t_PaletteColor(index), depth_);
    }
    if (mouseReports()) {
        writeRaw(kMouseOn);
    }
    cursorRow_ = -1;
    return true;
}

void Screen::stop() {
    if (!started_) {
        return;
    }
    if (mouseReports()) {
        writeRaw(kMouseOff);
    }
    curs_set(1);
    endwin();
    started_ = false;
}

void Screen::suspend() {
    if (!started_) {
        return;
    }
    if (mouseReports()) {
        writeRaw(kMouseOff);
    }
    endwin();
}

void Screen::resume() {
    if (!started_) {
        return;
    }
    reset_prog_mode();
    if (mouseReports()) {
        writeRaw(kMouseOn);
    }
    clearok(curscr, TRUE);
    refresh();
}

void Screen::resized() {
    if (!started_) {
        return;
    }
    endwin();
    refresh();  // ncurses reads the new size
    clearok(curscr, TRUE);
}

bool Screen::tooSmall() const {
    return COLS < kColumns || LINES < kRows;
}

void Screen::drawTooSmall() {
    erase();
    const std::u32string line = scalarsOf("Bitte das Fenster auf mindestens 80 × 25 Zeichen vergrößern.");
    putText(0, 0, line.substr(0, std::size_t(std::max(0, COLS))), kLightGrey, kBlack, false);
    cursorRow_ = -1;
}

int Screen::pairOf(int foreground, int background) {
    if (depth_ == ColorDepth::None) {
        return 0;
    }
    if (COLORS < 16) {
        foreground %= COLORS;
        background %= COLORS;
    }
    const int pair = alloc_pair(foreground, background);
    return pair < 0 ? 0 : pair;
}

void Screen::putCell(int row, int column, char32_t character, int foreground, int background, bool inverse) {
    const wchar_t text[2] = {static_cast<wchar_t>(character), L'\0'};
    int pair = pairOf(foreground, background);
    cchar_t cell{};
    setcchar(&cell, text, inverse ? A_REVERSE : A_NORMAL, 0, &pair);
    mvadd_wch(row, column, &cell);
}

void Screen::putText(int row, int column, const std::u32string& text, int foreground, int background,
                     bool inverse) {
    for (std::size_t i = 0; i < text.size() && column + int(i) < COLS; ++i) {
        putCell(row, column + int(i), text[i], foreground, background, inverse);
    }
}

void Screen::drawWindow(std::uint8_t window) {
    const t_Window& w = t_WindowRecord(window);
    cursorRow_ = -1;
    if (!t_ToolkitReady() || !w.Initialized || w.TextMemoryStart < 0) {
        erase();
        return;
    }
    const int columns = std::min<int>(w.TextWidth, COLS);
    const int rows = std::min<int>(w.TextHeight, LINES);
    const std::int64_t plane = (w.TextMemoryEnd - w.TextMemoryStart + 1) / 2;
    const auto& characters = cellCharacters();
    {
        // Whole scrolls only: the program may be printing meanwhile.
        const std::lock_guard lock(t_TextMemoryLock(window));
        std::uint8_t* cells = t_VideoMemory() + w.TextMemoryStart;
        for (int row = 0; row < rows; ++row) {
            for (int column = 0; column < columns; ++column) {
                const std::int64_t at = std::int64_t(row) * w.TextWidth + column;
                if (at >= plane) {
                    break;
                }
                const std::uint8_t code =
                    std::atomic_ref<std::uint8_t>(cells[at]).load(std::memory_order_relaxed);
                const std::uint8_t color =
                    std::atomic_ref<std::uint8_t>(cells[plane + at]).load(std::memory_order_relaxed);
                const bool inverse =
                    depth_ == ColorDepth::None &&
                    inverseWithoutColor(t_PaletteColor(color >> 4), t_PaletteColor(color & 15));
                putCell(row, column, characters[code], palette_[color >> 4], palette_[color & 15], inverse);
            }
        }
    }
    if (w.TextCursorLevel > 0) {
        cursorRow_ = w.TextVpos - 1;
        cursorColumn_ = w.TextHpos - 1;
    }
}

void Screen::drawText(const std::string& title, const std::string& text) {
    erase();
    putText(0, 0, scalarsOf(title), kBlack, kLightGrey, true);
    std::vector<std::u32string> lines{U""};
    for (char32_t c : scalarsOf(text)) {
        if (c == U'\r' || c == U'\n') {
            lines.emplace_back();
        } else {
            lines.back().push_back(c < 32 ? U' ' : c);
        }
    }
    const int shown = std::max(0, LINES - 1);
    const std::size_t first = lines.size() > std::size_t(shown) ? lines.size() - std::size_t(shown) : 0;
    for (std::size_t i = first; i < lines.size(); ++i) {
        putText(1 + int(i - first), 0, lines[i], kLightGrey, kBlack, false);
    }
    cursorRow_ = -1;
}

void Screen::drawMenuBar(const std::vector<std::string>& titles, int open,
                         const std::vector<std::string>& items, int item) {
    std::u32string bar(std::size_t(std::max(0, std::min(COLS, kColumns))), U' ');
    putText(0, 0, bar, kBlack, kLightGrey, false);
    int column = 1;
    int openColumn = 1;
    for (int i = 0; i < int(titles.size()); ++i) {
        const std::u32string title = U" " + scalarsOf(titles[std::size_t(i)]) + U" ";
        if (i == open) {
            openColumn = column;
        }
        putText(0, column, title, kBlack, kLightGrey, i == open);
        column += int(title.size());
    }
    if (open < 0) {
        return;
    }
    std::size_t width = 0;
    for (const std::string& entry : items) {
        width = std::max(width, scalarsOf(entry).size());
    }
    for (int i = 0; i < int(items.size()); ++i) {
        std::u32string line = scalarsOf(items[std::size_t(i)]);
        if (line.empty()) {
            line = std::u32string(width, U'-');
        }
        line.resize(width, U' ');
        putText(1 + i, openColumn, U" " + line + U" ", kBlack, kLightGrey, i == item);
    }
    cursorRow_ = -1;
}

void Screen::drawBox(const std::vector<std::string>& lines, const std::vector<std::string>& buttons,
                     int selected) {
    std::vector<std::u32string> shown;
    std::size_t width = 0;
    for (const std::string& line : lines) {
        shown.push_back(scalarsOf(line));
    }
    std::u32string buttonRow;
    std::vector<std::size_t> starts;
    for (const std::string& button : buttons) {
        if (!buttonRow.empty()) {
            buttonRow += U"  ";
        }
        starts.push_back(buttonRow.size());
        buttonRow += U"[" + scalarsOf(button) + U"]";
    }
    // Long lines are wrapped to the screen's width.
    const std::size_t limit = std::size_t(std::min(COLS, kColumns) - 6);
    std::vector<std::u32string> wrapped;
    for (const std::u32string& line : shown) {
        std::u32string rest = line;
        while (rest.size() > limit) {
            std::size_t cut = rest.rfind(U' ', limit);
            cut = cut == std::u32string::npos || cut == 0 ? limit : cut;
            wrapped.push_back(rest.substr(0, cut));
            rest = rest.substr(cut == limit ? cut : cut + 1);
        }
        wrapped.push_back(rest);
    }
    for (const std::u32string& line : wrapped) {
        width = std::max(width, line.size());
    }
    width = std::min(std::max(width, buttonRow.size()), limit);
    const int height = int(wrapped.size()) + 4;
    const int top = std::max(0, (std::min(LINES, kRows) - height) / 2);
    const int left = std::max(0, (std::min(COLS, kColumns) - int(width) - 4) / 2);
    const std::u32string edge = U"+" + std::u32string(width + 2, U'-') + U"+";
    putText(top, left, edge, kBlack, kLightGrey, false);
    for (int i = 0; i < height - 2; ++i) {
        std::u32string line = i < int(wrapped.size()) ? wrapped[std::size_t(i)] : U"";
        if (i == height - 3) {
            line = std::u32string((width - std::min(width, buttonRow.size())) / 2, U' ') + buttonRow;
        }
        line.resize(width, U' ');
        putText(top + 1 + i, left, U"| " + line + U" |", kBlack, kLightGrey, false);
    }
    putText(top + height - 1, left, edge, kBlack, kLightGrey, false);
    if (selected >= 0 && selected < int(buttons.size())) {
        const int offset =
            int((width - std::min(width, buttonRow.size())) / 2 + starts[std::size_t(selected)]);
        const std::u32string button = U"[" + scalarsOf(buttons[std::size_t(selected)]) + U"]";
        putText(top + height - 2, left + 2 + offset, button, kBlack, kLightGrey, true);
        cursorRow_ = top + height - 2;
        cursorColumn_ = left + 3 + offset;
    }
}

void Screen::drawPromptLine(const std::string& label, const std::u32string& text, std::size_t cursor) {
    const int row = std::min(LINES, kRows) - 1;
    const int width = std::min(COLS, kColumns);
    const std::u32string head = scalarsOf(label) + U" ";
    // The end of a long path stays in view.
    const std::size_t room = std::size_t(std::max(1, width - int(head.size()) - 1));
    const std::size_t first = cursor > room ? cursor - room : 0;
    std::u32string line = head + text.substr(first);
    line.resize(std::size_t(width), U' ');
    putText(row, 0, line, kBlack, kLightGrey, false);
    cursorRow_ = row;
    cursorColumn_ = int(head.size() + cursor - first);
}

void Screen::flush() {
    if (cursorRow_ >= 0 && cursorRow_ < LINES && cursorColumn_ >= 0 && cursorColumn_ < COLS) {
        move(cursorRow_, cursorColumn_);
        if (!cursorShown_) {
            curs_set(1);
            cursorShown_ = true;
        }
    } else if (cursorShown_) {
        curs_set(0);
        cursorShown_ = false;
    }
    refresh();
}

void Screen::writeRaw(const std::string& bytes) {
    std::fflush(stdout);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            return;
        }
        done += std::size_t(n);
    }
}

}  // namespace zarvik::terminal
