// Whole games between computer players through the game controller: every move must be legal.
#include <gtest/gtest.h>

#include "computer/selfplay.h"
#include "rules/perft.h"
#include "tests/support/positions.h"

namespace zarvik {
namespace {

#ifdef ZARVIK_SLOW_BUILD
constexpr int kMaxPlies = 120;
#else
constexpr int kMaxPlies = 300;
#endif

class SelfPlay : public ::testing::TestWithParam<std::pair<Difficulty, Difficulty>> {};

TEST_P(SelfPlay, EveryMoveIsLegalAndTheGameEnds) {
    SelfPlayOptions options;
    options.white = GetParam().first;
    options.black = GetParam().second;
    options.seed = 5;
    options.maxPlies = kMaxPlies;
    int plies = 0;
    Board board(true);
    options.onMove = [&](const Board& before, Color mover, const std::string& move) {
        ASSERT_TRUE(before == board) << "ply " << plies;
        bool legal = false;
        for (const PerftMove& candidate : legalMoves(before, mover)) {
            if (candidate.text() == move) {
                legal = true;
                board = afterMove(before, mover, candidate);
            }
        }
        ASSERT_TRUE(legal) << "ply " << plies << ": " << move;
        ++plies;
    };
    const SelfPlayResult result = selfPlay(options, std::make_shared<ThreadDispatcher>());
    EXPECT_GT(plies, 10);
    if (result == SelfPlayResult::unfinished) {
        EXPECT_EQ(plies, kMaxPlies);
    } else {
        EXPECT_LE(plies, kMaxPlies);
    }
}

INSTANTIATE_TEST_SUITE_P(Pairings, SelfPlay,
                         ::testing::Values(std::make_pair(Difficulty::easy, Difficulty::hard),
                                           std::make_pair(Difficulty::hard, Difficulty::hard)));

// The caller's record judges repetition; selfPlay stops right after the move it reports.
TEST(SelfPlayDraw, EndsAfterTheMoveTheCallerJudgesRepeated) {
    SelfPlayOptions options;
    options.white = Difficulty::easy;
    options.black = Difficulty::easy;
    int plies = 0;
    options.onMove = [&](const Board&, Color, const std::string&) { ++plies; };
    options.drawnByRepetition = [&] { return plies == 6; };
    EXPECT_EQ(selfPlay(options, std::make_shared<ThreadDispatcher>()), SelfPlayResult::drawByRepetition);
    EXPECT_EQ(plies, 6);
}

TEST(SelfPlayDraw, CheckmateOnTheSameMoveStillWins) {
    SelfPlayOptions options;
    options.start = test::fenBoard("6k1/5ppp/8/8/8/8/5PPP/R5K1 w - - 0 1");  // Ra8 mates
    std::vector<std::string> moves;
    options.onMove = [&](const Board&, Color, const std::string& move) { moves.push_back(move); };
    options.drawnByRepetition = [] { return true; };
    EXPECT_EQ(selfPlay(options, std::make_shared<ThreadDispatcher>()), SelfPlayResult::whiteWins);
    EXPECT_EQ(moves, std::vector<std::string>{"a1a8"});
}

}  // namespace
}  // namespace zarvik
