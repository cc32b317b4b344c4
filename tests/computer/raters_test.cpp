// The evaluation terms on hand-made positions with known answers.
#include <gtest/gtest.h>

#include <memory>

#include "computer/aiplayer.h"
#include "computer/ratingtext.h"
#include "tests/support/positions.h"

namespace zarvik {
namespace {

using test::fenBoard;

struct ConfigurationCase {
    Difficulty difficulty;
    double count, dominance, ownership, centreDominance, threatened, pawns, king, mate, four, suicide;
};

class ConfigurationTable : public ::testing::TestWithParam<ConfigurationCase> {};

TEST_P(ConfigurationTable, EffectiveValuesFollowTheMultiplier) {
    const ConfigurationCase& c = GetParam();
    const AIConfiguration config(c.difficulty);
    EXPECT_EQ(config.boardRaterCountPiecesWeighting.value(), c.count);
    EXPECT_EQ(config.boardRaterBoardDominanceWeighting.value(), c.dominance);
    EXPECT_EQ(config.boardRaterCenterOwnershipWeighting.value(), c.ownership);
    EXPECT_EQ(config.boardRaterCenterDominanceWeighting.value(), c.centreDominance);
    EXPECT_EQ(config.boardRaterThreatenedPiecesWeighting.value(), c.threatened);
    EXPECT_EQ(config.boardRaterPawnProgressionWeighting.value(), c.pawns);
    EXPECT_EQ(config.boardRaterKingSurroundingPossessionWeighting.value(), c.king);
    EXPECT_EQ(config.boardRaterCheckMateOpportunityWeighting.value(), c.mate);
    EXPECT_EQ(config.boardRaterCenterFourOccupationWeighting.value(), c.four);
    EXPECT_EQ(config.suicideMultipler.value(), c.suicide);
}

INSTANTIATE_TEST_SUITE_P(
    EasyAndHard, ConfigurationTable,
    ::testing::Values(ConfigurationCase{Difficulty::easy, 3.0, 0.0, 0.1, 0.0, 0.0, 0.1, 0.0, 0.0, 0.1, 0.0},
                      ConfigurationCase{Difficulty::hard, 3.0, 0.1, 0.3, 0.3, 1.5, 1.0, 0.3, 2.0, 0.3, 0.0}));

TEST(Configuration, EqualityLooksAtTheDifficultyOnly) {
    AIConfiguration a(Difficulty::hard);
    AIConfiguration b(Difficulty::hard);
    b.boardRaterCountPiecesWeighting = {7.0, 7.0, 1.0};
    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a == AIConfiguration(Difficulty::easy));
    EXPECT_EQ(difficultyFromRawValue(2), Difficulty::hard);
    EXPECT_EQ(difficultyFromRawValue(3), std::nullopt);
    EXPECT_EQ(difficultyFromRawValue(-1), std::nullopt);
}

TEST(RatingText, ShortestFormThatReadsBackWithAFractionOrExponent) {
    const std::pair<double, const char*> cases[] = {{3.0, "3.0"},
                                                    {-1.5, "-1.5"},
                                                    {0.1 + 0.2, "0.30000000000000004"},
                                                    {1.7976931348623157e+308, "1.7976931348623157e+308"},
                                                    {0.0, "0.0"},
                                                    {-12.0, "-12.0"},
                                                    {1e21, "1e+21"}};
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(ratingText(value), text);
    }
}

// Ratings of the nine terms, in the player's order, by name for readable failures.
enum Term { count, ownership, dominance, centreDominance, threatened, pawns, king, mate, four };

double term(const Board& board, Color color, Term t, Difficulty d = Difficulty::hard) {
    const AIPlayer player(color, AIConfiguration(d));
    return player.boardRaters()[t]->ratingFor(board, color);
}

