// The fast player against the literal transcription: every term, every candidate's rating and the
// chosen move must be exactly equal.
#include <gtest/gtest.h>

#include "computer/aiplayer.h"
#include "reference_player.h"
#include "tests/support/positions.h"

namespace zarvik {
namespace {

#ifdef ZARVIK_SLOW_BUILD
constexpr int kGames = 5;
constexpr int kPlies = 8;
#else
constexpr int kGames = 25;
constexpr int kPlies = 14;
#endif

bool sameType(const MoveType& a, const MoveType& b) {
    return a == b;
}

class ReferenceComparison : public ::testing::TestWithParam<Difficulty> {};

TEST_P(ReferenceComparison, TermsCandidatesAndChoiceAreExactlyEqual) {
    const AIConfiguration configuration(GetParam());
    const std::vector<test::TestPosition> positions = test::playedPositions(11, kGames, kPlies);
    ASSERT_GE(positions.size(), static_cast<std::size_t>(kGames * 4));
    for (std::size_t n = 0; n < positions.size(); ++n) {
        const test::TestPosition& p = positions[n];
        SCOPED_TRACE("position " + std::to_string(n) + "\n" + p.board.boardDescription());
        auto player = std::make_shared<AIPlayer>(p.toMove, configuration);
        for (const Color side : {Color::white, Color::black}) {
            const std::vector<double> expected = reference::termRatings(p.board, side, configuration);
            for (std::size_t t = 0; t < expected.size(); ++t) {
                ASSERT_EQ(player->boardRaters()[t]->ratingFor(p.board, side), expected[t]) << "term " << t;
            }
        }
        const std::vector<Move> expected = reference::ratedCandidates(p.board, p.toMove, configuration);
        const std::vector<Move> actual = player->ratedCandidates(p.board);
        ASSERT_EQ(actual.size(), expected.size());
        for (std::size_t i = 0; i < actual.size(); ++i) {
            ASSERT_TRUE(sameType(actual[i].type, expected[i].type)) << moveText(actual[i].type);
            ASSERT_EQ(actual[i].rating, expected[i].rating) << moveText(actual[i].type);
        }
        ASSERT_EQ(AIPlayer::bestCandidate(actual), AIPlayer::bestCandidate(expected));
    }
}

INSTANTIATE_TEST_SUITE_P(BothDifficulties, ReferenceComparison,
                         ::testing::Values(Difficulty::easy, Difficulty::hard));

// A non-zero penalty for moves onto reachable squares goes through the same comparison.
TEST(ReferenceComparisonWithPenalty, CandidatesAreExactlyEqual) {
    AIConfiguration configuration(Difficulty::hard);
    configuration.suicideMultipler = {0.5, 0.5, 0.0};
    for (const test::TestPosition& p : test::playedPositions(5, 3, 6)) {
        auto player = std::make_shared<AIPlayer>(p.toMove, configuration);
        const std::vector<Move> expected = reference::ratedCandidates(p.board, p.toMove, configuration);
        const std::vector<Move> actual = player->ratedCandidates(p.board);
        ASSERT_EQ(actual.size(), expected.size());
        for (std::size_t i = 0; i < actual.size(); ++i) {
            ASSERT_EQ(actual[i].rating, expected[i].rating) << moveText(actual[i].type);
        }
    }
}

}  // namespace
}  // namespace zarvik
