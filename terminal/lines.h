#pragma once
// The line mode for screen readers and braille displays: instead of a screen that changes in
// place, each new text of window 0 (questions, answers, messages, the moves of the record) is
// written once as a line of its own, in order; the text board only when asked for.
#include <cstdint>
#include <string>
#include <vector>

namespace zarvik::terminal {

// Column where the record beside the board begins: a screen line is read as two texts.
inline constexpr std::size_t kRecordColumn = 48;

// The 8 lines of the text board ("8  t s l d k l s t  8" ... "1  ..."), read from the screen's
// lines; empty when the screen shows no board.
std::vector<std::string> boardLines(const std::vector<std::string>& screen);

class LineWriter {
  public:
    // The texts of the screen that were not there before (a text that only moved up with a scroll
    // is not new), in screen order; the board and the lines between its letters are left out.
    std::vector<std::string> update(const std::vector<std::string>& screen);

  private:
    std::vector<std::string> shown_;
};

// The lines of a console window's screen, its line-drawing codes as plain characters.
std::vector<std::string> screenLines(std::uint8_t window);

}  // namespace zarvik::terminal
