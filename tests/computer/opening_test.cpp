// The opening book: entries per colour and the random pick with duplicates counted.
#include <gtest/gtest.h>

#include <map>

#include "computer/aiplayer.h"
#include "rules/lastmove.h"
#include "tests/support/logcapture.h"

namespace zarvik {
namespace {

using Pair = std::pair<std::int64_t, std::int64_t>;

Board after(std::initializer_list<std::pair<GridPosition, GridPosition>> moves) {
    Board board(true);
    for (const auto& [from, to] : moves) {
        board.movePiece(BoardLocation(from), BoardLocation(to));
    }
    return board;
}

TEST(Book, EntriesPerColourInOrder) {
    using enum GridPosition;
    const std::vector<OpeningMove> white = openingBook(Color::white);
    const std::vector<OpeningMove> black = openingBook(Color::black);
    ASSERT_EQ(white.size(), 11u);
    ASSERT_EQ(black.size(), 7u);
    const Pair whiteMoves[] = {{12, 28}, {6, 21},  {5, 33},  {12, 28}, {6, 21}, {5, 26},
                               {12, 28}, {11, 27}, {10, 26}, {12, 28}, {13, 29}};
    for (std::size_t i = 0; i < white.size(); ++i) {
        EXPECT_EQ(Pair(white[i].fromLocation.index, white[i].toLocation.index), whiteMoves[i]) << i;
    }
    const Pair blackMoves[] = {{52, 36}, {57, 42}, {52, 36}, {57, 42}, {50, 34}, {51, 35}, {52, 36}};
    for (std::size_t i = 0; i < black.size(); ++i) {
        EXPECT_EQ(Pair(black[i].fromLocation.index, black[i].toLocation.index), blackMoves[i]) << i;
    }
    // Entries hold the position before the move.
    EXPECT_TRUE(white[0].board == Board(true));
    EXPECT_TRUE(black[0].board == after({{e2, e4}}));
    EXPECT_TRUE(white[2].board == after({{e2, e4}, {e7, e5}, {g1, f3}, {b8, c6}}));
}

TEST(BookDeathTest, AnOpeningWithoutItsLineStops) {
    EXPECT_DEATH(Opening().moveLocations(), "");
}

struct ChanceCase {
    std::vector<std::pair<GridPosition, GridPosition>> line;
    Color computer;
    std::map<Pair, double> chances;
};

TEST(Book, PicksAreUniformOverMatchesWithDuplicatesCounted) {
    using enum GridPosition;
    const ChanceCase cases[] = {
        {{}, Color::white, {{{12, 28}, 0.8}, {{11, 27}, 0.2}}},
        {{{e2, e4}}, Color::black, {{{52, 36}, 0.75}, {{50, 34}, 0.25}}},
        {{{e2, e4}, {e7, e5}}, Color::white, {{{6, 21}, 2.0 / 3}, {{13, 29}, 1.0 / 3}}},
        {{{e2, e4}, {e7, e5}, {g1, f3}, {b8, c6}}, Color::white, {{{5, 33}, 0.5}, {{5, 26}, 0.5}}},
        {{{d2, d4}}, Color::black, {{{51, 35}, 1.0}}},
    };
    constexpr int kDraws = 4000;
    for (const ChanceCase& c : cases) {
        AIPlayer p(c.computer, AIConfiguration(Difficulty::easy));
        p.seedRandom(7);
        Board board(true);
        for (const auto& [from, to] : c.line) {
            board.movePiece(BoardLocation(from), BoardLocation(to));
        }
        std::map<Pair, int> seen;
        for (int i = 0; i < kDraws; ++i) {
            const auto move = p.openingBookMove(board);
            ASSERT_TRUE(move);
            ++seen[Pair(move->first.index, move->second.index)];
        }
        EXPECT_EQ(seen.size(), c.chances.size());
        for (const auto& [move, chance] : c.chances) {
            EXPECT_NEAR(seen[move] / static_cast<double>(kDraws), chance, 0.04);
        }
    }
}

TEST(Book, PositionsOutsideTheBookAndTransposedBack) {
    using enum GridPosition;
    AIPlayer black(Color::black, AIConfiguration(Difficulty::easy));
    AIPlayer white(Color::white, AIConfiguration(Difficulty::easy));
    EXPECT_FALSE(black.openingBookMove(after({{e2, e4}, {e7, e5}, {f2, f4}})));
    EXPECT_FALSE(white.openingBookMove(after({{e2, e4}, {c7, c5}})));
    // Knights out and back: the starting position again, flags aside.
    EXPECT_TRUE(white.openingBookMove(after({{g1, f3}, {g8, f6}, {f3, g1}, {f6, g8}})));
    white.openingMoves.clear();
    EXPECT_FALSE(white.openingBookMove(Board(true)));
}

TEST(Book, SeededPicksRepeat) {
    AIPlayer a(Color::white, AIConfiguration(Difficulty::easy));
    AIPlayer b(Color::white, AIConfiguration(Difficulty::easy));
    a.seedRandom(42);
    b.seedRandom(42);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(a.openingBookMove(Board(true)), b.openingBookMove(Board(true)));
    }
}

}  // namespace
}  // namespace zarvik
