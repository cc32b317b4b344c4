#include "frontend/savedgame.h"

#include <gtest/gtest.h>

#include "frontend/record.h"
#include "rules/board.h"
#include "rules/lastmove.h"

namespace zarvik::frontend {
namespace {

const std::string kHeader = "Spielverlauf am 05.12.2026\rWeiss   = Mensch\rSchwarz = Computer (schwer)\r\r";

std::string record(std::initializer_list<const char*> moves) {
    std::string text = kHeader;
    int number = 0;
    for (const char* move : moves) {
        ++number;
        text += moveLinePrefix(number, "14:00:00", number % 2 == 1 ? "Weiss" : "Schwarz") + move + "\r";
    }
    return text;
}

struct Replayed {
    Replay replay;
    std::vector<std::string> refusals;
};

Replayed replayText(const std::string& text) {
    Replayed result;
    const auto lines = savedMoveLines(text);
    EXPECT_TRUE(lines.has_value());
    if (lines) {
        result.replay = replayMoveLines(*lines, [&](const std::string& m) { result.refusals.push_back(m); });
    }
    return result;
}

TEST(SavedGame, HeaderAndPlayerLines) {
    EXPECT_TRUE(hasRecordHeader("Spielverlauf am 01.01.2026\r"));
    EXPECT_TRUE(hasRecordHeader("Game progress on 2026\r"));
    EXPECT_FALSE(hasRecordHeader("Spielverlauf"));
    EXPECT_FALSE(hasRecordHeader(""));
    EXPECT_EQ(savedMoveLines(kHeader), std::vector<std::string>{}) << "saved before any move";
    EXPECT_EQ(savedMoveLines("Spielverlauf am x\rWeiss\rSchwarz\r"), std::vector<std::string>{})
        << "without the empty line";
    EXPECT_FALSE(savedMoveLines("Spielverlauf am x\rSchwarz\rWeiss\r\rE2-E4\r").has_value());
    EXPECT_FALSE(savedMoveLines("Spielverlauf am x\rWeiss\rBlack").has_value());
    EXPECT_FALSE(savedMoveLines("Spielverlauf am x").has_value());
    const auto english = savedMoveLines("Game progress on x\rWhite = Human\rBlack = Human\r\r1: E2-E4\rtail");
    ASSERT_TRUE(english.has_value());
    EXPECT_EQ(*english, std::vector<std::string>{"1: E2-E4"}) << "text after the last line end is not read";
}

TEST(SavedGame, MoveOfALine) {
    EXPECT_EQ(savedMove("  1 14:02:11 Weiss:   E2-E4"), "E2-E4");
    EXPECT_EQ(savedMove("  2 14:02:13 Schwarz: E7-E5*  "), "E7-E5*");
    EXPECT_EQ(savedMove("x: O-O-O+"), "O-O-O");
    EXPECT_EQ(savedMove("x: O-O"), "O-O");
    EXPECT_EQ(savedMove("E2-E4"), "E2-E4");
    EXPECT_EQ(savedMove("       *** Remis ***"), "*** Remis ***");
}

TEST(SavedGame, ReplayReachesTheRecordedPosition) {
    const Replayed r =
        replayText(record({"E2-E4", "E7-E5*", "G1-F3", "B8-C6", "F1-C4", "G8-F6", "O-O", "F8-C5"}));
    EXPECT_TRUE(r.refusals.empty());
    EXPECT_EQ(r.replay.lineCount, 8);
    EXPECT_EQ(r.replay.moveList.size(), 8u) << "one entry per half-move, castling too";
    EXPECT_EQ(r.replay.steps.size(), 8u);
    EXPECT_FALSE(r.replay.ended);
    Board expected(true);
    for (auto [from, to] :
         {std::pair{12, 28}, {52, 36}, {6, 21}, {57, 42}, {5, 26}, {62, 45}, {4, 6}, {7, 5}, {61, 34}}) {
        expected.movePiece(BoardLocation(from), BoardLocation(to));
    }
    EXPECT_EQ(r.replay.game->board, expected);
    EXPECT_EQ(r.replay.game->currentPlayer(), r.replay.white);
}

TEST(SavedGame, RefusedLinesAreSkipped) {
    const Replayed r = replayText(record({"E2-E5", "E2-E4", "I9-E4", "O-O", "E7-E5"}));
    ASSERT_EQ(r.refusals.size(), 3u);
    EXPECT_EQ(r.refusals[0], "chess_Open: Illegal Move E2-E5 (  1 14:00:00 Weiss:   E2-E5");
    EXPECT_EQ(r.refusals[1], "chess_Open: Illegal Coordinates I9-E4");
    EXPECT_EQ(r.refusals[2], "chess_Open: Small castle not possible");
    EXPECT_EQ(r.replay.lineCount, 2);
    EXPECT_TRUE(r.replay.game->board.pieceAt(BoardLocation(36)).has_value());
}

// White's h-pawn marches and takes on g7, then promotes on h8; black promotes on a1 later. A line
// without a letter makes a queen without asking.
TEST(SavedGame, PromotionUsesTheStoredLetter) {
    const auto stands = [](const Replayed& r, int square, PieceType type, Color color) {
        const std::optional<Piece> piece = r.replay.game->board.pieceAt(BoardLocation(square));
        return piece && piece->type == type && piece->color == color;
    };
    const Replayed r = replayText(record(
        {"H2-H4", "A7-A5", "H4-H5", "A5-A4", "H5-H6", "A4-A3", "H6XG7", "A3XB2", "G7XH8/T", "B2XA1/s"}));
    EXPECT_TRUE(r.refusals.empty()) << r.refusals.front();
    EXPECT_TRUE(stands(r, 63, PieceType::rook, Color::white));
    EXPECT_TRUE(stands(r, 0, PieceType::knight, Color::black));
    EXPECT_EQ(lastMove().transformedPiece, "s");
    const Replayed queen =
        replayText(record({"H2-H4", "A7-A5", "H4-H5", "A5-A4", "H5-H6", "A4-A3", "H6XG7", "A3XB2", "G7XH8"}));
    EXPECT_TRUE(stands(queen, 63, PieceType::queen, Color::white));
}

TEST(SavedGame, CheckmateStopsTheReplayAndCountsTheFinalLine) {
    std::string text = record({"F2-F3", "E7-E5", "G2-G4", "D8-H4#"});
    text += "     *** Zarvikmatt ***\r";
    const Replayed r = replayText(text);
    EXPECT_TRUE(r.refusals.empty());
    EXPECT_EQ(r.replay.game->state(), State::won(Color::black));
    EXPECT_EQ(r.replay.lineCount, 5);
    EXPECT_TRUE(r.replay.ended);
}

// A final line ends the game where it stands, whatever ended it; the game is not played on.
TEST(SavedGame, FinalLinesEndTheGame) {
    for (const char* final :
         {"       *** Remis ***", "   *** Weiss gibt auf ***", "  *** Schwarz gibt auf ***"}) {
        const std::string text = record({"E2-E4", "E7-E5"}) + final + "\r";
        const Replayed r = replayText(text);
        EXPECT_TRUE(r.refusals.empty()) << final;
        EXPECT_TRUE(r.replay.ended) << final;
        EXPECT_EQ(r.replay.lineCount, 3) << final;
        ASSERT_EQ(r.replay.steps.size(), 3u) << final;
        EXPECT_TRUE(r.replay.steps.back().ended);
        EXPECT_EQ(r.replay.game->state(), State::inProgress()) << "nobody was mated";
    }
}

// The players a record names: computers play on at their level.
TEST(SavedGame, PlayersOfTheRecord) {
    struct Case {
        const char* lines;
        SavedPlayers expected;
    };
    for (const Case& c : {
             Case{"Weiss   = Mensch\rSchwarz = Mensch\r", {true, 2, true, 2}},
             Case{"Weiss   = Mensch\rSchwarz = Computer (schwer)\r", {true, 2, false, 2}},
             Case{"Weiss   = Computer (leicht)\rSchwarz = Mensch\r", {false, 0, true, 2}},
             Case{"Weiss   = Computer (mittel)\rSchwarz = Computer (leicht)\r", {false, 1, false, 0}},
             Case{"White = Human\rBlack = Human\r", {true, 2, true, 2}},
         }) {
        const SavedPlayers players =
            savedPlayers("Spielverlauf am 05.12.2026\r" + std::string(c.lines) + "\r");
        EXPECT_EQ(players.whiteIsHuman, c.expected.whiteIsHuman) << c.lines;
        EXPECT_EQ(players.whiteDifficulty, c.expected.whiteDifficulty) << c.lines;
        EXPECT_EQ(players.blackIsHuman, c.expected.blackIsHuman) << c.lines;
        EXPECT_EQ(players.blackDifficulty, c.expected.blackDifficulty) << c.lines;
    }
}

TEST(SavedGame, ExtensionOfDocuments) {
    EXPECT_TRUE(hasSavedGameExtension("/tmp/Spiel.zarvik"));
    EXPECT_TRUE(hasSavedGameExtension("/tmp/SPIEL.ZARVIK"));
    EXPECT_TRUE(hasSavedGameExtension(".zarvik"));
    EXPECT_FALSE(hasSavedGameExtension("zarvik"));
    EXPECT_FALSE(hasSavedGameExtension("/tmp/Spiel.txt"));
    EXPECT_FALSE(hasSavedGameExtension(""));
}

}  // namespace
}  // namespace zarvik::frontend
