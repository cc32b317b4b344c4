// Printing, display modes, escape and control codes, cursor, scrolling, areas and headers.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "tests/toolkit/fixture.h"
#include "toolkit/app/events.h"
#include "toolkit/screen/palette.h"
#include "toolkit/screen/pixels.h"
#include "toolkit/text/glyph.h"
#include "toolkit/text/textoutput.h"

namespace zarvik::testing {
namespace {

class TextOutput : public ToolkitTest {
  protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        initTextWindow(0, 24, 10, 4);
    }
    t_Window& w() { return t_WindowRecord(0); }
    std::string row(int line) {
        std::string s;
        for (int c = 1; c <= w().TextWidth; ++c) {
            s += char(charAt(0, c, line));
        }
        return s;
    }
    // The first pixel of a cell holds the glyph's code as coverage; green on black shows it as green.
    int drawnGlyph(int column, int line) {
        return int((g_Scrn(0, (column - 1) * 8, (line - 1) * 16) >> 16) & 0xFF);
    }
};

TEST_F(TextOutput, PrintsAndWrapsIntoTheNextLine) {
    t_Print(0, "0123456789AB");
    EXPECT_EQ(row(1), "0123456789");
    EXPECT_EQ(row(2), "AB        ");
    EXPECT_EQ(w().TextHpos, 3);
    EXPECT_EQ(w().TextVpos, 2);
}

TEST_F(TextOutput, PrintingIntoTheLastCellScrollsUnlessScrollLocked) {
    t_Print(0, "eins\rzwei\rdrei\rvier567890");
    EXPECT_EQ(row(1), "zwei      ");
    EXPECT_EQ(row(3), "vier567890");
    EXPECT_EQ(row(4), "          ");
    EXPECT_EQ(w().TextVpos, 4);
    w().ScrollLock = true;
    t_Vtab(0, 4);
    t_Htab(0, 1);
    t_Print(0, "0123456789x");
    EXPECT_EQ(row(1), "zwei      ");
    EXPECT_EQ(row(4), "x123456789");
    EXPECT_EQ(w().TextVpos, 4);
}

TEST_F(TextOutput, FullWidthScrollMovesPixelsToo) {
    t_Print(0, "\rA");  // line 2 holds "A"
    const std::uint32_t before = g_Scrn(0, 1, 16);
    t_ScrollUp(0);
    EXPECT_EQ(row(1), "A         ");
    EXPECT_EQ(g_Scrn(0, 1, 0), before);
    EXPECT_EQ(drawnGlyph(1, 2), 0);  // the line below was cleared
    t_ScrollDown(0);
    EXPECT_EQ(row(2), "A         ");
    EXPECT_EQ(row(1), "          ");
    EXPECT_EQ(g_Scrn(0, 1, 16), before);
}

TEST_F(TextOutput, NarrowAreaScrollsCellByCellAndLeavesTheRestAlone) {
    t_Print(0, "aaaaaaaaaabbbbbbbbbbccccccccccddddddddd");
    t_Area(0, 3, 2, 5, 4);
    t_ScrollUp(0);
    EXPECT_EQ(row(1), "aaaaaaaaaa");
    EXPECT_EQ(row(2), "bbcccbbbbb");
    EXPECT_EQ(row(3), "ccdddccccc");
    EXPECT_EQ(row(4), "dd   dddd ");
    EXPECT_EQ(drawnGlyph(3, 2), 'c');
    t_ScrollDown(0);
    EXPECT_EQ(row(2), "bb   bbbbb");
    EXPECT_EQ(row(3), "cccccccccc");
    EXPECT_EQ(row(4), "ddddddddd ");
}

TEST_F(TextOutput, EscapeColoursApplyToTheNextCharacterOnly) {
    t_Print(0, "A\033AB");
    EXPECT_EQ(row(1).substr(0, 2), "AB");
    EXPECT_EQ(colorAt(0, 1, 1), 0xC0);
    EXPECT_EQ(colorAt(0, 2, 1), 0x10);
    EXPECT_EQ(w().TextDisplayMode, 0);
    EXPECT_EQ(w().TextColor, 0x10);
}

TEST_F(TextOutput, EscapeBeforeAnUnknownCommandStaysPending) {
    t_Print(0, "\033a");
    EXPECT_EQ(charAt(0, 1, 1), 'a');
    EXPECT_EQ(w().TextDisplayMode, 99);
    t_Print(0, "S");  // background 3
    EXPECT_EQ(w().TextColor, 0xC3);
    EXPECT_EQ(w().TextDisplayMode, 0);
}

TEST_F(TextOutput, EscapeTabStopsAndLineEnd) {
    t_Print(0,
            "ab\033i");  // next multiple of 10 + 1 = 11 is beyond 10 columns: line cleared, new line
    EXPECT_EQ(w().TextVpos, 2);
    EXPECT_EQ(w().TextHpos, 1);
    {
        CapturedOutput quiet;
        t_InitWindow(1, 24, false, 25 * 8, 2 * 16, 0, 0, testGreyFont(), true);
    }
    t_Print(1,
            "ab\x1bi"
            "c\033e");
    EXPECT_EQ(charAt(1, 11, 1), 'c');
    EXPECT_EQ(t_WindowRecord(1).TextHpos, 25);
    EXPECT_EQ(t_WindowRecord(1).TextVpos, 2);
}

TEST_F(TextOutput, EscapeBorderColour) {
    t_Print(0, "\x1bq");  // 113 - 110 = 3
    EXPECT_EQ(w().RGBColorBorder, t_PaletteColor(3));
    EXPECT_EQ(testHost().window(0).background, (HostColor{1, 0, 1, 1}));
}

struct MappingCase {
    int mode;
    const char* text;
    int glyph;
};

class DisplayModes : public TextOutput, public ::testing::WithParamInterface<MappingCase> {};

TEST_P(DisplayModes, MapCharacters) {
    t_DisplayMode(0, GetParam().mode);
    t_Print(0, GetParam().text);
    EXPECT_EQ(charAt(0, 1, 1), GetParam().glyph);
    if (colorAt(0, 1, 1) == 0xC0 && GetParam().glyph >= 32) {  // the test font starts at 32
        EXPECT_EQ(drawnGlyph(1, 1), GetParam().glyph);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, DisplayModes,
                         ::testing::Values(MappingCase{1, "A", 193}, MappingCase{1, "\x7f", 255},
                                           MappingCase{1, "\xc3\xa4", 0xE4}, MappingCase{2, "a", 129},
                                           MappingCase{2, "A", 1}, MappingCase{2, "0", '0'},
                                           MappingCase{3, "\x01", 65}, MappingCase{4, "\x02", 66},
                                           MappingCase{0, "\xe2\x82\xac", '?'}, MappingCase{0, "\xff", '?'}));

TEST_F(TextOutput, ModeThreeInvertsOnlyTheControlCharacter) {
    t_DisplayMode(0, 3);
    t_Print(0, "\001B");
    EXPECT_EQ(colorAt(0, 1, 1), 0x0C);
    EXPECT_EQ(colorAt(0, 2, 1), 0xC0);
    EXPECT_FALSE(w().TextInverse);
}

TEST_F(TextOutput, ModeFourColoursOnlyTheControlCharacterRed) {
    t_DisplayMode(0, 4);
    t_Print(0, "\001B\xe2\x82\254C");
    EXPECT_EQ(colorAt(0, 1, 1), 0x10);
    EXPECT_EQ(colorAt(0, 2, 1), 0xC0);
    EXPECT_EQ(colorAt(0, 3, 1), 0x10);  // the "?" for a scalar above 255
    EXPECT_EQ(colorAt(0, 4, 1), 0xC0);
}

TEST_F(TextOutput, ByteArraysPrintLikeText) {
    const std::uint8_t bytes[] = {'H', 0xE4, 13, 'x'};
    t_Print(0, std::span<const std::uint8_t>(bytes));
    EXPECT_EQ(charAt(0, 2, 1), 0xE4);
    EXPECT_EQ(charAt(0, 1, 2), 'x');
}

struct ControlCase {
    const char* text;
    int column;
    int line;
};

class ControlCodes : public TextOutput, public ::testing::WithParamInterface<ControlCase> {};

TEST_P(ControlCodes, MoveTheCursor) {
    t_Print(0, GetParam().text);
    EXPECT_EQ(w().TextHpos, GetParam().column);
    EXPECT_EQ(w().TextVpos, GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(Table, ControlCodes,
                         ::testing::Values(ControlCase{"abc\x08", 3, 1}, ControlCase{"\x08", 10, 1},
                                           ControlCase{"ab\n", 3, 2}, ControlCase{"ab\x12", 1, 1},
                                           ControlCase{"\n\nab\x19", 1, 1}, ControlCase{"a\x1c", 3, 1},
                                           ControlCase{"\n\x1e", 1, 1}, ControlCase{"\x09\x10\x15\x18", 1, 1},
                                           ControlCase{"abc\x1a", 1, 1}));

TEST_F(TextOutput, ClearingControlCodes) {
    t_Print(0, "aaaaaaaaaabbbbbbbbbbcccccccccc");
    t_Vtab(0, 2);
    t_Htab(0, 4);
    t_Print(0, "\x1d");  // clear to end of line
    EXPECT_EQ(row(2), "bbb       ");
    EXPECT_EQ(row(3), "cccccccccc");
    t_Print(0, "\x0b");  // clear to end of window
    EXPECT_EQ(row(3), "          ");
    EXPECT_EQ(row(1), "aaaaaaaaaa");
    t_Print(0, "\x0c");  // home and clear
    EXPECT_EQ(row(1), "          ");
    EXPECT_EQ(w().TextHpos, 1);
}

TEST_F(TextOutput, AttributeControlCodes) {
    t_Print(0, "\x0f");
    EXPECT_TRUE(w().TextInverse);
    t_Print(0, "\x0e");
    EXPECT_FALSE(w().TextInverse);
    t_Print(0, "\x11");
    EXPECT_TRUE(w().TextInverse);
    t_Print(0, "\x14");
    EXPECT_EQ(w().TextDisplayMode, 1);
    t_Print(0, "\x13");
    EXPECT_EQ(w().TextDisplayMode, 0);
    t_Print(0, "\x1f");
    EXPECT_EQ(w().TextDisplayMode, 2);
    const int bells = testHost().bells();
    t_DisplayMode(0, 0);
    t_Print(0, "\x07");
    testHost().drain();
    EXPECT_EQ(testHost().bells(), bells + 1);
}

TEST_F(TextOutput, RedirectedOutputGoesToStandardOutputAndLeavesTheScreen) {
    t_RedirectOutput(0, 2);
    CapturedOutput out;
    t_Print(0, "OK");
    EXPECT_EQ(out.text(), "OK");
    EXPECT_EQ(row(1), "          ");
    EXPECT_EQ(w().TextHpos, 1);
    t_RedirectOutput(0, 0);
    CapturedOutput none;
    t_Print(0, "weg\r");
    EXPECT_EQ(none.text(), "");
}

TEST_F(TextOutput, TabsAndSpacesAndTheirIgnoredArguments) {
    t_PrintTab(0, 4, '.');
    EXPECT_EQ(row(1).substr(0, 4), "... ");
    t_PrintTab(0, 2, '.');
    t_PrintSpc(0, -3);
    EXPECT_EQ(w().TextHpos, 4);
    t_PrintSpc(0, 2);
    EXPECT_EQ(w().TextHpos, 6);
    t_Htab(0, 0);
    t_Htab(0, 11);
    EXPECT_EQ(w().TextHpos, 6);
    t_Area(0, 3, 2, 8, 4);
    t_Htab(0, 2);
    EXPECT_EQ(w().TextHpos, 4);
    t_Vtab(0, 1);  // ignores the area
    EXPECT_EQ(t_Vpos(0), 1);
    t_Vtab(0, 5);
    EXPECT_EQ(t_Vpos(0), 1);
}

TEST_F(TextOutput, AreaSetsEachPairAloneAndHomesTheCursor) {
    t_Area(0, 2, 0, 4, 9);
    EXPECT_EQ(w().TextFirstColumn, 2);
    EXPECT_EQ(w().TextLastColumn, 4);
    EXPECT_EQ(w().TextFirstLine, 1);
    EXPECT_EQ(w().TextLastLine, 4);
    EXPECT_EQ(w().TextHpos, 2);
    t_CursorEnd(0);
    EXPECT_EQ(w().TextHpos, 4);
    t_FullArea(0);
    EXPECT_EQ(w().TextLastColumn, 10);
    EXPECT_EQ(w().TextHpos, 4);
}

TEST_F(TextOutput, CursorLevelsAndInvertRect) {
    t_Print(0, "x");
    t_CursorOn(0);
    t_CursorOn(0);
    EXPECT_EQ(colorAt(0, 2, 1), 0x0C);
    t_CursorOff(0);
    EXPECT_EQ(colorAt(0, 2, 1), 0x0C);
    t_CursorOff(0);
    EXPECT_EQ(colorAt(0, 2, 1), 0xC0);
    t_InvertRect(0, 1, 1, 10, 4);
    EXPECT_EQ(colorAt(0, 10, 4), 0x0C);
    t_InvertRect(0, 1, 1, 10, 4);
    EXPECT_EQ(colorAt(0, 10, 4), 0xC0);
    t_InvertRect(0, 1, 1, 11, 4);  // ignored
    EXPECT_EQ(colorAt(0, 1, 1), 0xC0);
}

TEST_F(TextOutput, ColourSetsTheForegroundAndDrawingColour) {
    t_Color(0, 0x1E);  // only the low nibble counts for the foreground
    EXPECT_EQ(w().TextColor, 0xE0);
    EXPECT_EQ(w().RGBColor, t_PaletteColor(14));
}

TEST_F(TextOutput, TextLineDrawsTheRuleToTheEndOfTheArea) {
    t_Print(0, "ab");
    t_TextLine(0);
    EXPECT_EQ(row(1), std::string("ab") + std::string(8, char(156)));
    EXPECT_EQ(w().TextVpos, 2);
    t_TextHline(0, 5, 3, 3, '-');
    t_TextHline(0, 1, 11, 3, '-');
    EXPECT_EQ(row(3), "          ");
}

TEST_F(TextOutput, HeaderFillsTheLineWithoutScrolling) {
    t_Vtab(0, 4);
    t_Header(0, "Zarvik", "ä");
    // Writing the full line scrolled nothing; only the carriage return after it moved it up.
    EXPECT_EQ(row(3), std::string("Zarvik   ") + char(0xE4));
    EXPECT_EQ(row(4), "          ");
    EXPECT_EQ(w().TextVpos, 4);
    EXPECT_EQ(w().TextHpos, 1);
    t_Area(0, 1, 2, 10, 2);
    t_Header(0, "lang genug", "und mehr");
    EXPECT_EQ(row(2), "lang genug");
    EXPECT_EQ(w().TextHpos, 1);
    EXPECT_EQ(w().TextVpos, 2);
}

TEST_F(TextOutput, GetScreenTrimsLinesAndDropsTrailingEmptyOnes) {
    EXPECT_EQ(t_GetScreen(0, "\r"), "");
    t_Print(0, "Zug \rE2-E4\xc3\xa4");
    EXPECT_EQ(t_GetScreen(0, "\r"), "Zug\rE2-E4\u00E4");
    EXPECT_EQ(t_GetScreen(0, ""), "Zug       E2-E4\u00E4");
}

TEST_F(TextOutput, WindowWithoutTextFontSaysSo) {
    t_WindowFont(0, t_Font{});
    CapturedOutput out;
    t_Print(0, "x");
    EXPECT_EQ(out.text(), "t_Print: Window #0 has no text font.\n");
}

TEST_F(TextOutput, EveryWriteMarksTheWindowChanged) {
    std::uint64_t seen = t_WindowChangeCount(0);
    const auto changed = [&] {
        const std::uint64_t now = t_WindowChangeCount(0);
        const bool result = now > seen;
        seen = now;
        return result;
    };
    t_Print(0, "a");
    EXPECT_TRUE(changed());
    t_ScrollUp(0);
    EXPECT_TRUE(changed());
    t_ClearWindowMemory(0);
    EXPECT_TRUE(changed());
    t_Htab(0, 5);
    EXPECT_FALSE(changed());
}

}  // namespace
}  // namespace zarvik::testing

namespace zarvik::testing {
namespace {

t_Event key(int value) {
    t_Event e;
    e.Kind = 1;
    e.Value = value;
    return e;
}

class OutputPause : public TextOutput {
  protected:
    // Prints on a thread of its own; true when it finished within the wait.
    bool printFinishes(std::function<void()> resume) {
        std::atomic<bool> done{false};
        std::thread printer([&] {
            t_Print(0, "ab");
            done = true;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        const bool stoppedFirst = !done;
        resume();
        printer.join();
        return stoppedFirst;
    }
};

TEST_F(OutputPause, CtrlSStopsOutputUntilTheNextKeyWhichIsSwallowed) {
    t_ClearKeyQueue();
    t_PostKeyEvent(key('q'));
    t_PostKeyEvent(key(19));
    EXPECT_TRUE(printFinishes([] { t_PostKeyEvent(key('x')); }));
    EXPECT_FALSE(t_KeyPending());  // both the queue before the pause and the resuming key are gone
    EXPECT_EQ(row(1).substr(0, 2), "ab");
}

TEST_F(OutputPause, AMenuChoiceResumesOutput) {
    t_ClearKeyQueue();
    t_PostKeyEvent(key(19));
    EXPECT_TRUE(printFinishes([] { t_PostMenuEvent(t_MenuEvent{}); }));
    t_NextMenuEvent();
}

TEST_F(OutputPause, OtherKeysDoNotPause) {
    t_ClearKeyQueue();
    t_PostKeyEvent(key(19));
    t_PostKeyEvent(key('a'));  // Ctrl-S is not the newest
    t_Print(0, "ab");
    EXPECT_TRUE(t_KeyPending());
    t_ClearKeyQueue();
}

}  // namespace
}  // namespace zarvik::testing
