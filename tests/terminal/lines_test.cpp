#include "terminal/lines.h"

#include <gtest/gtest.h>

namespace zarvik::terminal {
namespace {

// A screen as the program draws it: the board at the left, the record from column 49.
std::vector<std::string> screen(const std::vector<std::string>& record, const std::string& prompt) {
    std::vector<std::string> lines = {
        "Zarvik                                                     Schach in der Konsole",
        "",
        "                             A B C D E F G H",
        "                          8  t s l d k l s t  8",
        "                          7  b b b b b b b b  7",
        "                          6  · · · · · · · ·  6",
        "                          5  · · · · · · · ·  5",
        "                          4  · · · · · · · ·  4",
        "                          3  · · · · · · · ·  3",
        "                          2  B B B B B B B B  2",
        "                          1  T S L D K L S T  1",
        "                             A B C D E F G H",
        prompt,
    };
    for (std::size_t i = 0; i < record.size() && 3 + i < lines.size(); ++i) {
        lines[3 + i].resize(49, ' ');
        lines[3 + i] += record[i];
    }
    return lines;
}

TEST(LineMode, BoardOnRequest) {
    const std::vector<std::string> board = boardLines(screen({"1 Weiss: E2-E4"}, ""));
    ASSERT_EQ(board.size(), 8u);
    EXPECT_EQ(board.front(), "8  t s l d k l s t  8");
    EXPECT_EQ(board.back(), "1  T S L D K L S T  1");
    EXPECT_TRUE(boardLines({"Zarvik", "Standard-Konfiguration benutzen <J/N>"}).empty());
}

// Each step is a screen; the lines written for it were worked out by reading it as a person would.
TEST(LineMode, WritesEachNewTextOnceInOrder) {
    struct Step {
        std::vector<std::string> screen;
        std::vector<std::string> written;
    };
    const Step steps[] = {
        {screen({}, "Standard-Konfiguration benutzen        <J/N>"),
         {"Zarvik", "Schach in der Konsole", "Standard-Konfiguration benutzen        <J/N>"}},
        {screen({}, "Standard-Konfiguration benutzen        <J/N> J"),
         {"Standard-Konfiguration benutzen        <J/N> J"}},
        {screen({"1 Weiss:   E2-E4", "2 Schwarz: E7-E5*"}, "Zug für weiss eingeben (z.B. E2-E4):"),
         {"1 Weiss:   E2-E4", "2 Schwarz: E7-E5*", "Zug für weiss eingeben (z.B. E2-E4):"}},
        // The record scrolled up by one: only the new move is new.
        {screen({"2 Schwarz: E7-E5*", "3 Weiss:   G1-F3"}, "Zug für weiss eingeben (z.B. E2-E4):"),
         {"3 Weiss:   G1-F3"}},
        {screen({"2 Schwarz: E7-E5*", "3 Weiss:   G1-F3"}, "Zug für weiss eingeben (z.B. E2-E4):"), {}},
    };
    LineWriter writer;
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        EXPECT_EQ(writer.update(steps[i].screen), steps[i].written) << "step " << i;
    }
}

}  // namespace
}  // namespace zarvik::terminal
