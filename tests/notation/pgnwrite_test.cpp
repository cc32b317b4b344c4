#include "notation/pgnwrite.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "notation/pgnread.h"
#include "positions.h"

namespace zarvik {
namespace {

std::vector<PerftMove> movesOf(std::initializer_list<const char*> texts) {
    FenPosition at{Board(true), Color::white};
    std::vector<PerftMove> moves;
    for (const char* text : texts) {
        const std::optional<PerftMove> move = testing::legalMove(at, text);
        EXPECT_TRUE(move.has_value()) << text;
        if (!move) {
            break;
        }
        moves.push_back(*move);
        at.board = afterMove(at.board, at.toMove, *move);
        at.toMove = opposite(at.toMove);
    }
    return moves;
}

TEST(PgnWrite, TheSevenTagsInOrderThenTheMoves) {
    PgnExport game;
    game.date = "2026.12.05";
    game.white = "Mensch";
    game.black = "Zarvik (schwer)";
    game.moves = movesOf({"f2f3", "e7e5", "g2g4", "d8h4"});
    game.result = PgnResult::blackWins;
    EXPECT_EQ(writePgn(game),
              "[Event \"Zarvik\"]\n"
              "[Site \"?\"]\n"
              "[Date \"2026.12.05\"]\n"
              "[Round \"-\"]\n"
              "[White \"Mensch\"]\n"
              "[Black \"Zarvik (schwer)\"]\n"
              "[Result \"0-1\"]\n"
              "\n"
              "1. f3 e5 2. g4 Qh4# 0-1\n"
              "\n");
}

TEST(PgnWrite, TerminationTagAndQuotedValues) {
    PgnExport game;
    game.white = "Anna \"die Schnelle\" \\ B.";
    game.result = PgnResult::draw;
    game.termination = "Patt";
    const std::string text = writePgn(game);
    EXPECT_NE(text.find("[White \"Anna \\\"die Schnelle\\\" \\\\ B.\"]\n[Black \"?\"]\n[Result \"1/2-1/2\"]\n"
                        "[Termination \"Patt\"]\n\n1/2-1/2\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(tagValue(readPgn(text).tags, "White"), game.white);
}

TEST(PgnWrite, StopsBeforeAMoveThatIsNotLegal) {
    PgnExport game;
    game.moves = movesOf({"e2e4", "e7e5"});
    game.moves.push_back(PerftMove{4, 6, std::nullopt, std::nullopt});  // the king two squares, not castling
    const std::string text = writePgn(game);
    EXPECT_NE(text.find("\n1. e4 e5 *\n"), std::string::npos) << text;
}

// A random legal game: every kind of move turns up over a few hundred games, promotions and
// castling included.
std::vector<PerftMove> randomGame(std::mt19937& random, int maxPlies, Board& board, Color& toMove) {
    std::vector<PerftMove> moves;
    board = Board(true);
    toMove = Color::white;
    for (int ply = 0; ply < maxPlies; ++ply) {
        const std::vector<PerftMove> legal = legalMoves(board, toMove);
        if (legal.empty()) {
            break;
        }
        // Prefer castling and promotions when they are there, so that they are written often.
        PerftMove move = legal[std::uniform_int_distribution<std::size_t>(0, legal.size() - 1)(random)];
        for (const PerftMove& candidate : legal) {
            if ((candidate.castle || candidate.promotion) && random() % 2 == 0) {
                move = candidate;
            }
        }
        moves.push_back(move);
        board = afterMove(board, toMove, move);
        toMove = opposite(toMove);
    }
    return moves;
}

TEST(PgnWrite, RandomGamesReadBackToTheSameMovesAndBoard) {
    std::mt19937 random(18);
    int promotions = 0;
    int castlings = 0;
    for (int round = 0; round < 120; ++round) {
        Board board;
        Color toMove = Color::white;
        PgnExport game;
        game.moves = randomGame(random, 300, board, toMove);
        game.result = static_cast<PgnResult>(round % 4);
        game.termination = round % 4 == 2 ? "Remis durch Zugwiederholung" : "";
        const std::string text = writePgn(game);

        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);) {
            ASSERT_LE(line.size(), 79u) << line;
        }
        const PgnReading read = readPgn(text);
        ASSERT_FALSE(read.refused.has_value()) << read.refused->text << "\n" << text;
        ASSERT_EQ(read.moves.size(), game.moves.size());
        for (std::size_t i = 0; i < game.moves.size(); ++i) {
            ASSERT_EQ(read.moves[i].text(), game.moves[i].text()) << "ply " << i << "\n" << text;
            promotions += game.moves[i].promotion ? 1 : 0;
            castlings += game.moves[i].castle ? 1 : 0;
        }
        EXPECT_TRUE(read.board == board);
        EXPECT_EQ(read.toMove, toMove);
        EXPECT_EQ(read.result, game.result);
        EXPECT_EQ(tagValue(read.tags, "Termination"), game.termination);
    }
    EXPECT_GT(promotions, 20);
    EXPECT_GT(castlings, 20);
}

}  // namespace
}  // namespace zarvik
