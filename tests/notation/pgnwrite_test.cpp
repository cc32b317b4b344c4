#include "notation/pgnwrite.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "notation/pgnread.h"
#include "tests/support/positions.h"

namespace zarvik {
namespace {

std::vector<PerftMove> movesOf(std::initializer_list<const char*> texts) {
    FenPosition at{Board(true), Color::white};
    std::vector<PerftMove> moves;
    for (const char* text : texts) {
        const std::optional<PerftMove> move = test::legalMove(at, text);
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

// The movetext after the tags' empty line.
std::string movetextOf(const std::string& text) {
    const std::size_t at = text.find("\n\n");
    return at == std::string::npos ? text : text.substr(at + 2);
}

struct RoundTripCase {
    const char* name;
    std::string read;
    const char* written;  // the movetext written back
};

// Games of other programs keep their comments, glyphs, variations and results when written again.
TEST(PgnWrite, CommentsVariationsAndResultsAreWrittenBack) {
    const RoundTripCase cases[] = {
        {"comments before and after moves", "{Eine Eroeffnung} 1. e4 {das Beste} e5 2. Nf3 *",
         "{Eine Eroeffnung} 1. e4 {das Beste} 1... e5 2. Nf3 *\n"},
        {"nested variations", "1. e4 e5 (1... c5 2. Nf3 (2. c3 d5) d6) 2. Nf3 *",
         "1. e4 e5 (1... c5 2. Nf3 (2. c3 d5) 2... d6) 2. Nf3 *\n"},
        {"marks and glyphs", "1. e4! $1 e5?! 2. Nf3 !? +/= *", "1. e4! $1 e5?! 2. Nf3!? +/= *\n"},
        {"a line comment", "1. e4 ; bis zum Ende\n e5 *", "1. e4 {bis zum Ende} 1... e5 *\n"},
        {"comment spread over lines", "1. d4 {erste\n  Zeile\tzweite} *", "1. d4 {erste Zeile zweite} *\n"},
        {"resigned", "[Result \"0-1\"]\n1. f3 e5 2. g4 d6 0-1", "1. f3 e5 2. g4 d6 0-1\n"},
        {"an opening brace inside a comment", "1. e4 {a { b} *", "1. e4 {a { b} *\n"},
        {"agreed drawn", "[Result \"1/2-1/2\"]\n1. e4 e5 1/2-1/2", "1. e4 e5 1/2-1/2\n"},
        {"set up, black to move",
         "[FEN \"4k3/8/8/8/8/8/4P3/4K3 b - - 0 30\"]\n30... Kd7 (30... Kf7 31. e4) 31. e4 *",
         "30... Kd7 (30... Kf7 31. e4) 31. e4 *\n"},
    };
    for (const RoundTripCase& c : cases) {
        const std::string text = writePgn(exportOf(readPgn(c.read)));
        EXPECT_EQ(movetextOf(text), std::string(c.written) + "\n") << c.name;
        // What was written reads back to the same game.
        EXPECT_EQ(writePgn(exportOf(readPgn(text))), text) << c.name;
    }
}

TEST(PgnWrite, ASetUpPositionIsWrittenWithBothTags) {
    PgnExport game;
    game.fen = "4k3/8/8/8/8/8/4P3/4K3 w - - 0 1";
    game.moves = {PerftMove{12, 28, std::nullopt, std::nullopt}};
    const std::string text = writePgn(game);
    EXPECT_NE(
        text.find("[Result \"*\"]\n[SetUp \"1\"]\n[FEN \"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1\"]\n\n1. e4 *\n"),
        std::string::npos)
        << text;
    // Read back, the tags are not doubled.
    EXPECT_EQ(writePgn(exportOf(readPgn(text))), text);
}

TEST(PgnWrite, EveryTagIsWrittenBackInItsPlace) {
    const std::string read =
        "[White \"Morphy, Paul\"]\n[ECO \"C41\"]\n[Event \"Paris Opera\"]\n"
        "[Round \"?\"]\n[Site \"Paris FRA\"]\n[Black \"Duke Karl\"]\n[Result \"1-0\"]\n"
        "[Date \"1858.??.??\"]\n[Annotator \"Anna\"]\n\n1. e4 1-0";
    EXPECT_EQ(writePgn(exportOf(readPgn(read))),
              "[Event \"Paris Opera\"]\n[Site \"Paris FRA\"]\n[Date \"1858.??.??\"]\n[Round \"?\"]\n"
              "[White \"Morphy, Paul\"]\n[Black \"Duke Karl\"]\n[Result \"1-0\"]\n[ECO \"C41\"]\n"
              "[Annotator \"Anna\"]\n\n1. e4 1-0\n\n");
}

// An annotated game of another program: what is written reads back to the same game, and writing
// that again changes nothing.
TEST(PgnWrite, AnAnnotatedGameSurvivesTheRoundTrip) {
    std::ifstream in(std::filesystem::path(ZARVIK_NOTATION_DATA) / "opera_annotated.pgn", std::ios::binary);
    const PgnReading first = readPgn(std::string(std::istreambuf_iterator<char>(in), {}));
    ASSERT_EQ(first.moves.size(), 33u);
    const std::string text = writePgn(exportOf(first));
    const PgnReading second = readPgn(text);
    EXPECT_EQ(second.tags, first.tags);
    EXPECT_EQ(second.comments, first.comments);
    EXPECT_TRUE(second.notes == first.notes);
    EXPECT_EQ(second.result, first.result);
    EXPECT_EQ(second.moves.size(), first.moves.size());
    EXPECT_EQ(writePgn(exportOf(second)), text);
    EXPECT_EQ(movetextOf(text),
              "1. e4 e5 2. Nf3 d6 3. d4 Bg4 $6 {This is a weak move (already).} 4. dxe5 Bxf3\n"
              "5. Qxf3 dxe5 6. Bc4 Nf6 7. Qb3 Qe7 8. Nc3 c6 9. Bg5 b5?! (9... Qb4 10. Qxb4\n"
              "(10. O-O-O {a line comment (with a parenthesis}) 10... Bxb4) 10. Nxb5! cxb5\n"
              "11. Bxb5+ Nbd7 12. O-O-O Rd8 13. Rxd7 Rxd7 14. Rd1 Qe6 15. Bxd7+ Nxd7\n"
              "16. Qb8+!! Nxb8 17. Rd8# 1-0\n\n");
}

}  // namespace
}  // namespace zarvik
