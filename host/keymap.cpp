#include "host/keymap.h"

#include <array>
#include <utility>

namespace zarvik::qthost {
namespace {

// Key code given to a character key that has no place on the toolkit's keyboard.
constexpr int kUnplacedKey = 255;

// Keys that name an action rather than a character: their code and the character the toolkit's
// platform gives them, whatever the layout or the num-lock state produced them.
struct SpecialKey {
    int qtKey;
    int keyCode;
    char32_t character;
};

constexpr std::array kSpecialKeys{
    SpecialKey{Qt::Key_Up, 126, 0xF700},       SpecialKey{Qt::Key_Down, 125, 0xF701},
    SpecialKey{Qt::Key_Left, 123, 0xF702},     SpecialKey{Qt::Key_Right, 124, 0xF703},
    SpecialKey{Qt::Key_Delete, 117, 0xF728},   SpecialKey{Qt::Key_Home, 115, 0xF729},
    SpecialKey{Qt::Key_End, 119, 0xF72B},      SpecialKey{Qt::Key_PageUp, 116, 0xF72C},
    SpecialKey{Qt::Key_PageDown, 121, 0xF72D}, SpecialKey{Qt::Key_Clear, 71, 0xF739},
    SpecialKey{Qt::Key_Backspace, 51, 127},    SpecialKey{Qt::Key_Return, 36, 13},
    SpecialKey{Qt::Key_Enter, 76, 3},          SpecialKey{Qt::Key_Tab, 48, 9},
    SpecialKey{Qt::Key_Backtab, 48, 25},       SpecialKey{Qt::Key_Escape, 53, 27},
};

// Codes of the function keys F1 to F20; further function keys only carry their character.
constexpr std::array kFunctionKeyCodes{122, 120, 99,  118, 96,  97,  98, 100, 101, 109,
                                       103, 111, 105, 107, 113, 106, 64, 79,  80,  90};

// Linux input key number (X11 key code − 8) to the toolkit's code, by physical position.
constexpr auto kPositionCodes = std::to_array<std::pair<int, int>>({
    {1, 53},  {2, 18},  {3, 19},  {4, 20},  {5, 21},  {6, 23},  {7, 22},   {8, 26},   {9, 28},
    {10, 25}, {11, 29}, {12, 27}, {13, 24}, {14, 51}, {15, 48}, {16, 12},  {17, 13},  {18, 14},
    {19, 15}, {20, 17}, {21, 16}, {22, 32}, {23, 34}, {24, 31}, {25, 35},  {26, 33},  {27, 30},
    {28, 36}, {30, 0},  {31, 1},  {32, 2},  {33, 3},  {34, 5},  {35, 4},   {36, 38},  {37, 40},
    {38, 37}, {39, 41}, {40, 39}, {41, 10}, {43, 42}, {44, 6},  {45, 7},   {46, 8},   {47, 9},
    {48, 11}, {49, 45}, {50, 46}, {51, 43}, {52, 47}, {53, 44}, {55, 67},  {57, 49},  {71, 89},
    {72, 91}, {73, 92}, {74, 78}, {75, 86}, {76, 87}, {77, 88}, {78, 69},  {79, 83},  {80, 84},
    {81, 85}, {82, 82}, {83, 65}, {86, 50}, {96, 76}, {98, 75}, {117, 81}, {121, 65},
});

// Qt key to the toolkit's code when the platform gives no X11 key code, read on a German layout
// (both the plain and the shifted symbol of each key).
constexpr auto kLayoutCodes = std::to_array<std::pair<int, int>>({
    {Qt::Key_Z, 16},
    {Qt::Key_Y, 6},
    {Qt::Key_1, 18},
    {Qt::Key_Exclam, 18},
    {Qt::Key_2, 19},
    {Qt::Key_QuoteDbl, 19},
    {Qt::Key_3, 20},
    {Qt::Key_section, 20},
    {Qt::Key_4, 21},
    {Qt::Key_Dollar, 21},
    {Qt::Key_5, 23},
    {Qt::Key_Percent, 23},
    {Qt::Key_6, 22},
    {Qt::Key_Ampersand, 22},
    {Qt::Key_7, 26},
    {Qt::Key_Slash, 26},
    {Qt::Key_8, 28},
    {Qt::Key_ParenLeft, 28},
    {Qt::Key_9, 25},
    {Qt::Key_ParenRight, 25},
    {Qt::Key_0, 29},
    {Qt::Key_Equal, 29},
    {Qt::Key_ssharp, 27},
    {Qt::Key_Question, 27},
    {Qt::Key_acute, 24},
    {Qt::Key_Dead_Acute, 24},
    {Qt::Key_Dead_Grave, 24},
    {Qt::Key_QuoteLeft, 24},
    {Qt::Key_Udiaeresis, 33},
    {Qt::Key_Plus, 30},
    {Qt::Key_Asterisk, 30},
    {Qt::Key_Odiaeresis, 41},
    {Qt::Key_Adiaeresis, 39},
    {Qt::Key_NumberSign, 42},
    {Qt::Key_Apostrophe, 42},
    {Qt::Key_Less, 50},
    {Qt::Key_Greater, 50},
    {Qt::Key_Comma, 43},
    {Qt::Key_Semicolon, 43},
    {Qt::Key_Period, 47},
    {Qt::Key_Colon, 47},
    {Qt::Key_Minus, 44},
    {Qt::Key_Underscore, 44},
    {Qt::Key_Space, 49},
    {Qt::Key_AsciiCircum, 10},
    {Qt::Key_Dead_Circumflex, 10},
    {Qt::Key_degree, 10},
    {Qt::Key_At, 12},
    {0x20AC, 14},
});

// Letters A-Z at their positions (Y and Z swapped on the German layout come from the table above).
constexpr std::array kLetterCodes{0,  11, 8,  2,  14, 3, 5,  4,  34, 38, 40, 37, 46,
                                  45, 31, 35, 12, 15, 1, 17, 32, 9,  13, 7,  16, 6};

// Keypad keys by Qt key, used when Qt marks the press as a keypad one.
constexpr auto kKeypadCodes = std::to_array<std::pair<int, int>>({
    {Qt::Key_0, 82},
    {Qt::Key_1, 83},
    {Qt::Key_2, 84},
    {Qt::Key_3, 85},
    {Qt::Key_4, 86},
    {Qt::Key_5, 87},
    {Qt::Key_6, 88},
    {Qt::Key_7, 89},
    {Qt::Key_8, 91},
    {Qt::Key_9, 92},
    {Qt::Key_Asterisk, 67},
    {Qt::Key_Plus, 69},
    {Qt::Key_Minus, 78},
    {Qt::Key_Slash, 75},
    {Qt::Key_Period, 65},
    {Qt::Key_Comma, 65},
    {Qt::Key_Equal, 81},
});

// What the option key (Alt) makes of a key on the toolkit's keyboard; 0 is a dead key (no
// character). The second character is the one with Shift, where it differs.
struct OptionKey {
    int keyCode;
    char32_t plain;
    char32_t shifted;
};

constexpr std::array kOptionKeys{
    OptionKey{0, 0x00E5, 0x00E5},  OptionKey{1, 0x201A, 0x201A},  OptionKey{2, 0x2202, 0x2202},
    OptionKey{3, 0x0192, 0x0192},  OptionKey{4, 0x00AA, 0x00AA},  OptionKey{7, 0x2248, 0x2248},
    OptionKey{9, 0x221A, 0x221A},  OptionKey{10, 0, 0},           OptionKey{11, 0x222B, 0x222B},
    OptionKey{13, 0x2211, 0x2211}, OptionKey{14, 0x20AC, 0x20AC}, OptionKey{16, 0x03A9, 0x03A9},
    OptionKey{17, 0x2020, 0x2020}, OptionKey{19, 0x201C, 0x201C}, OptionKey{24, 0, 0},
    OptionKey{27, 0x00BF, 0x00BF}, OptionKey{29, 0x2260, 0x2260}, OptionKey{32, 0, 0},
    OptionKey{33, 0x2022, 0x2022}, OptionKey{34, 0x2044, 0x2044}, OptionKey{35, 0x03C0, 0x220F},
    OptionKey{38, 0x00BA, 0x00BA}, OptionKey{40, 0x2206, 0x2206}, OptionKey{41, 0x0153, 0x0153},
    OptionKey{42, 0x2018, 0x2018}, OptionKey{43, 0x221E, 0x221E}, OptionKey{44, 0x2013, 0x2013},
    OptionKey{45, 0, 0},           OptionKey{47, 0x2026, 0x2026}, OptionKey{50, 0x2264, 0x2265},
};

template <typename Table>
std::optional<int> lookup(const Table& table, int key) {
    for (const auto& [from, to] : table) {
        if (from == key) {
            return to;
        }
    }
    return std::nullopt;
}

const SpecialKey* specialKeyOf(int qtKey) {
    for (const SpecialKey& special : kSpecialKeys) {
        if (special.qtKey == qtKey) {
            return &special;
        }
    }
    return nullptr;
}

bool isDeadKey(int qtKey) {
    return qtKey >= Qt::Key_Dead_Grave && qtKey <= Qt::Key_Dead_Longsolidusoverlay;
}

int characterKeyCode(const QKeyEvent& event) {
    const int qtKey = event.key();
    if (event.modifiers() & Qt::KeypadModifier) {
        if (auto code = lookup(kKeypadCodes, qtKey)) {
            return *code;
        }
    }
    // X11 key codes are Linux input key numbers + 8; 0 means the platform gave none.
    const int scanCode = static_cast<int>(event.nativeScanCode());
    if (scanCode > 8) {
        if (auto code = lookup(kPositionCodes, scanCode - 8)) {
            return *code;
        }
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z && qtKey != Qt::Key_Y && qtKey != Qt::Key_Z) {
        return kLetterCodes[qtKey - Qt::Key_A];
    }
    return lookup(kLayoutCodes, qtKey).value_or(kUnplacedKey);
}

// The control character a Ctrl chord gives, from the symbol on the key.
std::optional<char32_t> controlCharacter(char32_t symbol) {
    if ((symbol >= 'a' && symbol <= 'z') || (symbol >= 'A' && symbol <= 'Z')) {
        return symbol & 0x1F;
    }
    switch (symbol) {
        case '@':
        case ' ':
            return 0;
        case '[':
            return 27;
        case '\\':
            return 28;
        case ']':
            return 29;
        case '^':
            return 30;
        case '_':
            return 31;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::uint32_t modifierFlags(Qt::KeyboardModifiers modifiers, bool capsLock) {
    std::uint32_t flags = capsLock ? t_ModifierMask(t_ModifierBit::CapsLock) : 0;
    if (modifiers & Qt::ShiftModifier) {
        flags |= t_ModifierMask(t_ModifierBit::Shift);
    }
    if (modifiers & Qt::ControlModifier) {
        flags |= t_ModifierMask(t_ModifierBit::Control);
    }
    if (modifiers & Qt::AltModifier) {
        flags |= t_ModifierMask(t_ModifierBit::Option);
    }
    if (modifiers & Qt::MetaModifier) {
        flags |= t_ModifierMask(t_ModifierBit::Command);
    }
    if (modifiers & Qt::KeypadModifier) {
        flags |= t_ModifierMask(t_ModifierBit::NumericPad);
    }
    return flags;
}

bool isModifierKey(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Meta:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_CapsLock:
        case Qt::Key_NumLock:
        case Qt::Key_ScrollLock:
        case Qt::Key_Super_L:
        case Qt::Key_Super_R:
        case Qt::Key_Hyper_L:
        case Qt::Key_Hyper_R:
        case Qt::Key_Mode_switch:
        case Qt::Key_Multi_key:
            return true;
        default:
            return false;
    }
}

bool capsLockOf(const QKeyEvent& event) {
    constexpr quint32 kX11LockMask = 0x2;
    return event.nativeScanCode() != 0 && (event.nativeModifiers() & kX11LockMask) != 0;
}

std::optional<TranslatedKey> translateKey(const QKeyEvent& event) {
    const int qtKey = event.key();
    if (isModifierKey(qtKey)) {
        return std::nullopt;
    }
    TranslatedKey key;
    key.modifierFlags = modifierFlags(event.modifiers(), capsLockOf(event));

    if (const SpecialKey* special = specialKeyOf(qtKey)) {
        key.keyCode = special->keyCode;
        key.characters = std::u32string(1, special->character);
        if (special->character >= 0xF700) {
            key.modifierFlags |= t_ModifierMask(t_ModifierBit::Function);
        }
        if (qtKey >= Qt::Key_Left && qtKey <= Qt::Key_Down) {
            key.modifierFlags |= t_ModifierMask(t_ModifierBit::NumericPad);
        }
        return key;
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F35) {
        const int n = qtKey - Qt::Key_F1;
        key.keyCode = n < static_cast<int>(kFunctionKeyCodes.size()) ? kFunctionKeyCodes[n] : kUnplacedKey;
        key.characters = std::u32string(1, static_cast<char32_t>(0xF704 + n));
        key.modifierFlags |= t_ModifierMask(t_ModifierBit::Function);
        return key;
    }

    key.keyCode = characterKeyCode(event);
    const std::u32string text = event.text().toStdU32String();
    if (text.empty() && key.keyCode == kUnplacedKey && !isDeadKey(qtKey)) {
        return std::nullopt;  // media keys, Insert, Print and the like
    }

    const bool control = event.modifiers() & Qt::ControlModifier;
    const bool option = event.modifiers() & Qt::AltModifier;
    const bool shift = event.modifiers() & Qt::ShiftModifier;
    if (control) {
        if (!text.empty() && text.front() < 32) {
            key.characters = text;
            return key;
        }
        char32_t symbol = text.empty() ? 0 : text.front();
        if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
            symbol = static_cast<char32_t>(qtKey);
        } else if (qtKey == Qt::Key_Dead_Circumflex || qtKey == Qt::Key_AsciiCircum) {
            symbol = '^';
        } else if (qtKey == Qt::Key_Underscore || (qtKey == Qt::Key_Minus && shift)) {
            symbol = '_';
        }
        if (auto character = controlCharacter(symbol)) {
            key.characters = std::u32string(1, *character);
            return key;
        }
        key.characters = text;
        return key;
    }
    if (isDeadKey(qtKey)) {
        return key;  // the platform's dead keys give no character either
    }
    if (option) {
        for (const OptionKey& optionKey : kOptionKeys) {
            if (optionKey.keyCode == key.keyCode) {
                const char32_t character = shift ? optionKey.shifted : optionKey.plain;
                key.characters = character == 0 ? std::u32string() : std::u32string(1, character);
                return key;
            }
        }
    }
    key.characters = text;
    return key;
}

}  // namespace zarvik::qthost
