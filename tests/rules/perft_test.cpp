// Perft against published move-path counts, and the move list against the players' own check.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "rules/fen.h"
#include "rules/game.h"
#include "rules/perft.h"
#include "tests/support/perftcases.h"
#include "tests/support/positions.h"

namespace zarvik {
namespace {

#ifdef ZARVIK_SLOW_BUILD
// Unoptimised, instrumented builds stop below this many nodes.
constexpr std::uint64_t kNodeLimit = 250'000;
#else
constexpr std::uint64_t kNodeLimit = 5'000'000;
#endif

using test::PerftCase;

class Perft : public testing::TestWithParam<PerftCase> {};

TEST_P(Perft, MatchesPublishedCounts) {
    const PerftCase& c = GetParam();
    const FenPosition p = test::fenPosition(c.fen);
    for (std::size_t i = 0; i < c.counts.size() && c.counts[i] <= kNodeLimit; ++i) {
        EXPECT_EQ(perft(p.board, p.toMove, static_cast<int>(i) + 1), c.counts[i]) << "depth " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Rules, Perft, testing::ValuesIn(test::publishedPerftCases()), test::perftCaseName);

TEST(PerftMoves, DepthZeroIsOneNode) {
    EXPECT_EQ(perft(Board(true), Color::white, 0), 1u);
}

TEST(PerftMoves, DivideAddsUpAndNamesMoves) {
    const FenPosition p =
        test::fenPosition("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
    const std::vector<DivideLine> lines = divide(p.board, p.toMove, 2);
    std::uint64_t total = 0;
    std::vector<std::string> texts;
    for (const DivideLine& line : lines) {
        total += line.nodes;
        texts.push_back(line.move.text());
    }
    EXPECT_EQ(total, 2039u);
    EXPECT_EQ(lines.size(), 48u);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "e1g1"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "e1c1"), texts.end());
    EXPECT_EQ(texts.back(), "e1c1") << "castlings come last, king side first";
}

TEST(PerftMoves, PromotionsInOrderAndAsThePlayersMakeThem) {
    const FenPosition p = test::fenPosition("4k3/1P6/8/8/8/8/8/4K3 w - - 0 1");
    std::vector<std::string> promotions;
    for (const PerftMove& move : legalMoves(p.board, p.toMove)) {
        if (move.promotion) {
            promotions.push_back(move.text());
        }
    }
    EXPECT_EQ(promotions, (std::vector<std::string>{"b7b8q", "b7b8r", "b7b8b", "b7b8n"}));
    const PerftMove knight{49, 57, std::nullopt, PieceType::knight};
    const Board after = afterMove(p.board, p.toMove, knight);
    const Piece piece = *after.pieceAt(GridPosition::b8);
    EXPECT_EQ(piece.type, PieceType::knight);
    EXPECT_EQ(piece.tag, p.board.pieceAt(GridPosition::b7)->tag);
    EXPECT_FALSE(piece.hasMoved);
    EXPECT_TRUE(after.getLocationsOfPromotablePawns(Color::white).empty());
}

class Mover : public Player {
  public:
    using Player::Player;
};

// The perft move list is exactly what a player's own check accepts plus the permitted castlings.
TEST(PerftMoves, SameMovesAsThePlayersCheck) {
    for (const test::TestPosition& p : test::playedPositions(3, 6, 30)) {
        auto white = std::make_shared<Mover>(Color::white);
        auto black = std::make_shared<Mover>(Color::black);
        const auto game = Game::create(white, black, p.board, p.toMove);
        const Player& mover = *game->currentPlayer();
        std::vector<std::string> expected;
        for (BoardLocation from : BoardLocation::allLocations()) {
            for (BoardLocation to : BoardLocation::allLocations()) {
                if (!mover.checkMove(from, to)) {
                    const PerftMove move{static_cast<int>(from.index), static_cast<int>(to.index),
                                         std::nullopt, std::nullopt};
                    const bool promotes =
                        p.board.pieceAt(from)->type == PieceType::pawn && (to.y() == 0 || to.y() == 7);
                    for (PieceType type :
                         {PieceType::queen, PieceType::rook, PieceType::bishop, PieceType::knight}) {
                        PerftMove promoted = move;
                        promoted.promotion = type;
                        expected.push_back(promoted.text());
                        if (!promotes) {
                            expected.back() = move.text();
                            break;
                        }
                    }
                }
            }
        }
        for (CastleSide side : {CastleSide::kingSide, CastleSide::queenSide}) {
            if (p.board.canColorCastle(p.toMove, side)) {
                const int base = p.toMove == Color::white ? 0 : 56;
                expected.push_back(
                    PerftMove{base + 4, base + (side == CastleSide::kingSide ? 6 : 2), side, std::nullopt}
                        .text());
            }
        }
        std::vector<std::string> actual;
        for (const PerftMove& move : legalMoves(p.board, p.toMove)) {
            actual.push_back(move.text());
        }
        ASSERT_EQ(actual, expected) << p.board.boardDescription();
    }
}

}  // namespace
}  // namespace zarvik