TEST(Terms, StartingPositionIsSymmetricExceptKingSurroundings) {
    const Board start(true);
    for (const Color color : {Color::white, Color::black}) {
        for (const Term t : {count, four, pawns, dominance, mate}) {
            EXPECT_EQ(term(start, color, t), 0.0) << "term " << t;
        }
        // Irrational centre values: the symmetric sums cancel only up to rounding.
        EXPECT_NEAR(term(start, color, ownership), 0.0, 1e-12);
        EXPECT_NEAR(term(start, color, centreDominance), 0.0, 1e-12);
        EXPECT_EQ(term(start, color, king), 9 * 0.3);
    }
}

TEST(Terms, AfterE4CentreAndPawnTermsFavourWhite) {
    Board board(true);
    board.movePiece(BoardLocation(GridPosition::e2), BoardLocation(GridPosition::e4));
    EXPECT_EQ(term(board, Color::white, four), 0.3);
    EXPECT_EQ(term(board, Color::black, four), -0.3);
    EXPECT_EQ(term(board, Color::white, pawns), 1.0);
    EXPECT_EQ(term(board, Color::black, pawns), -1.0);
}

TEST(Terms, PawnWeightingIsAppliedPerPawn) {
    // Three pawns three ranks ahead at weight 0.1: 0.1*3 three times is not 0.1 * 9 in doubles.
    const Board board = fenBoard("4k3/8/PPP5/8/8/8/8/4K3 w - - 0 1");
    const double perPawn = 0.1 * 3 + 0.1 * 3 + 0.1 * 3;
    EXPECT_EQ(term(board, Color::white, pawns, Difficulty::easy), perPawn);
    EXPECT_NE(perPawn, 0.1 * 9);
    EXPECT_EQ(term(board, Color::black, pawns, Difficulty::easy), -perPawn);
}

struct ThreatCase {
    const char* fen;
    double expectedSum;  // before the weighting, for White
    const char* why;
};

class ThreatTable : public ::testing::TestWithParam<ThreatCase> {};

TEST_P(ThreatTable, ThreatValues) {
    const ThreatCase& c = GetParam();
    EXPECT_EQ(term(fenBoard(c.fen), Color::white, threatened), 1.5 * c.expectedSum) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ThreatTable,
    ::testing::Values(
        ThreatCase{"4k3/8/8/3q4/8/8/3R4/4K3 w - - 0 1", -15.0,
                   "rook attacked by a queen; the king cannot retake on an attacked square"},
        ThreatCase{"4k3/8/8/3q4/8/8/3Q4/3RK3 w - - 0 1", 9.0,
                   "defended queen attacked only by a queen: no penalty, it threatens the undefended queen"},
        ThreatCase{"4k3/8/8/8/2n5/8/3Q4/4K3 w - - 0 1", -27.0, "undefended queen attacked by a knight"},
        ThreatCase{"4k3/8/8/8/8/2p5/3Q4/3RK3 w - - 0 1", -9.0, "defended queen attacked by a pawn"},
        ThreatCase{"7k/8/8/8/8/8/8/K7 w - - 0 1", 0.0, "two kings only"}));

TEST(Terms, BoardWithOnlyKingsHasNoMaterialOrThreats) {
    const Board board = fenBoard("7k/8/8/8/8/8/8/K7 w - - 0 1");
    EXPECT_EQ(term(board, Color::white, count), 0.0);
    EXPECT_EQ(term(board, Color::white, threatened), 0.0);
}

TEST(Terms, MateInOneCountsForEitherSide) {
    // White: Ra1-a8 mates; Black: nothing.
    const Board board = fenBoard("6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1");
    EXPECT_EQ(term(board, Color::white, mate), 2.0);
    EXPECT_EQ(term(board, Color::black, mate), -2.0);
}

TEST(TermsDeathTest, TermWithoutItsOwnRuleStops) {
    struct Bare : BoardRater {
        Bare() : BoardRater(AIConfiguration(Difficulty::hard), &AIConfiguration::suicideMultipler) {}
    };
    EXPECT_DEATH(Bare().ratingFor(Board(true), Color::white), "");
}

}  // namespace
}  // namespace zarvik
