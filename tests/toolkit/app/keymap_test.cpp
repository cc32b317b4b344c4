// The key tables: what each key press becomes.
#include <gtest/gtest.h>

#include "toolkit/app/keymap.h"

namespace zarvik::eventtests {
namespace {

constexpr std::uint32_t shift = 1u << 17;
constexpr std::uint32_t control = 1u << 18;
constexpr std::uint32_t option = 1u << 19;

struct KeyCase {
    const char* name;
    int keyCode;
    std::u32string characters;
    std::uint32_t flags;
    int value;
    std::string description;
    bool cursor;
    bool function;
};

class KeyTable : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyTable, MapsToValueAndDescription) {
    const KeyCase& k = GetParam();
    const t_KeyMapping m = t_MapKey(3, {k.keyCode, k.characters, k.flags}, 1234);
    ASSERT_TRUE(m.Event.has_value());
    EXPECT_FALSE(m.RedirectTarget.has_value());
    EXPECT_EQ(m.Event->Value, k.value);
    EXPECT_EQ(m.Event->Description, k.description);
    EXPECT_EQ(m.Event->CursorKeyPressed, k.cursor);
    EXPECT_EQ(m.Event->FunctionKeyPressed, k.function);
    EXPECT_EQ(m.Event->Kind, 1);
    EXPECT_EQ(m.Event->Index, k.keyCode);
    EXPECT_EQ(m.Event->Window, 3);
    EXPECT_EQ(m.Event->Time, 1234);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyTable,
    ::testing::Values(KeyCase{"LeftArrow", 123, U"\uF702", 0, 8, "Ctrl-H", true, false},
                      KeyCase{"UpArrow", 126, U"\uF700", 0, 11, "Ctrl-K", true, false},
                      KeyCase{"RightArrow", 124, U"\uF703", 0, 21, "Ctrl-U", true, false},
                      KeyCase{"DownArrow", 125, U"\uF701", 0, 10, "Ctrl-J", true, false},
                      KeyCase{"Home", 115, U"\uF729", 0, 2, "Ctrl-B", true, false},
                      KeyCase{"PageUp", 116, U"\uF72C", 0, 18, "Ctrl-R", true, false},
                      KeyCase{"ForwardDelete", 117, U"\uF728", 0, 7, "Ctrl-G", false, false},
                      KeyCase{"End", 119, U"\uF72B", 0, 5, "Ctrl-E", true, false},
                      KeyCase{"PageDown", 121, U"\uF72D", 0, 3, "Ctrl-C", true, false},
                      KeyCase{"KeypadEnter", 76, U"\x03", 0, 13, "Ctrl-M", false, false},
                      KeyCase{"KeypadClear", 71, U"\uF739", 0, 27, "Ctrl-[", false, false},
                      KeyCase{"BackTab", 48, U"\x19", shift, 20, "Ctrl-T", false, false},
                      KeyCase{"Tab", 48, U"\t", 0, 9, "Ctrl-I", false, false},
                      KeyCase{"OptionCtrlL", 37, U"\x0C", option | control, 0, "Ctrl-@", false, false},
                      KeyCase{"CtrlLWithoutOption", 37, U"\x0C", control, 12, "Ctrl-L", false, false},
                      KeyCase{"Delete", 51, U"\x7F", 0, 127, "\x7F", false, false},
                      KeyCase{"F1", 122, U"\uF704", 0, 129, "F1", false, true},
                      KeyCase{"F5", 96, U"\uF708", 0, 133, "F5", false, true},
                      KeyCase{"Return", 36, U"\r", 0, 13, "Ctrl-M", false, false},
                      KeyCase{"Letter", 0, U"a", 0, 97, "a", false, false},
                      KeyCase{"Umlaut", 41, U"\u00F6", 0, 246, "\u00F6", false, false},
                      KeyCase{"OptionA", 0, U"\u00E5", option, 176, "\u00B0", false, false},
                      KeyCase{"OptionPi", 35, U"\u03C0", option, 240, "\u00F0", false, false},
                      KeyCase{"OptionShiftPi", 35, U"\u220F", option | shift, 208, "\u00D0", false, false},
                      KeyCase{"OptionLessEqual", 50, U"\u2264", option, 197, "\u00C5", false, false},
                      KeyCase{"OptionGreaterEqual", 50, U"\u2265", option | shift, 198, "\u00C6", false,
                              false},
                      KeyCase{"OptionEuro", 14, U"\u20AC", option, 164, "\u00A4", false, false},
                      KeyCase{"DeadCircumflex", 10, U"", 0, 94, "^", false, false},
                      KeyCase{"DeadAcute", 24, U"", 0, 180, "\u00B4", false, false},
                      KeyCase{"DeadGrave", 24, U"", shift, 96, "`", false, false},
                      KeyCase{"DeadTilde", 45, U"", option, 126, "~", false, false},
                      KeyCase{"Keypad0Option", 82, U"0", option | (1u << 21), 216, "\u00D8", false, false},
                      KeyCase{"Keypad6Option", 88, U"6", option, 186, "\u00BA", false, false},
                      KeyCase{"Keypad7Option", 89, U"7", option, 229, "\u00E5", false, false},
                      KeyCase{"Keypad9Option", 92, U"9", option, 188, "\u00BC", false, false},
                      KeyCase{"Keypad7Plain", 89, U"7", 0, 55, "7", false, false}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

struct SilentCase {
    const char* name;
    int keyCode;
    std::u32string characters;
    std::uint32_t flags;
    std::optional<int> redirect;
};

class SilentKeys : public ::testing::TestWithParam<SilentCase> {};

TEST_P(SilentKeys, QueueNothing) {
    const SilentCase& k = GetParam();
    const t_KeyMapping m = t_MapKey(0, {k.keyCode, k.characters, k.flags}, 0);
    EXPECT_FALSE(m.Event.has_value());
    EXPECT_EQ(m.RedirectTarget, k.redirect);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, SilentKeys,
    ::testing::Values(SilentCase{"Keypad7Control", 89, U"7", control, 0},
                      SilentCase{"Keypad8Control", 91, U"8", control, 2},
                      SilentCase{"Keypad9Control", 92, U"9", control, 1},
                      SilentCase{"WideCharacter", 31, U"\u0153", 0, std::nullopt},
                      SilentCase{"PrivateUseBelowFunctionKeys", 0, U"\uF703", 0, std::nullopt},
                      SilentCase{"BeyondUnicode", 0, std::u32string(1, char32_t(0x110000)), 0, std::nullopt}),
    [](const ::testing::TestParamInfo<SilentCase>& info) { return std::string(info.param.name); });

TEST(KeyFlags, ModifierBitsBecomeFlagsAndMods) {
    const std::uint32_t flags = (1u << 16) | shift | control | option | (1u << 20) | (1u << 21) | (1u << 22) |
                                (1u << 23) | (1u << 30);
    const t_KeyMapping m = t_MapKey(0, {0, U"a", flags}, 0);
    ASSERT_TRUE(m.Event);
    EXPECT_EQ(m.Event->Mods, static_cast<int>((flags >> 16) & 0xFFFF));
    EXPECT_TRUE(m.Event->CapsLockPressed && m.Event->ShiftPressed && m.Event->ControlPressed &&
                m.Event->OptionPressed && m.Event->CommandPressed && m.Event->NumericPadPressed &&
                m.Event->HelpPressed && m.Event->FnPressed);
    const t_KeyMapping plain = t_MapKey(0, {0, U"a", 0}, 0);
    EXPECT_EQ(plain.Event->Mods, 0);
    EXPECT_FALSE(plain.Event->ShiftPressed || plain.Event->FnPressed);
}

}  // namespace
}  // namespace zarvik::eventtests
