// zarvik-cli selfplay keeps the game record as the program does: a repetition ends the game as a
// draw, and the record saved with --out opens again at the position the game reached.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli_run.h"
#include "notation/pgnread.h"
#include "rules/perft.h"

namespace zarvik {
namespace {

using test::readFile;
using test::runCli;

struct SelfPlayed {
    int status = 0;
    std::string log;
    std::string record;
    std::vector<std::string> moves;
    std::string recordPath;
};

SelfPlayed selfPlay(const std::string& name, const std::string& arguments) {
    const std::string base = ::testing::TempDir() + "frontend_selfplay_" + name;
    SelfPlayed played;
    played.recordPath = base + ".zarvik";
    played.status = runCli("selfplay " + arguments + " --moves " + base + ".moves --out " + played.recordPath,
                           base + ".log");
    played.log = readFile(base + ".log");
    played.record = readFile(played.recordPath);
    std::istringstream moves(readFile(base + ".moves"));
    for (std::string move; std::getline(moves, move);) {
        played.moves.push_back(move);
    }
    return played;
}

// The board as the replay prints it.
std::string printed(const Board& board) {
    std::string text = board.boardDescription();
    std::replace(text.begin(), text.end(), '\r', '\n');
    return text;
}

// The board after the moves from the start, as the replay prints it.
std::string boardAfter(const std::vector<std::string>& moves) {
    Board board(true);
    Color mover = Color::white;
    for (const std::string& move : moves) {
        const std::vector<PerftMove> legal = legalMoves(board, mover);
        const auto found = std::find_if(legal.begin(), legal.end(),
                                        [&](const PerftMove& candidate) { return candidate.text() == move; });
        if (found == legal.end()) {
            ADD_FAILURE() << "not legal: " << move;
            break;
        }
        board = afterMove(board, mover, *found);
        mover = opposite(mover);
    }
    return printed(board);
}

// The move texts of the record's move lines.
std::vector<std::string> recordMoves(const std::string& record) {
    std::vector<std::string> moves;
    std::istringstream lines(record);
    for (std::string line; std::getline(lines, line, '\r');) {
        for (const char* word : {" Weiss:   ", " Schwarz: "}) {
            if (const std::size_t at = line.find(word); at != std::string::npos) {
                moves.push_back(line.substr(at + std::string(word).size()));
            }
        }
    }
    return moves;
}

TEST(SelfPlayRecord, RepetitionEndsTheGameAsADraw) {
    // This pairing settles into moving a rook and a queen back and forth.
    const SelfPlayed p = selfPlay("repetition", "--seed 3");
    ASSERT_EQ(p.status, 0) << p.log;
    EXPECT_NE(p.log.find("*** Draw by repetition\n"), std::string::npos) << p.log;
    EXPECT_TRUE(p.log.ends_with("result: draw by repetition\n")) << p.log;
    EXPECT_TRUE(p.record.ends_with("\r*** Remis (Stellung 3x) ***\r")) << p.record;
    // The position before the last four half-moves came twice before: the same four half-moves twice.
    const std::vector<std::string> texts = recordMoves(p.record);
    const std::size_t n = texts.size();
    ASSERT_GE(n, 8u) << p.record;
    EXPECT_LT(n, 300u);
    for (std::size_t k = 1; k <= 4; ++k) {
        EXPECT_EQ(texts[n - k], texts[n - k - 4]) << k;
    }
}

struct SavedCase {
    const char* name;
    const char* arguments;
    const char* players;  // the two player lines and the empty line
    const char* ending;   // the end of the record
    const char* state;    // as the replay reports it
    const char* result;   // the result token of the game written for other programs
};

void PrintTo(const SavedCase& c, std::ostream* out) {
    *out << c.name;
}

class SelfPlaySaved : public ::testing::TestWithParam<SavedCase> {};

TEST_P(SelfPlaySaved, OpensAtTheFinalPosition) {
    const SavedCase& c = GetParam();
    const SelfPlayed p = selfPlay(c.name, c.arguments);
    ASSERT_EQ(p.status, 0) << p.log;
    EXPECT_TRUE(p.record.starts_with("Spielverlauf am ")) << p.record;
    EXPECT_NE(p.record.find(std::string("\r") + c.players), std::string::npos) << p.record;
    EXPECT_TRUE(p.record.ends_with(c.ending)) << p.record;
    EXPECT_EQ(recordMoves(p.record).size(), p.moves.size()) << "one move line per half-move";
    const std::string replayed = test::replay(p.recordPath);
    EXPECT_NE(replayed.find("chess_Open: Success"), std::string::npos) << replayed;
    EXPECT_TRUE(replayed.ends_with(std::string("state: ") + c.state + "\n" + boardAfter(p.moves)))
        << replayed << "\nexpected:\n"
        << boardAfter(p.moves);

    // Written for other programs, the game reads back to the same moves, board and result.
    const std::string pgnPath = p.recordPath + ".pgn";
    ASSERT_EQ(runCli("pgn " + test::shellQuoted(p.recordPath), pgnPath), 0);
    const std::string pgn = readFile(pgnPath);
    const PgnReading read = readPgn(pgn);
    EXPECT_FALSE(read.refused.has_value()) << pgn;
    std::vector<std::string> moves;
    for (const PerftMove& move : read.moves) {
        moves.push_back(move.text());
    }
    EXPECT_EQ(moves, p.moves) << pgn;
    EXPECT_EQ(printed(read.board), boardAfter(p.moves)) << pgn;
    EXPECT_EQ(resultToken(read.result), c.result) << pgn;
    // Opened by the program, it stands where the saved game stands.
    const std::string replayedPgn = test::replay(pgnPath);
    const std::string tail = replayed.substr(replayed.rfind("state: "));
    EXPECT_TRUE(replayedPgn.ends_with(tail)) << replayedPgn;
}

INSTANTIATE_TEST_SUITE_P(
    Endings, SelfPlaySaved,
    ::testing::Values(
        // Black castles.
        SavedCase{"mate", "--seed 1", "Weiss   = Computer (schwer)\rSchwarz = Computer (schwer)\r\r",
                  "#\r     *** Zarvikmatt ***\r", "black wins", "0-1"},
        // White promotes twice.
        SavedCase{"promotions", "--seed 3 --white easy --black easy",
                  "Weiss   = Computer (leicht)\rSchwarz = Computer (leicht)\r\r",
                  "#\r     *** Zarvikmatt ***\r", "white wins", "1-0"},
        SavedCase{"stalemate", "--seed 1 --black easy",
                  "Weiss   = Computer (schwer)\rSchwarz = Computer (leicht)\r\r", "\r        *** Patt ***\r",
                  "stalemate", "1/2-1/2"},
        SavedCase{"repetition", "--seed 3", "Weiss   = Computer (schwer)\rSchwarz = Computer (schwer)\r\r",
                  "\r*** Remis (Stellung 3x) ***\r", "draw by repetition", "1/2-1/2"},
        SavedCase{"unfinished", "--seed 3 --max-plies 9 --black easy",
                  "Weiss   = Computer (schwer)\rSchwarz = Computer (leicht)\r\r", "\r", "in progress", "*"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SelfPlayRecord, AnUnwritableRecordFileFails) {
    const std::string missing = ::testing::TempDir() + "frontend_selfplay_missing_folder/game.zarvik";
    const std::string log = ::testing::TempDir() + "frontend_selfplay_unwritable.log";
    EXPECT_EQ(runCli("selfplay --max-plies 2 --out " + missing, log), 1);
    const std::string output = readFile(log);
    EXPECT_NE(output.find("selfplay: could not write the game record to \"" + missing + "\"\n"),
              std::string::npos)
        << output;
    EXPECT_NE(output.find("result: unfinished\n"), std::string::npos) << "the game itself was played";
}

}  // namespace
}  // namespace zarvik
