#pragma once
// The terminal as a screen of character cells, through ncursesw: a console window's text memory
// drawn cell by cell in its colours, the text of a text window, and what lies over them (the menu
// bar, a question box, a prompt line). ncurses sends only the cells that changed.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "terminal/colors.h"

namespace zarvik::terminal {

class Screen {
  public:
    static constexpr int kColumns = 80;
    static constexpr int kRows = 25;

    // Takes over the terminal (alternate screen, no echo, keys unbuffered, xterm mouse reports).
    // False when the terminal cannot be driven (unknown TERM).
    bool start();
    // Gives the terminal back as it was; safe to call twice.
    void stop();
    // Ctrl+Z: the terminal as it was while the shell has it, then taken over again and drawn anew.
    void suspend();
    void resume();
    // The terminal changed its size.
    void resized();
    bool started() const { return started_; }

    bool tooSmall() const;
    void drawTooSmall();
    // Window 0-7's text cells at the top left; the cursor where the window's cursor is when it shows.
    void drawWindow(std::uint8_t window);
    // A text window: its last lines, the title in the top line.
    void drawText(const std::string& title, const std::string& text);
    // The menu bar in the top line; `open` >= 0 drops that menu's items down with `item` marked.
    void drawMenuBar(const std::vector<std::string>& titles, int open, const std::vector<std::string>& items,
                     int item);
    // A framed box in the middle: the lines of text, then the buttons with `selected` marked.
    void drawBox(const std::vector<std::string>& lines, const std::vector<std::string>& buttons,
                 int selected);
    // A line of its own at the bottom: label, text, the cursor after `cursor` characters of the text.
    void drawPromptLine(const std::string& label, const std::u32string& text, std::size_t cursor);
    // Sends what changed to the terminal.
    void flush();
    // Writes bytes to the terminal as they are (an OSC sequence), between two frames.
    void writeRaw(const std::string& bytes);

  private:
    int pairOf(int foreground, int background);
    void putCell(int row, int column, char32_t character, int foreground, int background, bool inverse);
    void putText(int row, int column, const std::u32string& text, int foreground, int background,
                 bool inverse);

    bool started_ = false;
    ColorDepth depth_ = ColorDepth::None;
    std::array<int, 16> palette_{};  // the terminal's colour of each palette index
    bool cursorShown_ = true;        // the terminal shows its cursor until told otherwise
    int cursorRow_ = -1;
    int cursorColumn_ = 0;
};

// UTF-8 as scalars (invalid bytes as U+FFFD).
std::u32string scalarsOf(const std::string& text);

}  // namespace zarvik::terminal
