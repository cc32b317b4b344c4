#include "toolkit/app/keymap.h"

#include <array>
#include <cstdio>

namespace zarvik {
namespace {

constexpr char32_t none = 0;

struct SpecialKey {
    int code;
    int value;
    bool cursor;
};
constexpr std::array<SpecialKey, 11> specialKeys{{
    {115, 2, true},   // Home
    {116, 18, true},  // Page Up
    {117, 7, false},  // Forward Delete
    {119, 5, true},   // End
    {121, 3, true},   // Page Down
    {123, 8, true},   // Left arrow
    {124, 21, true},  // Right arrow
    {125, 10, true},  // Down arrow
    {126, 11, true},  // Up arrow
    {76, 13, false},  // keypad Enter
    {71, 27, false},  // keypad Clear
}};

// Option characters: the key code, the character it must have produced, the code it stands for.
struct OptionKey {
    int code;
    char32_t character;
    int value;
};
constexpr std::array<OptionKey, 30> optionKeys{{
    {0, U'\u00E5', 176},  {1, U'\u201A', 168},  {2, U'\u2202', 173},  {3, U'\u0192', 130},
    {4, U'\u00AA', 131},  {7, U'\u2248', 132},  {9, U'\u221A', 253},  {10, none, 94},
    {11, U'\u222B', 222}, {13, U'\u2211', 221}, {14, U'\u20AC', 164}, {16, U'\u03A9', 128},
    {17, U'\u2020', 189}, {19, U'\u201C', 163}, {27, U'\u00BF', 166}, {29, U'\u2260', 172},
    {32, none, 175},      {33, U'\u2022', 184}, {34, U'\u2044', 129}, {35, U'\u03C0', 240},
    {35, U'\u220F', 208}, {38, U'\u00BA', 183}, {40, U'\u2206', 254}, {41, U'\u0153', 190},
    {42, U'\u2018', 180}, {43, U'\u221E', 255}, {44, U'\u2013', 154}, {47, U'\u2026', 191},
    {50, U'\u2264', 197}, {50, U'\u2265', 198},
}};

// Keypad 0-6 with Option.
constexpr std::array<int, 7> keypadOptionValues{216, 185, 178, 179, 170, 215, 186};

constexpr int keypad7 = 89;
constexpr int keypad8 = 91;
constexpr int keypad9 = 92;

std::string utf8(char32_t c) {
    std::string out;
    t_AppendUtf8(out, c);
    return out;
}

std::string controlName(int value) {
    std::string name = "Ctrl-";
    name += utf8(static_cast<char32_t>(value + 64));
    return name;
}

t_Event baseEvent(std::uint8_t window, const t_HostKeyEvent& key, std::int64_t time) {
    const std::uint32_t f = key.ModifierFlags;
    t_Event e;
    e.Kind = 1;
    e.Index = key.KeyCode;
    t_SetEventModifiers(e, f);
    e.Window = window;
    e.Time = time;
    e.FnPressed = t_HasModifier(f, t_ModifierBit::Function);
    return e;
}

// Rule for every key the tables do not name, by its character.
std::optional<t_Event> byCharacter(t_Event e, char32_t c) {
    if (c >= 0xF704) {
        if (c > 0x10FFFF) {
            return std::nullopt;
        }
        e.Value = static_cast<int>(c - 0xF683);
        std::array<char, 16> name{};
        std::snprintf(name.data(), name.size(), "F%u", static_cast<unsigned>(c - 0xF703));
        e.Description = name.data();
        e.FunctionKeyPressed = true;
        return e;
    }
    if (c >= 256) {
        return std::nullopt;
    }
    e.Value = static_cast<int>(c);
    e.Description = c <= 31 ? controlName(e.Value) : utf8(c);
    return e;
}

}  // namespace

t_KeyMapping t_MapKey(std::uint8_t window, const t_HostKeyEvent& key, std::int64_t time) {
    const char32_t c = key.Characters.empty() ? 0 : key.Characters.front();
    const bool option = t_HasModifier(key.ModifierFlags, t_ModifierBit::Option);
    const bool control = t_HasModifier(key.ModifierFlags, t_ModifierBit::Control);
    t_Event e = baseEvent(window, key, time);
    const auto special = [&](int value, bool cursor) {
        e.Value = value;
        e.Description = controlName(value);
        e.CursorKeyPressed = cursor;
        return t_KeyMapping{e, std::nullopt};
    };

    for (const SpecialKey& s : specialKeys) {
        if (s.code == key.KeyCode) {
            return special(s.value, s.cursor);
        }
    }
    if (key.KeyCode == 48 && c == 25) {
        return special(20, false);
    }
    if (key.KeyCode == 37 && c == 12 && option) {
        return special(0, false);
    }
    if (key.KeyCode == 51) {
        e.Value = 127;
        e.Description = utf8(127);
        return {e, std::nullopt};
    }

    const auto optionCharacter = [&](int value) {
        e.Value = value;
        e.Description = utf8(static_cast<char32_t>(value));
        return t_KeyMapping{e, std::nullopt};
    };
    for (const OptionKey& o : optionKeys) {
        if (o.code == key.KeyCode && o.character == c) {
            return optionCharacter(o.value);
        }
    }
    if (key.KeyCode == 24 && c == none) {
        return optionCharacter(t_HasModifier(key.ModifierFlags, t_ModifierBit::Shift) ? 96 : 180);
    }
    if (key.KeyCode == 45 && c == none && option) {
        return optionCharacter(126);
    }
    if (key.KeyCode >= 82 && key.KeyCode <= 88 && option) {
        return optionCharacter(keypadOptionValues[static_cast<std::size_t>(key.KeyCode - 82)]);
    }
    char32_t character = c;
    if (key.KeyCode == keypad7 || key.KeyCode == keypad8 || key.KeyCode == keypad9) {
        if (control && !option) {
            return {std::nullopt, key.KeyCode == keypad7 ? 0 : key.KeyCode == keypad8 ? 2 : 1};
        }
        if (option) {
            character = key.KeyCode == keypad7 ? 229 : key.KeyCode == keypad8 ? 230 : 188;
        }
    }
    return {byCharacter(e, character), std::nullopt};
}

}  // namespace zarvik
