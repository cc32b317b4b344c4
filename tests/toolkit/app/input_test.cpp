// Line input: the form, the editing keys, the input modes, the pasteboard encodings, questions.
#include <gtest/gtest.h>

#include "tests/toolkit/app/fixture.h"
#include "toolkit/app/input.h"
#include "toolkit/text/textoutput.h"

namespace zarvik::eventtests {
namespace {

class Input : public EventsTest {
  protected:
    void SetUp() override {
        EventsTest::SetUp();
        initTextWindow(0, 40, 4);
    }
    std::string form(std::string_view keys, int mode = 0, int max = 20, std::string_view initial = "") {
        t_PostKeys(keys);
        CapturedOutput quiet;
        return t_InputForm(0, "> ", initial, false, mode, max);
    }
};

struct ModeCase {
    const char* name;
    int mode;
    const char* keys;
    const char* result;
};

class InputModes : public Input, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(InputModes, AcceptOnlyTheirCharacters) {
    const ModeCase& c = GetParam();
    EXPECT_EQ(form(std::string(c.keys) + "\r", c.mode), c.result);
}

INSTANTIATE_TEST_SUITE_P(Modes, InputModes,
                         ::testing::Values(ModeCase{"AnyText", 0, "E2-E4 ok", "E2-E4 ok"},
                                           ModeCase{"DigitsDropLetters", 2, "12a", "12"},
                                           ModeCase{"DigitsMinusAtStart", 2, "-5", "-5"},
                                           ModeCase{"DigitsMinusLaterRefused", 2, "5-", "5"},
                                           ModeCase{"DecimalExponent", 3, "3.5E-2", "3,5e-2"},
                                           ModeCase{"DecimalSecondPointIgnored", 3, "1.2.3", "1,23"},
                                           ModeCase{"DecimalCommaKept", 3, "7,25", "7,25"},
                                           ModeCase{"DecimalSecondExponentIgnored", 3, "1e2e3", "1e23"},
                                           ModeCase{"DecimalMinusOnlyAtStartOrAfterE", 3, "-1-e-", "-1e-"},
                                           ModeCase{"DateMinusNotAtStart", 4, "-12-3-4", "12-34"},
                                           ModeCase{"ModeOneTakesEverything", 1, "x+y", "x+y"}),
                         [](const ::testing::TestParamInfo<ModeCase>& info) {
                             return std::string(info.param.name);
                         });

struct EditCase {
    const char* name;
    std::string keys;
    const char* result;
};

class EditingKeys : public Input, public ::testing::WithParamInterface<EditCase> {};

TEST_P(EditingKeys, EditTheField) {
    EXPECT_EQ(form(GetParam().keys + "\r"), GetParam().result);
}

// Codes: 1 Ctrl-A, 2 Home, 4 Ctrl-D, 5 End, 7 forward delete, 8 left, 19 Ctrl-S, 21 right,
// 24 Ctrl-X, 26 Ctrl-Z, 30 Ctrl-^, 127 delete.
INSTANTIATE_TEST_SUITE_P(
    Keys, EditingKeys,
    ::testing::Values(
        EditCase{"DeleteBackward", "abc\x7F", "ab"}, EditCase{"DeleteAtStartKeepsText", "ab\x01\x7F", "ab"},
        EditCase{"LeftThenInsert", "ac\010b", "abc"}, EditCase{"HomeThenInsert", "bc\002a", "abc"},
        EditCase{"ForwardDelete", "abc\x01\x07", "bc"}, EditCase{"ForwardDeleteAtEnd", "abc\x07", "abc"},
        EditCase{"RightStopsAtEnd", "ab\x15\025c", "abc"},
        EditCase{"LeftStopsAtStart", "b\x08\x08\010a", "ab"}, EditCase{"EndAfterHome", "ab\x01\005c", "abc"},
        EditCase{"WordLeft", "eins zwei\023X", "eins Xzwei"},
        EditCase{"WordRight", "eins zwei\x01\004X", "eins Xzwei"},
        EditCase{"CutBeforeCursor", "abcd\x08\x08\x18", "cd"}, EditCase{"ClearAndRetype", "abc\032x", "x"},
        EditCase{"DecimalCodeEntry", "\03665\r", "A"},
        EditCase{"DecimalCodeEntryThreeDigits", "\036066x", "Bx"},
        EditCase{"DecimalCodeBelowSpaceRefused", "\0367\r", ""},
        EditCase{"DecimalCodeFirstKeyNotADigit", std::string("\x1E") + "q", "A"},
        EditCase{"OtherControlCodesIgnored", "a\x09\016b", "ab"}),
    [](const ::testing::TestParamInfo<EditCase>& info) { return std::string(info.param.name); });

TEST_F(Input, DecimalEntryInModeOneTakesControlCodes) {
    EXPECT_EQ(form("\0367\r\r", 1), "\x07");
}

TEST_F(Input, MaxCharactersAndLastColumnStopInsertion) {
    EXPECT_EQ(form("abcde\r", 0, 4), "abcd");
    // The prompt takes two columns; the field ends before the window's last column.
    const std::string wide = form(std::string(60, 'w') + "\r", 0, 100);
    EXPECT_EQ(static_cast<int>(wide.size()) + 3, t_WindowRecord(0).TextLastColumn.load());
}

TEST_F(Input, InitialTextIsCutAndEditable) {
    EXPECT_EQ(form("\r", 0, 3, "abcdef"), "abc");
    EXPECT_EQ(form("\177Z\r", 0, 5, "abc"), "abZ");
    CapturedOutput quiet;
    EXPECT_EQ(t_InputForm(0, "", "fest", true, 0, 0), "");
    EXPECT_EQ(t_InputForm(0, "", "fest", true, 0, 9), "fest");
}

TEST_F(Input, EscapeReturnsEmptyAndErasesTheField) {
    t_CursorHome(0);
    EXPECT_EQ(form("abc\x1B"), "");
    EXPECT_EQ(lineText(0, 1, 1, 5), ">    ");
    EXPECT_FALSE(t_WindowRecord(0).InputFinished);
    EXPECT_EQ(form("ok\r"), "ok");
    EXPECT_TRUE(t_WindowRecord(0).InputFinished);
}

TEST_F(Input, TypedTextIsOnScreenAfterThePrompt) {
    t_CursorHome(0);
    EXPECT_EQ(form("E2-E4\r"), "E2-E4");
    EXPECT_EQ(lineText(0, 1, 1, 7), "> E2-E4");
    EXPECT_EQ(t_WindowRecord(0).TextVpos, 2);
}

TEST_F(Input, CutRedrawOverwritesTheOldText) {
    t_CursorHome(0);
    EXPECT_EQ(form("abcd\x08\x18\r"), "d");
    EXPECT_EQ(lineText(0, 1, 3, 4), "d   ");
}

TEST_F(Input, PasteEncodesWideCharactersAndTakesTheFirstLine) {
    testHost().setPasteboardText("K\u00F6nig \u265A\nzweite Zeile");
    EXPECT_EQ(form("\x16\r"), std::string("K\u00F6nig \033265A\x1D"));
}

struct PasteCase {
    const char* name;
    int mode;
    const char* board;
    std::string result;
};

class Paste : public Input, public ::testing::WithParamInterface<PasteCase> {};

// Pasted text is text: control characters stay out, and a mode that admits only some
// characters gets only those, never the digits of an encoded wide character.
TEST_P(Paste, LeavesOutWhatTheFieldDoesNotAdmit) {
    const PasteCase& c = GetParam();
    testHost().setPasteboardText(c.board);
    EXPECT_EQ(form("\x16\r", c.mode), c.result);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Paste,
    ::testing::Values(PasteCase{"TabAndCtrlADropped", 0, "a\tb\001c\x7F", "abc"},
                      PasteCase{"EscapeDoesNotClear", 0, "ab\033cd", "abcd"},
                      PasteCase{"DigitsOnlyDropWidePiece", 2,
                                "\u265A"
                                "5",
                                "5"},
                      PasteCase{"DecimalDropWidePiece", 3,
                                "1.\u265A"
                                "5",
                                "1,5"},
                      PasteCase{"DateDropWidePiece", 4,
                                "\u265A"
                                "12-3",
                                "12-3"},
                      PasteCase{"ModeOneKeepsWideEncoded", 1, "\u265A\t", std::string("\033265A\x1D")}),
    [](const ::testing::TestParamInfo<PasteCase>& info) { return std::string(info.param.name); });

TEST_F(Input, CopyDecodesEscapesBackOntoThePasteboard) {
    EXPECT_EQ(form("a\x1B"), "");  // escape clears; the copy below uses a fresh field
    t_PostKeys("x\x0C\r");
    CapturedOutput quiet;
    t_InputForm(0, "", std::string("K\033265A\x1D"), false, 0, 20);
    EXPECT_EQ(testHost().pasteboardText().value_or(""), "K\u265Ax");
}

TEST_F(Input, FailedWindowChecksReturnEmpty) {
    CapturedOutput log;
    EXPECT_EQ(t_InputForm(6, "?", "x", true, 0, 5), "");
    t_InputEdit(6, 'a');
    t_InputInsert(6, 'a');
    EXPECT_FALSE(log.text().empty());
}

TEST(PasteboardEncoding, RoundTripAndBrokenSequences) {
    EXPECT_EQ(t_EncodeEscapes(U"a\u00FF\u0100\U0001F600"),
              std::u32string(U"a\u00FF\0330100\x1D\033F600\x1D"));
    EXPECT_EQ(t_DecodeEscapes(U"\0330041\x1D"), "A");
    EXPECT_EQ(t_DecodeEscapes(U"\033d83d\x1D"), std::string(1, '\0'));
    EXPECT_EQ(t_DecodeEscapes(U"\03300G1\x1D"), "\03300G1\x1D");
    EXPECT_EQ(t_DecodeEscapes(U"\033004"), "\033004");
    EXPECT_EQ(t_DecodeEscapes(U"\x1B\03300e9\x1D"), "\x1B\u00E9");
}

struct AskCase {
    const char* name;
    bool firstIsDefault;
    const char* key;
    bool answer;
};

class AskYesNo : public Input, public ::testing::WithParamInterface<AskCase> {};

TEST_P(AskYesNo, Answers) {
    const AskCase& c = GetParam();
    t_PostKeys(c.key);
    t_CursorHome(0);
    CapturedOutput quiet;
    EXPECT_EQ(t_AskYesNo(0, "Neues Spiel beginnen <", U'J', "/", U'N', c.firstIsDefault, "> ", true),
              c.answer);
    EXPECT_EQ(lineText(0, 1, 23, 6), std::string("J/N> ") + (c.answer ? "J" : "N"));
}

INSTANTIATE_TEST_SUITE_P(Keys, AskYesNo,
                         ::testing::Values(AskCase{"ReturnTakesFirstDefault", true, "\r", true},
                                           AskCase{"AnyKeyTakesFirstDefault", true, "x", true},
                                           AskCase{"LowerCaseSecond", true, "n", false},
                                           AskCase{"EscapeRefuses", true, "\x1B", false},
                                           AskCase{"ReturnTakesSecondDefault", false, "\r", false},
                                           AskCase{"FirstKeyWithSecondDefault", false, "j", true},
                                           AskCase{"EscapeWithSecondDefault", false, "\x1B", false}),
                         [](const ::testing::TestParamInfo<AskCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(Input, AskYesNoShowsTheDefaultInverse) {
    t_PostKeys("j");
    t_CursorHome(0);
    CapturedOutput quiet;
    t_AskYesNo(0, "<", U'J', "/", U'N', false, ">", false);
    const t_Window& w = t_WindowRecord(0);
    const std::int64_t colors = w.TextMemoryStart + (w.TextMemoryEnd - w.TextMemoryStart + 1) / 2;
    const std::uint8_t first = t_VideoMemory()[colors + 1];
    const std::uint8_t second = t_VideoMemory()[colors + 3];
    EXPECT_NE(first, second);
    EXPECT_EQ(second, static_cast<std::uint8_t>((first << 4) | (first >> 4)));
}

}  // namespace
}  // namespace zarvik::eventtests
