// The game's clocks without the running program: what a record keeps of them, the history that
// take-backs return to, the computer's share of its time and who can still mate after a flag fall.
#include "frontend/gameclock.h"

#include <gtest/gtest.h>

#include <atomic>

#include "rules/board.h"
#include "rules/drawrules.h"

namespace zarvik::frontend {
namespace {

constexpr std::string_view kHeadAndPlayers =
    "Spielverlauf am 07.12.2026 {900+10}\rWeiss   = Mensch\r"
    "Schwarz = Mensch\r\r";

TEST(GameClock, ReadingsKeptInTheRecord) {
    std::string record(kHeadAndPlayers);
    record +=
        "  1 10:00:00 Weiss:   E2-E4 {14:50}\r"
        "  2 10:00:05 Schwarz: E7-E5\r"  // a line without a reading
        "  3 10:00:09 Weiss:   G1-F3 {14:45.5}\r"
        "  4 10:00:20 Schwarz: B8-C6 {1:00:00}\r"
        "   *** Schwarz gibt auf ***  \r";
    const std::optional<RecordClocks> clocks = recordClocks(record);
    ASSERT_TRUE(clocks.has_value());
    EXPECT_EQ(clocks->control, (TimeControl{900, 10}));
    const std::vector<ClockTimes> expected = {
        {900, 900}, {890, 900}, {890, 900}, {885.5, 900}, {885.5, 3600}};
    EXPECT_EQ(clocks->history, expected);

    EXPECT_EQ(recordClocks("Spielverlauf am 07.12.2026\rWeiss   = Mensch\rSchwarz = Mensch\r\r"),
              std::nullopt)
        << "an older record has no clocks";
    EXPECT_EQ(recordClocks("Spielverlauf am 07.12.2026 {irgendwas}\r"), std::nullopt);
    EXPECT_EQ(recordClocks(""), std::nullopt);
}

TEST(GameClock, HistoryForTakeBacksAndTheComputersShare) {
    // The clock thread reads the time while the test moves it.
    std::atomic<double> now{0};
    setClockTimeSource([&now] { return now.load(); });
    setGameTimeControl(TimeControl{60, 2});
    startClock(Color::white);
    now = now + 5;
    pressClock(Color::white, 1);
    now = now + 7;
    pressClock(Color::black, 2);
    EXPECT_EQ(clockHistory(), (std::vector<ClockTimes>{{60, 60}, {57, 60}, {57, 55}}));
    EXPECT_EQ(runningClock(), Color::white);
    EXPECT_DOUBLE_EQ(*thinkingBudget(Color::black), 55.0 / 30 + 1.5);
    restoreClocks(1);
    EXPECT_EQ(clockTimes(), (ClockTimes{57, 60}));
    EXPECT_EQ(runningClock(), std::nullopt) << "the turn loop starts the side to move";
    startClock(Color::black);
    now = now + 3;
    pressClock(Color::black, 2);  // a new second half-move replaces the old one
    EXPECT_EQ(clockHistory(), (std::vector<ClockTimes>{{60, 60}, {57, 60}, {57, 59}}));

    now = now + 56.5;  // White's last half second
    EXPECT_DOUBLE_EQ(*thinkingBudget(Color::white), 0.1) << "never the last second, never nothing";
    EXPECT_EQ(fallenFlag(), std::nullopt);
    now = now + 1;
    pressClock(Color::white, 3);
    EXPECT_EQ(fallenFlag(), Color::white) << "a move after the flag fell does not save it";
    EXPECT_EQ(clockLine().find(" Weiss 0:00 "), 3u);
    EXPECT_EQ(clockLine().find(" Schwarz 0:59 "), 26u) << "Black's clock under the text board";

    setGameTimeControl(std::nullopt);
    EXPECT_EQ(clockTimes(), std::nullopt);
    EXPECT_EQ(thinkingBudget(Color::white), std::nullopt);
    EXPECT_EQ(clockLine(), "");
    setClockTimeSource(&steadySeconds);
}

TEST(GameClock, WhoCanStillMate) {
    struct Row {
        const char* name;
        std::vector<std::pair<int, Piece>> pieces;  // besides the kings on e1 and e8
        Color flagged;
        bool canMate;
    };
    const Piece whiteQueen(PieceType::queen, Color::white);
    const Piece whiteBishop(PieceType::bishop, Color::white);
    const Piece whiteKnight(PieceType::knight, Color::white);
    const Piece blackPawn(PieceType::pawn, Color::black);
    const Row rows[] = {
        {"a bare king", {{3, whiteQueen}}, Color::white, false},
        {"a queen", {{3, whiteQueen}}, Color::black, true},
        {"a bishop against a bare king", {{2, whiteBishop}}, Color::black, false},
        {"a knight against a bare king", {{1, whiteKnight}}, Color::black, false},
        {"a knight against a pawn: a mate is possible",
         {{1, whiteKnight}, {48, blackPawn}},
         Color::black,
         true},
        {"two knights", {{1, whiteKnight}, {6, whiteKnight}}, Color::black, true},
    };
    for (const Row& row : rows) {
        Board board(false);
        board.setPiece(BoardLocation(4), Piece(PieceType::king, Color::white));
        board.setPiece(BoardLocation(60), Piece(PieceType::king, Color::black));
        for (const auto& [square, piece] : row.pieces) {
            board.setPiece(BoardLocation(square), piece);
        }
        EXPECT_EQ(opponentCanMate(board, row.flagged), row.canMate) << row.name;
    }
}

}  // namespace
}  // namespace zarvik::frontend
