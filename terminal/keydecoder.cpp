#include "terminal/keydecoder.h"

#include <array>
#include <optional>

#include "toolkit/modifiers.h"

namespace zarvik::terminal {
namespace {

// Key code given to a character whose key the terminal does not tell.
constexpr int kUnplacedKey = 255;

constexpr std::uint32_t kShift = t_ModifierMask(t_ModifierBit::Shift);
constexpr std::uint32_t kControl = t_ModifierMask(t_ModifierBit::Control);
constexpr std::uint32_t kOption = t_ModifierMask(t_ModifierBit::Option);
constexpr std::uint32_t kFunction = t_ModifierMask(t_ModifierBit::Function);
constexpr std::uint32_t kPad = t_ModifierMask(t_ModifierBit::NumericPad);

enum class Named { Up, Down, Right, Left, Home, End, Delete, PageUp, PageDown, Insert };

struct NamedKey {
    int keyCode;
    char32_t character;
    std::uint32_t flags;
};

// The toolkit's code and character of each key that names an action.
constexpr std::array<NamedKey, 10> kNamed{{
    {126, kUpKey, kFunction | kPad},
    {125, kDownKey, kFunction | kPad},
    {124, kRightKey, kFunction | kPad},
    {123, kLeftKey, kFunction | kPad},
    {115, kHomeKey, kFunction},
    {119, kEndKey, kFunction},
    {117, kDeleteKey, kFunction},
    {116, kPageUpKey, kFunction},
    {121, kPageDownKey, kFunction},
    {kUnplacedKey, 0, 0},  // Insert: the toolkit's keyboard has none
}};

// Codes of F1 to F12 in the toolkit's tables.
constexpr std::array<int, 12> kFunctionKeyCodes{122, 120, 99, 118, 96, 97, 98, 100, 101, 109, 103, 111};

TerminalInput keyInput(int code, char32_t character, std::uint32_t flags) {
    TerminalInput input;
    input.key = t_HostKeyEvent{code, character == 0 ? std::u32string() : std::u32string(1, character), flags};
    return input;
}

std::optional<TerminalInput> named(Named which, std::uint32_t flags) {
    const NamedKey& key = kNamed[std::size_t(which)];
    if (key.character == 0) {
        return std::nullopt;
    }
    return keyInput(key.keyCode, key.character, key.flags | flags);
}

std::optional<TerminalInput> functionKey(int n, std::uint32_t flags) {
    if (n < 1 || n > int(kFunctionKeyCodes.size())) {
        return std::nullopt;
    }
    return keyInput(kFunctionKeyCodes[std::size_t(n - 1)], functionKeyCharacter(n), kFunction | flags);
}

// xterm's modifier parameter: 1 + (1 shift, 2 alt, 4 control).
std::uint32_t modifiersOf(int parameter) {
    const int bits = parameter > 1 ? parameter - 1 : 0;
    return ((bits & 1) ? kShift : 0) | ((bits & 2) ? kOption : 0) | ((bits & 4) ? kControl : 0);
}

// A single byte below 128 as the key that sends it.
TerminalInput byteKey(unsigned char byte, std::uint32_t flags) {
    switch (byte) {
        case '\r':
        case '\n':
            return keyInput(36, 13, flags);
        case '\t':
            return keyInput(48, 9, flags);
        case 0x7F:
        case 0x08:
            return keyInput(51, 127, flags);
        case 0x1B:
            return keyInput(53, 27, flags);
        default:
            break;
    }
    if (byte < 32) {
        return keyInput(kUnplacedKey, byte, flags | kControl);
    }
    return keyInput(kUnplacedKey, byte, flags);
}

// Length of the UTF-8 sequence a lead byte starts; 0 for a byte that cannot lead.
std::size_t utf8Length(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    return lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
}

// The key a finished CSI sequence names (parameters, final byte); nothing for sequences without one.
std::optional<TerminalInput> csiKey(const std::vector<int>& params, char final) {
    const int first = params.empty() ? 0 : params[0];
    const std::uint32_t flags = modifiersOf(params.size() > 1 ? params[1] : 0);
    switch (final) {
        case 'A':
            return named(Named::Up, flags);
        case 'B':
            return named(Named::Down, flags);
        case 'C':
            return named(Named::Right, flags);
        case 'D':
            return named(Named::Left, flags);
        case 'H':
            return named(Named::Home, flags);
        case 'F':
            return named(Named::End, flags);
        case 'P':
        case 'Q':
        case 'R':
        case 'S':
            return functionKey(final - 'P' + 1, flags);
        case 'Z':
            return keyInput(48, 25, kShift);
        case '~':
            break;
        default:
            return std::nullopt;
    }
    switch (first) {
        case 1:
        case 7:
            return named(Named::Home, flags);
        case 2:
            return named(Named::Insert, flags);
        case 3:
            return named(Named::Delete, flags);
        case 4:
        case 8:
            return named(Named::End, flags);
        case 5:
            return named(Named::PageUp, flags);
        case 6:
            return named(Named::PageDown, flags);
        default:
            break;
    }
    // 11-15 F1-F5, 17-21 F6-F10, 23-24 F11-F12: the gaps are historical.
    if (first >= 11 && first <= 15) {
        return functionKey(first - 10, flags);
    }
    if (first >= 17 && first <= 21) {
        return functionKey(first - 11, flags);
    }
    if (first >= 23 && first <= 24) {
        return functionKey(first - 12, flags);
    }
    return std::nullopt;
}

// SS3 (ESC O x): cursor keys in application mode, F1-F4, the vt100 keypad's Enter.
std::optional<TerminalInput> ss3Key(char final) {
    switch (final) {
        case 'A':
            return named(Named::Up, 0);
        case 'B':
            return named(Named::Down, 0);
        case 'C':
            return named(Named::Right, 0);
        case 'D':
            return named(Named::Left, 0);
        case 'H':
            return named(Named::Home, 0);
        case 'F':
            return named(Named::End, 0);
        case 'P':
        case 'Q':
        case 'R':
        case 'S':
            return functionKey(final - 'P' + 1, 0);
        case 'M':
            return keyInput(76, 3, kPad);
        default:
            return std::nullopt;
    }
}

// SGR mouse report: button;column;row with M (press) or m (release), 1-based cells.
std::optional<TerminalInput> sgrClick(const std::vector<int>& params, char final) {
    if (params.size() != 3 || params[1] < 1 || params[2] < 1) {
        return std::nullopt;
    }
    const int button = params[0];
    // Motion (32) and wheel (64) reports are not clicks; 0 left, 2 right.
    if ((button & 0x60) != 0 || ((button & 3) != 0 && (button & 3) != 2)) {
        return std::nullopt;
    }
    TerminalInput input;
    input.kind = TerminalInput::Kind::Click;
    input.click = TerminalClick{params[1] - 1, params[2] - 1, (button & 3) == 2, final == 'M'};
    return input;
}

}  // namespace

std::vector<TerminalInput> KeyDecoder::feed(std::string_view bytes) {
    buffer_.append(bytes);
    return decode(false);
}

std::vector<TerminalInput> KeyDecoder::flush() {
    return decode(true);
}

// `final`: no more bytes are coming for now, so what waits is taken as it stands.
std::vector<TerminalInput> KeyDecoder::decode(bool final) {
    std::vector<TerminalInput> out;
    std::size_t at = 0;
    const auto add = [&out](std::optional<TerminalInput> input) {
        if (input) {
            out.push_back(*input);
        }
    };
    while (at < buffer_.size()) {
        const auto lead = static_cast<unsigned char>(buffer_[at]);
        if (lead == 0x1B) {
            if (at + 1 >= buffer_.size()) {
                if (!final) {
                    break;
                }
                add(byteKey(lead, 0));
                at += 1;
                continue;
            }
            const char kind = buffer_[at + 1];
            if (kind == '[' || kind == 'O') {
                // Parameters and intermediates up to the final byte (0x40-0x7E).
                std::size_t end = at + 2;
                // The Linux console's F1-F5: ESC [ [ A-E.
                if (kind == '[' && end < buffer_.size() && buffer_[end] == '[') {
                    if (end + 1 >= buffer_.size()) {
                        if (!final) {
                            break;
                        }
                        at = buffer_.size();
                        continue;
                    }
                    add(functionKey(buffer_[end + 1] - 'A' + 1, 0));
                    at = end + 2;
                    continue;
                }
                while (end < buffer_.size() && kind == '[' &&
                       (static_cast<unsigned char>(buffer_[end]) < 0x40 || buffer_[end] > 0x7E)) {
                    ++end;
                }
                if (end >= buffer_.size()) {
                    if (!final) {
                        break;
                    }
                    at = buffer_.size();  // a sequence cut off: dropped, never typed
                    continue;
                }
                const char last = buffer_[end];
                if (kind == 'O') {
                    add(ss3Key(last));
                } else {
                    std::string_view body(buffer_.data() + at + 2, end - at - 2);
                    const bool mouse = !body.empty() && body.front() == '<';
                    if (mouse) {
                        body.remove_prefix(1);
                    }
                    std::vector<int> params{0};
                    for (char c : body) {
                        if (c == ';') {
                            params.push_back(0);
                        } else if (c >= '0' && c <= '9' && params.back() < 100000) {
                            params.back() = params.back() * 10 + (c - '0');
                        }
                    }
                    if (body.empty()) {
                        params.clear();
                    }
                    add(mouse ? sgrClick(params, last) : csiKey(params, last));
                }
                at = end + 1;
                continue;
            }
            // Escape before another key: that key with Alt (the way terminals send Meta).
            const auto next = static_cast<unsigned char>(kind);
            if (next < 0x80 && next != 0x1B) {
                add(byteKey(next, kOption));
                at += 2;
                continue;
            }
            add(byteKey(lead, 0));
            at += 1;
            continue;
        }
        const std::size_t length = utf8Length(lead);
        if (length == 1) {
            add(byteKey(lead, 0));
            at += 1;
            continue;
        }
        if (length == 0) {
            at += 1;  // not text: dropped
            continue;
        }
        if (at + length > buffer_.size()) {
            if (!final) {
                break;
            }
            at = buffer_.size();
            continue;
        }
        std::size_t index = at;
        const std::uint32_t scalar = t_NextScalar(buffer_, index);
        if (index != at + length || scalar == 0xFFFD) {
            at += 1;
            continue;
        }
        out.push_back(keyInput(kUnplacedKey, scalar, 0));
        at += length;
    }
    buffer_.erase(0, at);
    return out;
}

}  // namespace zarvik::terminal
