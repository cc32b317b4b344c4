// The search's move generator against the rules: published perft counts, and the same moves and
// counts as the rules in positions from random games.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "rules/perft.h"
#include "search/movegen.h"
#include "tests/support/perftcases.h"
#include "tests/support/positions.h"

namespace zarvik::search {
namespace {

#ifdef ZARVIK_SLOW_BUILD
constexpr std::uint64_t kNodeLimit = 200'000;
#else
constexpr std::uint64_t kNodeLimit = 2'000'000;
#endif

using test::PerftCase;

class SearchPerft : public testing::TestWithParam<PerftCase> {};

TEST_P(SearchPerft, MatchesPublishedCounts) {
    std::string error;
    std::optional<Position> p = Position::fromFen(GetParam().fen, error);
    ASSERT_TRUE(p) << error;
    const std::uint64_t key = p->key();
    for (std::size_t i = 0; i < GetParam().counts.size() && GetParam().counts[i] <= kNodeLimit; ++i) {
        EXPECT_EQ(perft(*p, static_cast<int>(i) + 1), GetParam().counts[i]) << "depth " << i + 1;
    }
    EXPECT_EQ(p->key(), key) << "make and unmake restore the key";
}

INSTANTIATE_TEST_SUITE_P(Published, SearchPerft, testing::ValuesIn(test::publishedPerftCases()),
                         test::perftCaseName);

std::vector<std::string> texts(const std::vector<PerftMove>& moves) {
    std::vector<std::string> out;
    for (const PerftMove& m : moves) {
        out.push_back(m.text());
    }
    std::sort(out.begin(), out.end());
    return out;
}

// Thousands of positions from random games: the same legal moves, and the same counts two plies on.
TEST(SearchMovegen, AgreesWithTheRulesOnRandomGames) {
#ifdef ZARVIK_SLOW_BUILD
    const auto positions = test::playedPositions(11, 20, 60);
#else
    const auto positions = test::playedPositions(11, 60, 80);
#endif
    ASSERT_GT(positions.size(), 1000u);
    for (const test::TestPosition& tp : positions) {
        Position p = Position::fromBoard(tp.board, tp.toMove);
        MoveList moves;
        generateLegal(p, moves);
        std::vector<std::string> ours;
        for (const Move m : moves) {
            ours.push_back(m.text());
        }
        std::sort(ours.begin(), ours.end());
        ASSERT_EQ(ours, texts(legalMoves(tp.board, tp.toMove))) << tp.board.boardDescription();
        ASSERT_EQ(perft(p, 2), zarvik::perft(tp.board, tp.toMove, 2)) << tp.board.boardDescription();
    }
}

// Corners of en passant, castling and promotion, counted against the rules three plies deep.
TEST(SearchMovegen, AgreesWithTheRulesOnSpecialMoves) {
    for (const char* fen :
         {"8/8/8/KPp4r/8/8/8/4k3 w - c6 0 2", "8/8/8/2k5/3Pp3/8/8/4K3 b - d3 0 1",
          "4k3/8/8/8/4pP2/8/8/4K3 b - f3 0 1", "r3k2r/8/8/8/8/8/8/R3K1R1 b Qkq - 0 1",
          "r3k2r/8/8/8/8/5n2/8/R3K2R w KQkq - 0 1", "1r2k3/P7/8/8/8/8/6p1/4K2R w K - 0 1"}) {
        std::string error;
        const std::optional<FenPosition> rules = readFen(fen, error);
        std::optional<Position> p = Position::fromFen(fen, error);
        ASSERT_TRUE(rules && p) << error;
        for (int depth = 1; depth <= 3; ++depth) {
            EXPECT_EQ(perft(*p, depth), zarvik::perft(rules->board, rules->toMove, depth))
                << fen << " " << depth;
        }
    }
}

TEST(SearchMovegen, CapturesAndQuietsTogetherAreAllMoves) {
    std::string error;
    for (const char* fen : {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
                            "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1"}) {
        const std::optional<Position> p = Position::fromFen(fen, error);
        ASSERT_TRUE(p) << error;
        MoveList all, captures, quiets;
        generate(*p, Stage::all, all);
        generate(*p, Stage::captures, captures);
        generate(*p, Stage::quiets, quiets);
        EXPECT_EQ(captures.size() + quiets.size(), all.size()) << fen;
        for (const Move m : captures) {
            EXPECT_TRUE(m.isCapture() || m.promotionKind() == kQueen) << m.text();
        }
    }
}

// What the tuner writes must read back as the same position, clocks included.
TEST(SearchPosition, WritesTheFenItReads) {
    for (const char* fen : {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
                            "8/8/8/KPp4r/8/8/8/4k3 w - c6 0 2", "r3k2r/8/8/8/8/8/8/R3K1R1 b Qkq - 7 31",
                            "1r2k3/P7/8/8/8/8/6p1/4K2R w K - 0 1", "8/8/3k4/8/8/8/8/4K3 b - - 99 120"}) {
        std::string error;
        const std::optional<Position> p = Position::fromFen(fen, error);
        ASSERT_TRUE(p) << error;
        EXPECT_EQ(p->fen(), fen);
    }
}

}  // namespace
}  // namespace zarvik::search
