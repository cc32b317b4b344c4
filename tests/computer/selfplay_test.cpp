// Whole games between computer players through the game controller: every move must be legal.
#include <gtest/gtest.h>

#include "computer/selfplay.h"
#include "rules/perft.h"

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

}  // namespace
}  // namespace zarvik
