// The rating choice of the computer player: mates, ties, castling and promotion. The penalty for
// moving into reach is compared with the transcription in the reference tests.
#include <gtest/gtest.h>

#include <limits>

#include "computer/aiplayer.h"
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

// The easy weights with material alone, so that quiet moves rate the same.
AIConfiguration materialOnly() {
    AIConfiguration configuration(Difficulty::easy);
    configuration.boardRaterCenterOwnershipWeighting = {};
    configuration.boardRaterPawnProgressionWeighting = {};
    configuration.boardRaterCenterFourOccupationWeighting = {};
    return configuration;
}

TEST(Choice, TheMatingMoveIsChosenWithTheGreatestRating) {
    for (const Difficulty d : {Difficulty::easy, Difficulty::hard}) {
        lastMove().reset();
        test::LogCapture quiet;
        const std::optional<Move> move =
            player(Color::white, d)->highestRatedMove(fenBoard("6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1"));
        ASSERT_TRUE(move);
        EXPECT_EQ(move->type, MoveType(single(GridPosition::a1, GridPosition::a8)));
        EXPECT_EQ(move->rating, std::numeric_limits<double>::max());
    }
}

TEST(Choice, EqualRatingsGoToTheEarliestCandidate) {
    AIPlayer p(Color::white, materialOnly());
    const Board board = fenBoard("k7/8/8/8/8/8/8/4K2R w - - 0 1");
    const std::vector<Move> candidates = p.ratedCandidates(board);
    ASSERT_FALSE(candidates.empty());
    EXPECT_EQ(AIPlayer::bestCandidate(candidates), 0u);
    EXPECT_EQ(candidates[0].type, MoveType(single(GridPosition::e1, GridPosition::d1)));
}

TEST(Choice, CastlingComesAfterOrdinaryMovesKingSideFirst) {
    AIPlayer p(Color::white, materialOnly());
    const Board board = fenBoard("4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1");
    const std::vector<Move> candidates = p.ratedCandidates(board);
    ASSERT_GE(candidates.size(), 2u);
    EXPECT_EQ(candidates[candidates.size() - 2].type,
              MoveType(CastleMove{Color::white, CastleSide::kingSide}));
    EXPECT_EQ(candidates.back().type, MoveType(CastleMove{Color::white, CastleSide::queenSide}));
    // All rate equal, so the first ordinary move wins over both castlings.
    EXPECT_EQ(AIPlayer::bestCandidate(candidates), 0u);
}

// Whatever the terms choose, a castling chosen is the record's castling.
TEST(Choice, ACastlingChosenIsRecorded) {
    lastMove().reset();
    test::LogCapture quiet;
    const std::optional<Move> move =
        player(Color::white)->highestRatedMove(fenBoard("4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1"));
    ASSERT_TRUE(move);
    const auto* castling = std::get_if<CastleMove>(&move->type);
    EXPECT_EQ(castling && castling->side == CastleSide::kingSide, lastMove().kingSideCastle);
    EXPECT_EQ(castling && castling->side == CastleSide::queenSide, lastMove().queenSideCastle);
}

TEST(Choice, NoCandidateMarksStalemateAndReturnsNone) {
    lastMove().reset();
    test::LogCapture quiet;
    const Board board = fenBoard("k7/2Q5/1K6/8/8/8/8/8 b - - 0 1");
    EXPECT_FALSE(player(Color::black)->highestRatedMove(board));
    EXPECT_TRUE(lastMove().stalemate);
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

TEST(Equality, PlayersWithTheSameColourAndDifficultyAreEqual) {
    EXPECT_TRUE(*player(Color::white) == *player(Color::white));
    EXPECT_FALSE(*player(Color::white) == *player(Color::black));
    EXPECT_FALSE(*player(Color::white, Difficulty::easy) == *player(Color::white));
    EXPECT_FALSE(*player(Color::white) == Player(Color::white));
}

}  // namespace
}  // namespace zarvik
