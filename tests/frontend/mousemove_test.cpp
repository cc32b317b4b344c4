// Moves by mouse: what a click means at a move prompt, and the running program on the headless host
// answering clicks on both boards as it answers typed moves. Each running scenario has a process of
// its own, since the program runs once per process.
#include <gtest/gtest.h>

#include "frontend/boarddisplay.h"
#include "frontend/mousemove.h"
#include "frontend/state.h"
#include "rules/board.h"
#include "running_program.h"
#include "toolkit/screen/pixels.h"
#include "toolkit/screen/window.h"

namespace zarvik::frontend {
namespace {

using Kind = ClickAnswer::Kind;

struct ClickCase {
    const char* name;
    Color color;
    std::optional<int> marked;
    std::optional<int> square;
    bool right;
    Kind kind;
    int markedSquare;
    const char* move;
};

void PrintTo(const ClickCase& c, std::ostream* os) {
    *os << c.name;
}

class ClickAnswers : public testing::TestWithParam<ClickCase> {};

TEST_P(ClickAnswers, InTheStartingPosition) {
    const ClickCase& c = GetParam();
    const ClickAnswer answer = answerClick(Board(true), c.color, c.marked, c.square, c.right);
    EXPECT_EQ(answer.kind, c.kind);
    if (c.kind == Kind::mark) {
        EXPECT_EQ(answer.square, c.markedSquare);
    }
    EXPECT_EQ(answer.move, c.move);
}

// Squares: a1 = 0, e1 = 4, e2 = 12, e4 = 28, e7 = 52, e8 = 60.
INSTANTIATE_TEST_SUITE_P(
    Clicks, ClickAnswers,
    testing::Values(
        ClickCase{"OwnPieceIsMarked", Color::white, {}, 12, false, Kind::mark, 12, ""},
        ClickCase{"BlackMarksItsOwn", Color::black, {}, 52, false, Kind::mark, 52, ""},
        ClickCase{"OpponentsPieceIsIgnored", Color::white, {}, 52, false, Kind::ignore, -1, ""},
        ClickCase{"EmptySquareIsIgnored", Color::white, {}, 28, false, Kind::ignore, -1, ""},
        ClickCase{"OffTheBoardsIsIgnored", Color::white, 12, {}, false, Kind::ignore, -1, ""},
        ClickCase{"SecondSquareEntersTheMove", Color::white, 12, 28, false, Kind::enter, -1, "E2-E4"},
        ClickCase{"AnyTargetIsEnteredForTheChecks", Color::white, 12, 60, false, Kind::enter, -1, "E2-E8"},
        ClickCase{"MarkedSquareAgainUnmarks", Color::white, 12, 12, false, Kind::unmark, -1, ""},
        ClickCase{"RightClickUnmarks", Color::white, 12, 28, true, Kind::unmark, -1, ""},
        ClickCase{"RightClickWithoutMarkIsIgnored", Color::white, {}, 12, true, Kind::ignore, -1, ""},
        ClickCase{"KingToGIsShortCastling", Color::white, 4, 6, false, Kind::enter, -1, "O-O"},
        ClickCase{"KingToCIsLongCastling", Color::white, 4, 2, false, Kind::enter, -1, "O-O-O"},
        ClickCase{"BlackKingCastles", Color::black, 60, 62, false, Kind::enter, -1, "O-O"},
        ClickCase{"QueenToGIsAMove", Color::white, 3, 5, false, Kind::enter, -1, "D1-F1"}),
    [](const testing::TestParamInfo<ClickCase>& info) { return std::string(info.param.name); });

// --- the running program

// Red, green and blue of the mark's bright ring (alpha is the low byte, not kept at 24 bits).
constexpr std::uint32_t kBrightRing = 0x0028FF00u;

// The middle of a square's picture on the graphic board, and of its letter on the text board.
int graphicX(int square) {
    return 48 + 40 * (square % 8) + 20;
}
int graphicY(int square) {
    return 161 + 40 * (7 - square / 8) + 20;
}
int textX(int square) {
    return (29 + 2 * (square % 8)) * 16 + 8;
}
int textY(int square) {
    return (6 + 7 - square / 8) * 32 + 16;
}

// The colour where a square's mark has its bright ring on the graphic board.
std::uint32_t ringPixel(int square) {
    return g_Scrn(0, 48 + 40 * (square % 8) + 2, 161 + 40 * (7 - square / 8) + 20) & 0xFFFFFF00u;
}
// The last move's frame is blue where the picked piece's is orange; a target has a green spot.
constexpr std::uint32_t kLastMoveRing = 0xFF800000u;
constexpr std::uint32_t kTargetSpot = 0x00FF0000u;
std::uint32_t spotPixel(int square) {
    return g_Scrn(0, graphicX(square), graphicY(square)) & 0xFFFFFF00u;
}

// The background (low nibble of the colour byte) of a square's letter on the text board.
int textBackground(int square) {
    const t_Window& w = t_WindowRecord(0);
    const std::int64_t half = (w.TextMemoryEnd - w.TextMemoryStart + 1) / 2;
    const int column = 30 + 2 * (square % 8);
    const int line = 7 + 7 - square / 8;
    return t_VideoMemory()[w.TextMemoryStart + half + std::int64_t(line - 1) * w.TextWidth + column - 1] & 15;
}
constexpr int kLastMoveBackground = 2;
constexpr int kTargetBackground = 5;
constexpr int kHintBackground = 8;
constexpr std::uint32_t kHintRing = 0xFF00FF00u;

using test::inOwnProcess;
using Program = test::RunningProgram;

TEST(MouseMoves, ClicksOnBothBoardsEnterMovesAsTyped) {
    inOwnProcess([](Program& p) {
        p.type("NJN\\r");  // two people
        EXPECT_EQ(boardSquareAt(graphicX(12), graphicY(12)), 12);
        EXPECT_EQ(boardSquareAt(textX(12), textY(12)), 12);
        EXPECT_EQ(boardSquareAt(textX(12) + 16, textY(12)), 12) << "the blank after the letter";
        EXPECT_EQ(boardSquareAt(textX(0), textY(63)), 56);
        EXPECT_EQ(boardSquareAt(47, 300), std::nullopt);
        EXPECT_EQ(boardSquareAt(200, 481), std::nullopt);

        p.click(graphicX(12), graphicY(12));  // E2, a light square
        EXPECT_EQ(ringPixel(12), kBrightRing);
        p.click(graphicX(28), graphicY(28));
        EXPECT_NE(p.record().find("Weiss:   E2-E4\r"), std::string::npos) << p.record();
        EXPECT_NE(ringPixel(12), kBrightRing) << "the mark is gone after the move";
        EXPECT_NE(p.screen().find("Zug für schwarz eingeben"), std::string::npos) << p.screen();

        p.click(textX(52), textY(52));  // E7 on the text board, a dark square on the graphic one
        EXPECT_EQ(ringPixel(52), kBrightRing);
        p.click(textX(36), textY(36));
        EXPECT_NE(p.record().find("Schwarz: E7-E5\r"), std::string::npos) << p.record();
        EXPECT_NE(ringPixel(52), kBrightRing);

        // A move the rules refuse gets the typed move's message.
        p.click(graphicX(3), graphicY(3));
        p.click(graphicX(3 + 32), graphicY(3 + 32));
        EXPECT_NE(p.screen().find("Die Dame kann nicht nach D5 ziehen."), std::string::npos) << p.screen();
        EXPECT_NE(ringPixel(3), kBrightRing);
    });
}

TEST(MouseMoves, IgnoredClicksAndEveryWayToUnmark) {
    inOwnProcess([](Program& p) {
        // While a configuration question waits, clicks do nothing and leave no event behind.
        ASSERT_NE(p.screen().find("Standard-Konfiguration benutzen"), std::string::npos) << p.screen();
        p.click(graphicX(12), graphicY(12));
        EXPECT_FALSE(t_MousePending());
        EXPECT_NE(p.screen().find("Standard-Konfiguration benutzen"), std::string::npos) << p.screen();
        p.type("NJN\\r");
        const std::string before = p.screen();

        p.click(graphicX(52), graphicY(52));  // the opponent's pawn
        p.click(graphicX(28), graphicY(28));  // an empty square
        p.click(700, 300);                    // the record panel
        EXPECT_NE(ringPixel(52), kBrightRing);
        EXPECT_NE(ringPixel(28), kBrightRing);
        EXPECT_EQ(p.screen(), before);

        p.click(graphicX(12), graphicY(12));
        EXPECT_EQ(ringPixel(12), kBrightRing);
        p.click(graphicX(12), graphicY(12));  // the marked square again
        EXPECT_NE(ringPixel(12), kBrightRing);

        p.click(graphicX(11), graphicY(11));
        p.click(graphicX(40), graphicY(40), true);  // right click, anywhere
        EXPECT_NE(ringPixel(11), kBrightRing);

        p.click(graphicX(6), graphicY(6));
        EXPECT_EQ(ringPixel(6), kBrightRing);
        p.type("\\e");  // Escape takes the mark away and does not ask to give up
        EXPECT_NE(ringPixel(6), kBrightRing);
        EXPECT_EQ(p.screen().find("Wollen Sie aufgeben"), std::string::npos) << p.screen();
        EXPECT_EQ(p.screen(), before);
        EXPECT_EQ(p.record().find("Weiss:  "), std::string::npos) << p.record();
        p.type("\\e");  // without a mark Escape asks as always
        EXPECT_NE(p.screen().find("Wollen Sie aufgeben"), std::string::npos) << p.screen();
        EXPECT_FALSE(t_MousePending());
    });
}

TEST(MouseMoves, KingsClickCastlesAndPawnsClickPromotes) {
    inOwnProcess([](Program& p) {
        p.type("NJN\\r");
        p.type("E2-E4\\rE7-E5\\rG1-F3\\rB8-C6\\rF1-C4\\rD7-D6\\r");
        p.click(graphicX(4), graphicY(4));
        p.click(textX(6), textY(6));
        EXPECT_NE(p.record().find("Weiss:   O-O\r"), std::string::npos) << p.record();
        EXPECT_EQ(currentGame()->board.pieceAt(BoardLocation(6))->type, PieceType::king);
        EXPECT_EQ(currentGame()->board.pieceAt(BoardLocation(5))->type, PieceType::rook);

        // White's h-pawn takes its way through Black's g- and h-pawns and then the knight on g8.
        p.type("G7-G5\\rH2-H4\\rA7-A6\\rH4-G5\\rH7-H6\\rG5-H6\\rA6-A5\\rH6-H7\\rA5-A4\\r");
        p.click(graphicX(55), graphicY(55));  // H7
        p.click(graphicX(62), graphicY(62));  // G8
        EXPECT_NE(p.screen().find("Bauer umwandeln (T, S, L, D): "), std::string::npos) << p.screen();
        p.type("S");
        EXPECT_NE(p.record().find("Weiss:   H7XG8/S"), std::string::npos) << p.record();
        EXPECT_EQ(currentGame()->board.pieceAt(BoardLocation(62))->type, PieceType::knight);
    });
}

TEST(MouseMoves, LastMoveAndLegalTargetsAreMarkedOnBothBoards) {
    inOwnProcess([](Program& p) {
        p.type("NJN\\r");
        p.type("E2-E4\\r");
        for (const int square : {12, 28}) {
            EXPECT_EQ(ringPixel(square), kLastMoveRing) << square;
            EXPECT_EQ(textBackground(square), kLastMoveBackground) << square;
        }
        EXPECT_NE(textBackground(20), kLastMoveBackground);
        p.type("G8-F6\\r");  // G8 is light, F6 dark: the frame shows on both
        for (const int square : {62, 45}) {
            EXPECT_EQ(ringPixel(square), kLastMoveRing) << square;
            EXPECT_EQ(textBackground(square), kLastMoveBackground) << square;
        }
        EXPECT_NE(ringPixel(12), kLastMoveRing) << "until the next move";
        EXPECT_NE(textBackground(28), kLastMoveBackground);

        p.click(graphicX(6), graphicY(6));  // the knight on G1: F3 and H3
        EXPECT_EQ(ringPixel(6), kBrightRing);
        for (const int square : {21, 23}) {
            EXPECT_EQ(spotPixel(square), kTargetSpot) << square;
            EXPECT_EQ(textBackground(square), kTargetBackground) << square;
        }
        EXPECT_NE(spotPixel(22), kTargetSpot);
        EXPECT_NE(textBackground(22), kTargetBackground);
        p.click(graphicX(6), graphicY(6));  // unmarked: the targets go too
        EXPECT_NE(spotPixel(21), kTargetSpot);
        EXPECT_NE(textBackground(21), kTargetBackground);

        p.click(textX(6), textY(6));
        p.click(graphicX(21), graphicY(21));
        EXPECT_NE(p.record().find("Weiss:   G1-F3\r"), std::string::npos) << p.record();
        EXPECT_NE(spotPixel(23), kTargetSpot);
        EXPECT_EQ(ringPixel(6), kLastMoveRing);
        EXPECT_EQ(ringPixel(21), kLastMoveRing);

        // Castling marks the king's squares.
        p.type("E7-E5\\rF1-C4\\rB8-C6\\rO-O\\r");
        EXPECT_EQ(ringPixel(4), kLastMoveRing);
        EXPECT_EQ(ringPixel(6), kLastMoveRing);
        EXPECT_NE(ringPixel(5), kLastMoveRing);
        EXPECT_NE(ringPixel(7), kLastMoveRing);
        p.type("D8-E7\\r");
        p.click(graphicX(5),
                graphicY(5));  // the rook on F1: E1 only, the queen and the F2 pawn block the rest
        EXPECT_EQ(spotPixel(4), kTargetSpot);
        EXPECT_NE(spotPixel(3), kTargetSpot) << "the bishop's way is not the rook's";
    });
}

// "Tipp" names the searching player's move, does not play it, and marks it on both boards until the
// next move.
TEST(MouseMoves, AHintIsMarkedOnBothBoardsUntilTheNextMove) {
    inOwnProcess([](Program& p) {
        p.type("NJN\\r");
        p.type("F2-F3\\rE7-E5\\rG2-G4\\r");
        p.menu("Tipp", "Spiel");
        ASSERT_NE(p.screen().find("Tipp: DD8-H4"), std::string::npos) << p.screen();
        for (const int square : {59, 31}) {
            EXPECT_EQ(ringPixel(square), kHintRing) << square;
            EXPECT_EQ(textBackground(square), kHintBackground) << square;
        }
        p.type("A7-A6\\r");  // Black is still to move: the hint was not played
        EXPECT_NE(p.record().find("Schwarz: A7-A6\r"), std::string::npos) << p.record();
        for (const int square : {59, 31}) {
            EXPECT_NE(ringPixel(square), kHintRing) << square;
            EXPECT_NE(textBackground(square), kHintBackground) << square;
        }
    });
}

}  // namespace
}  // namespace zarvik::frontend
