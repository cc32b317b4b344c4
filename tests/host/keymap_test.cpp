#include "host/keymap.h"

#include <gtest/gtest.h>

namespace zarvik::qthost {
namespace {

constexpr std::uint32_t kShift = t_ModifierMask(t_ModifierBit::Shift);
constexpr std::uint32_t kControl = t_ModifierMask(t_ModifierBit::Control);
constexpr std::uint32_t kOption = t_ModifierMask(t_ModifierBit::Option);
constexpr std::uint32_t kCommand = t_ModifierMask(t_ModifierBit::Command);
constexpr std::uint32_t kPad = t_ModifierMask(t_ModifierBit::NumericPad);
constexpr std::uint32_t kFn = t_ModifierMask(t_ModifierBit::Function);

// One press: what Qt reports (X11 key code 0 = a platform without key codes) and what the toolkit
// must receive.
struct KeyCase {
    const char* name;
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    const char16_t* text;
    quint32 x11KeyCode;
    int keyCode;
    std::u32string characters;
    std::uint32_t flags;
};

void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << c.name;
}

class KeyTranslation : public testing::TestWithParam<KeyCase> {};

TEST_P(KeyTranslation, GivesTheToolkitsCodeCharactersAndFlags) {
    const KeyCase& c = GetParam();
    QKeyEvent event(QEvent::KeyPress, c.qtKey, c.modifiers, c.x11KeyCode, 0, 0, QString::fromUtf16(c.text));
    const std::optional<TranslatedKey> key = translateKey(event);
    ASSERT_TRUE(key.has_value());
    EXPECT_EQ(key->keyCode, c.keyCode);
    EXPECT_EQ(key->characters, c.characters);
    EXPECT_EQ(key->modifierFlags, c.flags);
}

const Qt::KeyboardModifiers kNone = Qt::NoModifier;

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyTranslation,
    testing::Values(
        KeyCase{"LeftArrow", Qt::Key_Left, kNone, u"", 0, 123, U"\uF702", kFn | kPad},
        KeyCase{"RightArrow", Qt::Key_Right, kNone, u"", 0, 124, U"\uF703", kFn | kPad},
        KeyCase{"UpArrow", Qt::Key_Up, kNone, u"", 0, 126, U"\uF700", kFn | kPad},
        KeyCase{"DownArrowWithShift", Qt::Key_Down, Qt::ShiftModifier, u"", 0, 125, U"\uF701",
                kFn | kPad | kShift},
        KeyCase{"Home", Qt::Key_Home, kNone, u"", 0, 115, U"\uF729", kFn},
        KeyCase{"End", Qt::Key_End, kNone, u"", 0, 119, U"\uF72B", kFn},
        KeyCase{"PageUp", Qt::Key_PageUp, kNone, u"", 0, 116, U"\uF72C", kFn},
        KeyCase{"PageDown", Qt::Key_PageDown, kNone, u"", 0, 121, U"\uF72D", kFn},
        KeyCase{"ForwardDelete", Qt::Key_Delete, kNone, u"\x7f", 0, 117, U"\uF728", kFn},
        KeyCase{"Backspace", Qt::Key_Backspace, kNone, u"\b", 0, 51, U"\x7f", 0},
        KeyCase{"Return", Qt::Key_Return, kNone, u"\r", 0, 36, U"\r", 0},
        KeyCase{"KeypadEnter", Qt::Key_Enter, Qt::KeypadModifier, u"\r", 0, 76, U"\x03", kPad},
        KeyCase{"NumLockOffKeypad5IsClear", Qt::Key_Clear, Qt::KeypadModifier, u"", 84, 71, U"\uF739",
                kPad | kFn},
        KeyCase{"Escape", Qt::Key_Escape, kNone, u"\x1b", 0, 53, U"\x1b", 0},
        KeyCase{"BackTab", Qt::Key_Backtab, Qt::ShiftModifier, u"", 0, 48, U"\x19", kShift},
        KeyCase{"F1", Qt::Key_F1, kNone, u"", 0, 122, U"\uF704", kFn},
        KeyCase{"F5", Qt::Key_F5, kNone, u"", 0, 96, U"\uF708", kFn},
        KeyCase{"F12", Qt::Key_F12, kNone, u"", 0, 111, U"\uF70F", kFn},
        KeyCase{"F24BeyondTheKeyboard", Qt::Key_F24, kNone, u"", 0, 255, U"\uF71B", kFn},
        KeyCase{"CtrlAFromX11", Qt::Key_A, Qt::ControlModifier, u"\x01", 38, 0, U"\x01", kControl},
        KeyCase{"CtrlAWithPlainText", Qt::Key_A, Qt::ControlModifier, u"a", 0, 0, U"\x01", kControl},
        KeyCase{"CtrlXWithoutText", Qt::Key_X, Qt::ControlModifier, u"", 0, 7, U"\x18", kControl},
        KeyCase{"CtrlShiftV", Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier, u"V", 0, 9, U"\x16",
                kControl | kShift},
        KeyCase{"CtrlCircumflexDeadKey", Qt::Key_Dead_Circumflex, Qt::ControlModifier, u"", 49, 10, U"\x1e",
                kControl},
        KeyCase{"CtrlUnderscore", Qt::Key_Underscore, Qt::ControlModifier | Qt::ShiftModifier, u"_", 0, 44,
                U"\x1f", kControl | kShift},
        KeyCase{"CtrlDigitKeepsDigit", Qt::Key_4, Qt::ControlModifier, u"4", 0, 21, U"4", kControl},
        KeyCase{"UmlautAFromX11", Qt::Key_Adiaeresis, kNone, u"ä", 48, 39, U"ä", 0},
        KeyCase{"UmlautOWithoutKeyCode", Qt::Key_Odiaeresis, kNone, u"ö", 0, 41, U"ö", 0},
        KeyCase{"CapitalUmlautU", Qt::Key_Udiaeresis, Qt::ShiftModifier, u"Ü", 0, 33, U"Ü", kShift},
        KeyCase{"SharpS", Qt::Key_ssharp, kNone, u"ß", 20, 27, U"ß", 0},
        KeyCase{"GermanZByPosition", Qt::Key_Z, kNone, u"z", 29, 16, U"z", 0},
        KeyCase{"GermanYByPosition", Qt::Key_Y, kNone, u"y", 52, 6, U"y", 0},
        KeyCase{"GermanZWithoutKeyCode", Qt::Key_Z, kNone, u"z", 0, 16, U"z", 0},
        KeyCase{"LessThanKeyLeftOfY", Qt::Key_Less, kNone, u"<", 94, 50, U"<", 0},
        KeyCase{"CircumflexDeadKeyGivesNothing", Qt::Key_Dead_Circumflex, kNone, u"", 49, 10, U"", 0},
        KeyCase{"AcuteDeadKeyShifted", Qt::Key_Dead_Grave, Qt::ShiftModifier, u"", 21, 24, U"", kShift},
        KeyCase{"AltAIsOptionA", Qt::Key_A, Qt::AltModifier, u"a", 38, 0, U"å", kOption},
        KeyCase{"AltEIsEuro", Qt::Key_E, Qt::AltModifier, u"e", 0, 14, U"€", kOption},
        KeyCase{"AltNIsDead", Qt::Key_N, Qt::AltModifier, u"n", 57, 45, U"", kOption},
        KeyCase{"AltShiftPIsProduct", Qt::Key_P, Qt::AltModifier | Qt::ShiftModifier, u"P", 0, 35, U"∏",
                kOption | kShift},
        KeyCase{"AltLessIsLessOrEqual", Qt::Key_Less, Qt::AltModifier, u"<", 94, 50, U"≤", kOption},
        KeyCase{"AltGreaterIsGreaterOrEqual", Qt::Key_Greater, Qt::AltModifier | Qt::ShiftModifier, u">", 94,
                50, U"≥", kOption | kShift},
        KeyCase{"AltKeyOutsideTheTableKeepsText", Qt::Key_G, Qt::AltModifier, u"g", 0, 5, U"g", kOption},
        KeyCase{"CtrlAltLIsClearScreen", Qt::Key_L, Qt::ControlModifier | Qt::AltModifier, u"\x0c", 46, 37,
                U"\x0c", kControl | kOption},
        KeyCase{"AltGrEuroKeepsItsCharacter", 0x20AC, kNone, u"€", 26, 14, U"€", 0},
        KeyCase{"Keypad7WithCtrl", Qt::Key_7, Qt::KeypadModifier | Qt::ControlModifier, u"7", 79, 89, U"7",
                kPad | kControl},
        KeyCase{"Keypad9WithoutKeyCode", Qt::Key_9, Qt::KeypadModifier, u"9", 0, 92, U"9", kPad},
        KeyCase{"Keypad0WithAlt", Qt::Key_0, Qt::KeypadModifier | Qt::AltModifier, u"0", 90, 82, U"0",
                kPad | kOption},
        KeyCase{"MetaIsCommand", Qt::Key_K, Qt::MetaModifier, u"k", 0, 40, U"k", kCommand},
        KeyCase{"Space", Qt::Key_Space, kNone, u" ", 65, 49, U" ", 0}),
    [](const testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST(KeyTranslation, KeysTheToolkitsKeyboardLacksGiveNothing) {
    for (int qtKey : {int(Qt::Key_Shift), int(Qt::Key_Control), int(Qt::Key_Alt), int(Qt::Key_Meta),
                      int(Qt::Key_CapsLock), int(Qt::Key_NumLock), int(Qt::Key_AltGr), int(Qt::Key_Insert),
                      int(Qt::Key_Print), int(Qt::Key_MediaPlay), int(Qt::Key_VolumeUp)}) {
        QKeyEvent event(QEvent::KeyPress, qtKey, Qt::NoModifier, QString());
        EXPECT_FALSE(translateKey(event).has_value()) << std::hex << qtKey;
    }
}

TEST(KeyTranslation, CapsLockComesFromTheX11State) {
    QKeyEvent locked(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, 38, 0, 0x2, QStringLiteral("A"));
    EXPECT_EQ(translateKey(locked)->modifierFlags, t_ModifierMask(t_ModifierBit::CapsLock));
    QKeyEvent unknown(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, 0, 0, 0x2, QStringLiteral("A"));
    EXPECT_EQ(translateKey(unknown)->modifierFlags, 0u);
}

}  // namespace
}  // namespace zarvik::qthost
