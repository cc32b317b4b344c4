#include "frontend/record.h"

#include <gtest/gtest.h>

#include "util/encoding.h"

namespace zarvik::frontend {
namespace {

LastMove ordinary(int from, int to) {
    LastMove move;
    move.fromLocation = from;
    move.toLocation = to;
    return move;
}

struct MoveTextCase {
    const char* name;
    LastMove move;
    const char* expected;
};

LastMove with(LastMove move, void (*change)(LastMove&)) {
    change(move);
    return move;
}

TEST(MoveText, MarksInTheirOrder) {
    const MoveTextCase cases[] = {
        {"plain", ordinary(12, 28), "E2-E4"},
        {"capture", with(ordinary(28, 35), [](LastMove& m) { m.removedLocation = 35; }), "E4XD5"},
        {"promotion", with(ordinary(52, 60), [](LastMove& m) { m.transformedPiece = "D"; }), "E7-E8/D"},
        {"black promotion, capture and check",
         with(ordinary(12, 3),
              [](LastMove& m) {
                  m.removedLocation = 3;
                  m.transformedPiece = "d";
                  m.check = true;
              }),
         "E2XD1/d+"},
        {"mate wins over check", with(ordinary(3, 39), [](LastMove& m) { m.check = m.checkmate = true; }),
         "D1-H5#"},
        {"book move", with(ordinary(52, 36), [](LastMove& m) { m.bookMove = true; }), "E7-E5*"},
        {"castling with check has no marks",
         with(LastMove{}, [](LastMove& m) { m.kingSideCastle = m.check = true; }), "O-O"},
        {"queen side castling", with(ordinary(4, 2), [](LastMove& m) { m.queenSideCastle = true; }), "O-O-O"},
        {"no squares", LastMove{}, ""},
        {"to-square off the board", ordinary(12, 64), ""},
        {"capture square off the board keeps the dash",
         with(ordinary(12, 28), [](LastMove& m) { m.removedLocation = 99; }), "E2-E4"},
    };
    for (const MoveTextCase& c : cases) {
        EXPECT_EQ(moveText(c.move), c.expected) << c.name;
    }
}

TEST(RecordFormat, LinesToTheCharacter) {
    EXPECT_EQ(moveLinePrefix(1, "14:02:11", "Weiss"), "  1 14:02:11 Weiss:   ");
    EXPECT_EQ(moveLinePrefix(2, "14:02:13", "Schwarz"), "  2 14:02:13 Schwarz: ");
    EXPECT_EQ(moveLinePrefix(1234, "00:00:00", "Weiss"), "1.234 00:00:00 Weiss:   ");
    EXPECT_EQ(recordHeader("05.12.2026 14:02:11"), "Spielverlauf am 05.12.2026\r");
    EXPECT_EQ(configurationLines(true, 2, false, 2), "Weiss   = Mensch\rSchwarz = Computer (schwer)\r\r");
    EXPECT_EQ(configurationLines(false, 0, false, 1),
              "Weiss   = Computer (leicht)\rSchwarz = Computer (mittel)\r\r");
}

TEST(HalfMove, AppendsLineAndEndsOnRepetition) {
    GameRecord record;
    record.text = "H\rW\rS\r\r";
    for (int i = 0; i < 11; ++i) {
        const int from[] = {6, 62, 21, 45};
        const int to[] = {21, 45, 6, 62};
        LastMove move = ordinary(from[i % 4], to[i % 4]);
        EXPECT_FALSE(
            appendHalfMove(record, move, i % 2 == 0 ? "Weiss" : "Schwarz", "10:00:00", DrawRules::ownOnly))
            << i;
        EXPECT_FALSE(move.remis);
    }
    LastMove twelfth = ordinary(45, 62);
    EXPECT_TRUE(appendHalfMove(record, twelfth, "Schwarz", "10:00:01", DrawRules::ownOnly));
    EXPECT_TRUE(twelfth.remis);
    EXPECT_EQ(record.lineCount, 13);
    EXPECT_EQ(record.moveList.size(), 12u);
    EXPECT_TRUE(record.text.ends_with(" 12 10:00:01 Schwarz: F6-G8\r       *** Remis ***\r"));
}

// With the draw rules of the chess rules of play, the starting position's third occurrence ends the
// same game after the 8th half-move, with a final line of its own that fits the 28 columns.
TEST(HalfMove, DrawRulesEndTheGameWithTheirOwnLine) {
    GameRecord record;
    record.text = "H\rW\rS\r\r";
    const int from[] = {6, 62, 21, 45};
    const int to[] = {21, 45, 6, 62};
    for (int i = 0; i < 8; ++i) {
        LastMove move = ordinary(from[i % 4], to[i % 4]);
        EXPECT_EQ(appendHalfMove(record, move, i % 2 == 0 ? "Weiss" : "Schwarz", "10:00:00"), i == 7) << i;
    }
    EXPECT_TRUE(record.text.ends_with("Schwarz: F6-G8\r*** Remis (Stellung 3x) ***\r")) << record.text;
    for (const DrawEnding& ending : drawEndings()) {
        EXPECT_LE(utf8length(ending.finalText), 28u) << ending.finalText;
    }
}

TEST(HalfMove, FinalLinesAndGivingUp) {
    struct Case {
        void (*set)(LastMove&);
        const char* ending;
    };
    const Case cases[] = {
        {[](LastMove& m) { m.checkmate = m.check = true; }, "#\r     *** Zarvikmatt ***\r"},
        {[](LastMove& m) { m.stalemate = true; }, "\r        *** Patt ***\r"},
        {[](LastMove& m) { m.checkmate = m.stalemate = m.remis = true; }, "#\r     *** Zarvikmatt ***\r"},
    };
    for (const Case& c : cases) {
        GameRecord record;
        LastMove move = ordinary(3, 39);
        c.set(move);
        EXPECT_TRUE(appendHalfMove(record, move, "Weiss", "12:00:00"));
        EXPECT_TRUE(record.text.ends_with(c.ending)) << record.text;
        EXPECT_EQ(record.lineCount, 2);
    }
    // Giving up: the centred final line alone.
    GameRecord record;
    appendResignation(record, Color::black);
    EXPECT_EQ(record.text, "  *** Schwarz gibt auf ***\r");
    EXPECT_EQ(record.lineCount, 1);
    EXPECT_TRUE(record.moveList.empty());
}

// Take-back returns the record to where it stood before each step; redo brings the steps back in
// order; a new step after a take-back drops what was taken back.
TEST(HalfMove, TakeBackAndRedo) {
    GameRecord record;
    record.text = "H\rW\rS\r\r";
    markRecordStart(record);
    const std::string start = record.text;
    LastMove e4 = ordinary(12, 28);
    appendHalfMove(record, e4, "Weiss", "10:00:00");
    const std::string afterOne = record.text;
    LastMove e5 = ordinary(52, 36);
    appendHalfMove(record, e5, "Schwarz", "10:00:01");
    appendResignation(record, Color::white);
    const GameRecord full = record;

    ASSERT_TRUE(takeBackStep(record));
    EXPECT_EQ(record.moveList.size(), 2u) << "giving up made no move";
    ASSERT_TRUE(takeBackStep(record));
    EXPECT_EQ(record.text, afterOne);
    ASSERT_TRUE(takeBackStep(record));
    EXPECT_EQ(record.text, start);
    EXPECT_EQ(record.lineCount, 0);
    EXPECT_TRUE(record.moveList.empty());
    EXPECT_FALSE(takeBackStep(record));

    for (const PlayedMove& expected : {PlayedMove::of(e4), PlayedMove::of(e5)}) {
        const std::optional<RedoneStep> redone = redoStep(record);
        ASSERT_TRUE(redone && redone->move);
        EXPECT_EQ(*redone->move, expected);
        EXPECT_FALSE(redone->ended);
    }
    const std::optional<RedoneStep> resignation = redoStep(record);
    ASSERT_TRUE(resignation);
    EXPECT_FALSE(resignation->move);
    EXPECT_TRUE(resignation->ended);
    EXPECT_EQ(record.text, full.text);
    EXPECT_EQ(record.lineCount, full.lineCount);
    EXPECT_EQ(record.moveList, full.moveList);
    EXPECT_FALSE(redoStep(record));

    takeBackStep(record);
    takeBackStep(record);
    LastMove c5 = ordinary(50, 34);
    appendHalfMove(record, c5, "Schwarz", "10:00:02");
    EXPECT_FALSE(redoStep(record)) << "a new move ends the redo";
    EXPECT_TRUE(record.text.ends_with("Schwarz: C7-C5\r"));
}

GameRecord recordWithMoves(int moves) {
    GameRecord record;
    record.text = "Spielverlauf am 01.01.2026\rWeiss   = Mensch\rSchwarz = Mensch\r\r";
    record.lineCount = moves;
    for (int i = 1; i <= moves; ++i) {
        record.text += moveLinePrefix(i, "10:00:00", "Weiss") + "E2-E4\r";
    }
    return record;
}

TEST(Panel, ShowsTheEndOfTheRecord) {
    const std::vector<std::string> nineteen = panelLines(recordWithMoves(19));
    ASSERT_EQ(nineteen.size(), 23u);
    EXPECT_EQ(nineteen.front(), "Spielverlauf am 01.01.2026");
    const std::vector<std::string> twenty = panelLines(recordWithMoves(20));
    ASSERT_EQ(twenty.size(), 23u);
    EXPECT_EQ(twenty.front(), "Weiss   = Mensch");
    EXPECT_EQ(twenty.back(), moveLinePrefix(20, "10:00:00", "Weiss") + "E2-E4");
    // Text after the last line end (a side that gave up) is not shown.
    GameRecord gaveUp = recordWithMoves(1);
    gaveUp.text += "  2 10:00:00 Schwarz: ";
    EXPECT_EQ(panelLines(gaveUp).size(), 5u);
    // A count larger than the lines present starts again from the beginning.
    GameRecord short_ = recordWithMoves(2);
    short_.lineCount = 40;
    EXPECT_EQ(panelLines(short_).front(), "Spielverlauf am 01.01.2026");
}

}  // namespace
}  // namespace zarvik::frontend

namespace zarvik::frontend {
namespace {

TEST(Panel, PrintsRecordTextLiterallyAndCutsIt) {
    struct Case {
        const char* name;
        std::string line;
        std::string shown;
    };
    const Case cases[] = {
        Case{"plain", "  1 10:00:00 Weiss:   E2-E4", "  1 10:00:00 Weiss:   E2-E4"},
        Case{"escape sequence", "A\x1b[2JB", "A?[2JB"},
        Case{"controls", std::string("\x07\x08\t\x0c\x0e\x0f\x7f", 7) + "x", "???????x"},
        Case{"nul", std::string("a\0b", 3), "a?b"},
        Case{"30 characters", std::string(30, 'x'), std::string(30, 'x')},
        Case{"cut", std::string(45, 'x'), std::string(30, 'x')},
        Case{"umlauts count once", "xxxxxxxxxxxxxxxxxxxxxxxxxxxxäöü", "xxxxxxxxxxxxxxxxxxxxxxxxxxxxäö"},
        Case{"empty", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(panelText(c.line), c.shown) << c.name;
    }
}

}  // namespace
}  // namespace zarvik::frontend
