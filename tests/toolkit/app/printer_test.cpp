// The virtual printer: set-up, synchronous text changes, the throttled update thread, decoding.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/toolkit/app/fixture.h"
#include "toolkit/app/printer.h"

namespace zarvik::eventtests {
namespace {

using Printer = EventsTest;

TEST_F(Printer, InitSetsTheRulerAndStartsOneThread) {
    p_SetPrinter("alter Text");
    const bool wasRunning = p_PrinterThreadRunning();
    CapturedOutput log;
    p_InitPrinter();
    EXPECT_EQ(testHost().textView(9).text, "");
    ASSERT_TRUE(eventually([] { return p_PrinterThreadRunning(); }));
    const int setUps = testHost().textView(9).setUps;
    p_InitPrinter();
    const std::string text = log.text();
    EXPECT_EQ(testHost().textView(9).setUps, setUps + 1);
    std::size_t starts = 0;
    for (std::size_t at = 0;
         (at = text.find("p_PrinterAutoUpdateProcess: Start as thread #", at)) != std::string::npos; ++at) {
        ++starts;
    }
    // Started by the first call unless an earlier test started it; never by the second.
    EXPECT_EQ(starts, wasRunning ? 0u : 1u);
    EXPECT_TRUE(p_PrinterThreadRunning());
    const std::string ruler = testHost().textView(9).ruler;
    ASSERT_EQ(ruler.size(), 160u);
    EXPECT_EQ(ruler.front(), 'L');
    EXPECT_EQ(ruler.back(), 'R');
    EXPECT_EQ(ruler[4], '!');
    EXPECT_EQ(ruler[9], '1');
}

TEST_F(Printer, SetPrinterFromAnotherThreadReturnsAfterTheViewChanged) {
    std::thread program([] {
        p_SetPrinter("1. 12:00:01 Weiss E2-E4");
        EXPECT_EQ(testHost().textView(9).text, "1. 12:00:01 Weiss E2-E4");
    });
    program.join();
}

TEST_F(Printer, AppendedTextAppearsThrottled) {
    CapturedOutput quiet;
    p_InitPrinter();
    ASSERT_TRUE(eventually([] { return p_PrinterThreadRunning(); }));
    p_AppendPrinter("Zug 1\r");
    ASSERT_TRUE(eventually([] { return testHost().textView(9).text == "Zug 1\r"; }));
    const auto shown = std::chrono::steady_clock::now();
    p_AppendPrinter("Zug 2");
    ASSERT_TRUE(eventually([] { return testHost().textView(9).text == "Zug 1\rZug 2"; }));
    EXPECT_GE(std::chrono::steady_clock::now() - shown, std::chrono::milliseconds(80));
}

TEST_F(Printer, ConsoleKeepsItsLastLines) {
    CapturedOutput quiet;
    ASSERT_TRUE(p_ClearConsole());
    std::string block;
    for (std::size_t i = 1; i <= p_ConsoleLineLimit + 20; ++i) {
        block += "Zeile " + std::to_string(i) + "\r";
    }
    p_AppendConsole(block);
    p_AppendConsole("Zeile danach\r");
    const std::string shown = testHost().textView(10).text;
    EXPECT_EQ(std::count(shown.begin(), shown.end(), '\r'), static_cast<long>(p_ConsoleLineLimit));
    EXPECT_EQ(shown.rfind("Zeile 22\r", 0), 0u);
    EXPECT_EQ(shown.substr(shown.size() - 13), "Zeile danach\r");
}

TEST_F(Printer, MissingViewIsReportedByEveryOperation) {
    testHost().setTextViewExists(9, false);
    CapturedOutput log;
    p_InitPrinter();
    p_SetRuler("x");
    p_SetPrinter("x");
    const std::string text = log.text();
    for (const char* name : {"p_InitPrinter", "p_SetRuler", "p_SetPrinter"}) {
        EXPECT_NE(text.find(std::string(name) + ": Virtual printer window is nil, resource undefined.\n"),
                  std::string::npos)
            << name;
    }
}

struct DecodeCase {
    const char* name;
    std::string bytes;
    std::string text;
};

class PrinterDecoding : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(PrinterDecoding, Utf8OrBytesWithEscapes) {
    const std::string& b = GetParam().bytes;
    EXPECT_EQ(p_DecodePrinterBuffer({reinterpret_cast<const std::uint8_t*>(b.data()), b.size()}),
              GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Buffers, PrinterDecoding,
    ::testing::Values(DecodeCase{"ValidUtf8", "K\u00F6nig \u265A", "K\u00F6nig \u265A"},
                      DecodeCase{"LatinBytes", "K\xF6nig", "K\u00F6nig"},
                      DecodeCase{"EscapeSequence", "\xF6\033265A\x1D", "\u00F6\u265A"},
                      DecodeCase{"LowerCaseHex", "\xF6\033265a\x1D", "\u00F6\u265A"},
                      DecodeCase{"SurrogateGivesNul", "\xF6\033D800\x1D", std::string("\u00F6") + '\0'},
                      DecodeCase{"BrokenEscapeStays", "\xF6\03326\x1D", "\u00F6\03326\x1D"},
                      DecodeCase{"EscapeAtTheEnd", "\xF6\x1B", "\u00F6\x1B"}, DecodeCase{"Empty", "", ""}),
    [](const ::testing::TestParamInfo<DecodeCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zarvik::eventtests
