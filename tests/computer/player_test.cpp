// The rating choice of the computer player: mates, ties, castling, promotion, the penalty for moving
// into reach, and its log lines.
#include <gtest/gtest.h>

#include <limits>

#include "computer/aiplayer.h"
#include "computer/ratingtext.h"
#include "rules/lastmove.h"
#include "tests/support/logcapture.h"
#include "tests/support/positions.h"

namespace zarvik {
namespace {

using test::fenBoard;

std::shared_ptr<AIPlayer> player(Color color, Difficulty d = Difficulty::hard) {
    auto p = std::make_shared<AIPlayer>(color, AIConfiguration(d));
    p->openingMoves.clear();
    return p;
}

SinglePieceMove single(GridPosition from, GridPosition to) {
    return SinglePieceMove{BoardLocation(from), BoardLocation(to)};
}

TEST(Choice, TheMatingMoveIsChosenWithTheGreatestRating) {
    for (const Difficulty d : {Difficulty::easy, Difficulty::hard}) {
        lastMove().reset();
        test::LogCapture log;
        const std::optional<Move> move =
            player(Color::white, d)->highestRatedMove(fenBoard("6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1"));
        ASSERT_TRUE(move);
        EXPECT_EQ(move->type, MoveType(single(GridPosition::a1, GridPosition::a8)));
        EXPECT_EQ(move->rating, std::numeric_limits<double>::max());
        EXPECT_EQ(log.lines().back(), "*** Highest Rating was 1.7976931348623157e+308 ");
    }
}

TEST(Choice, EqualRatingsGoToTheEarliestCandidate) {
    // Material only: every quiet move of the lone rook rates the same.
    AIConfiguration materialOnly(Difficulty::easy);
    materialOnly.boardRaterCenterOwnershipWeighting = {};
    materialOnly.boardRaterPawnProgressionWeighting = {};
    materialOnly.boardRaterCenterFourOccupationWeighting = {};
    AIPlayer p(Color::white, materialOnly);
    const Board board = fenBoard("k7/8/8/8/8/8/8/4K2R w - - 0 1");
    const std::vector<Move> candidates = p.ratedCandidates(board);
    ASSERT_FALSE(candidates.empty());
    EXPECT_EQ(AIPlayer::bestCandidate(candidates), 0u);
    EXPECT_EQ(candidates[0].type, MoveType(single(GridPosition::e1, GridPosition::d1)));
}

TEST(Choice, CastlingComesAfterOrdinaryMovesKingSideFirst) {
    AIConfiguration materialOnly(Difficulty::easy);
    materialOnly.boardRaterCenterOwnershipWeighting = {};
    materialOnly.boardRaterPawnProgressionWeighting = {};
    materialOnly.boardRaterCenterFourOccupationWeighting = {};
    AIPlayer p(Color::white, materialOnly);
    const Board board = fenBoard("4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1");
    const std::vector<Move> candidates = p.ratedCandidates(board);
    ASSERT_GE(candidates.size(), 2u);
    EXPECT_EQ(candidates[candidates.size() - 2].type,
              MoveType(CastleMove{Color::white, CastleSide::kingSide}));
    EXPECT_EQ(candidates.back().type, MoveType(CastleMove{Color::white, CastleSide::queenSide}));
    // All rate equal, so the first ordinary move wins over both castlings.
    EXPECT_EQ(AIPlayer::bestCandidate(candidates), 0u);
}

TEST(Choice, CastlingLogLinesAndRecord) {
    // Whatever the terms choose, the lines that accompany castling come in this order.
    lastMove().reset();
    test::LogCapture log;
    auto p = player(Color::white);
    const Board board = fenBoard("4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1");
    const std::optional<Move> move = p->highestRatedMove(board);
    ASSERT_TRUE(move);
    const std::vector<std::string> lines = log.lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "*** AI Castling possible - King Side");
    EXPECT_EQ(lines[1], "*** AI Castling possible - Queen Side");
    EXPECT_EQ(lines.back(), "*** Highest Rating was " + ratingText(move->rating) + " ");
    if (const auto* castling = std::get_if<CastleMove>(&move->type)) {
        EXPECT_EQ(lines[2], "*** AI Castling - " + std::string(sideText(castling->side)));
        EXPECT_EQ(castling->side == CastleSide::kingSide, lastMove().kingSideCastle);
    }
}

TEST(Choice, NoCandidateMarksStalemateAndReturnsNone) {
    lastMove().reset();
    test::LogCapture log;
    const Board board = fenBoard("k7/2Q5/1K6/8/8/8/8/8 b - - 0 1");
    EXPECT_FALSE(player(Color::black)->highestRatedMove(board));
    EXPECT_TRUE(lastMove().stalemate);
    EXPECT_EQ(log.lines(), std::vector<std::string>{"*** AI Stalemate - There are no possible moves"});
}

TEST(Promotion, TheStrictlyBestRatedPieceInQueenKnightRookBishopOrder) {
    auto p = player(Color::white);
    const char* positions[] = {"6rk/4Pppp/8/8/8/8/8/K7 w - - 0 1", "7k/1P6/8/8/8/8/8/K7 w - - 0 1",
                               "6nb/5Ppk/6pp/8/8/8/8/K7 w - - 0 1"};
    for (const char* fen : positions) {
        Board board = fenBoard(fen);
        const int pawn = board.cells()[52] != 0 ? 52 : (board.cells()[49] != 0 ? 49 : 53);
        board.movePiece(BoardLocation(pawn), BoardLocation(pawn + 8));
        const BoardLocation square(pawn + 8);
        std::optional<PieceType> expected;
        double best = 0.0;
        for (const PieceType type :
             {PieceType::queen, PieceType::knight, PieceType::rook, PieceType::bishop}) {
            Board copy = board;
            copy.setPiece(square, Piece(type, Color::white));
            const double r = p->boardRating(copy);
            if (!expected || r > best) {
                expected = type;
                best = r;
            }
        }
        const Board promoted = p->bestPromotion(board);
        EXPECT_EQ(promoted.pieceAt(square)->type, *expected) << fen;
        EXPECT_FALSE(promoted.pieceAt(square)->hasMoved);
    }
    // Only the knight mates here.
    Board mating = fenBoard("6nb/5Ppk/6pp/8/8/8/8/K7 w - - 0 1");
    mating.movePiece(BoardLocation(GridPosition::f7), BoardLocation(GridPosition::f8));
    EXPECT_EQ(p->bestPromotion(mating).pieceAt(BoardLocation(GridPosition::f8))->type, PieceType::knight);
    const Board none = fenBoard("7k/8/8/8/8/8/8/K7 w - - 0 1");
    EXPECT_TRUE(p->bestPromotion(none) == none);
}

TEST(Penalty, MovesIntoReachLoseTheMultiplierTimesTheirMagnitude) {
    AIConfiguration withPenalty(Difficulty::easy);
    withPenalty.suicideMultipler = {0.5, 0.5, 0.0};
    AIPlayer punished(Color::white, withPenalty);
    AIPlayer plain(Color::white, AIConfiguration(Difficulty::easy));
    const Board board = fenBoard("4k3/8/8/3p4/R7/8/8/4K3 w - - 0 1");
    const std::vector<Move> a = punished.ratedCandidates(board);
    const std::vector<Move> b = plain.ratedCandidates(board);
    ASSERT_EQ(a.size(), b.size());
    bool sawPenalty = false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const double r = b[i].rating;
        const bool same = a[i].rating == r;
        const bool penalised = a[i].rating == r - 0.5 * std::fabs(r);
        EXPECT_TRUE(same || penalised) << moveText(a[i].type);
        sawPenalty = sawPenalty || (!same && penalised);
    }
    EXPECT_TRUE(sawPenalty);
}

TEST(Equality, PlayersWithTheSameColourAndDifficultyAreEqual) {
    EXPECT_TRUE(*player(Color::white) == *player(Color::white));
    EXPECT_FALSE(*player(Color::white) == *player(Color::black));
    EXPECT_FALSE(*player(Color::white, Difficulty::easy) == *player(Color::white));
    EXPECT_FALSE(*player(Color::white) == Player(Color::white));
}

}  // namespace
}  // namespace zarvik
