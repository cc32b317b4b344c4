#pragma once
// The bytes a terminal sends for keys and clicks, decoded into the toolkit's key presses (key code,
// characters, modifier flags) and mouse clicks: UTF-8 text, control characters, and the escape
// sequences of xterm, the Linux console and the vt100, with xterm's SGR mouse reports.
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/app/events.h"

namespace zarvik::terminal {

// A click reported by the terminal: the cell (0-based) and the button.
struct TerminalClick {
    int column = 0;
    int row = 0;
    bool right = false;
    bool press = true;  // false for the release
    bool operator==(const TerminalClick&) const = default;
};

struct TerminalInput {
    enum class Kind { Key, Click };
    Kind kind = Kind::Key;
    t_HostKeyEvent key;
    TerminalClick click;
};

// The characters of the keys that name an action, as the toolkit's key events carry them.
inline constexpr char32_t kUpKey = 0xF700;
inline constexpr char32_t kDownKey = 0xF701;
inline constexpr char32_t kLeftKey = 0xF702;
inline constexpr char32_t kRightKey = 0xF703;
inline constexpr char32_t kDeleteKey = 0xF728;
inline constexpr char32_t kHomeKey = 0xF729;
inline constexpr char32_t kEndKey = 0xF72B;
inline constexpr char32_t kPageUpKey = 0xF72C;
inline constexpr char32_t kPageDownKey = 0xF72D;

// The character of function key n (1-based) in the toolkit's key events.
constexpr char32_t functionKeyCharacter(int n) {
    return static_cast<char32_t>(0xF704 + n - 1);
}

class KeyDecoder {
  public:
    // Decodes the bytes read together with what was left over; an unfinished escape sequence or
    // UTF-8 character waits for the next bytes.
    std::vector<TerminalInput> feed(std::string_view bytes);
    // True when bytes wait for the rest of their sequence.
    bool pending() const { return !buffer_.empty(); }
    // Nothing more came: a waiting Escape is the Escape key (Alt is only what arrives together).
    std::vector<TerminalInput> flush();

  private:
    std::vector<TerminalInput> decode(bool final);
    std::string buffer_;
};

}  // namespace zarvik::terminal
