#include "rules/repetition.h"

#include <gtest/gtest.h>

namespace zarvik {
namespace {

PlayedMove move(int from, int to) {
    PlayedMove played;
    played.from = from;
    played.to = to;
    return played;
}

// Knights out and back: G1-F3, G8-F6, F3-G1, F6-G8, ...
std::vector<PlayedMove> backAndForth(int halfMoves) {
    const PlayedMove cycle[] = {move(6, 21), move(62, 45), move(21, 6), move(45, 62)};
    std::vector<PlayedMove> moves;
    for (int i = 0; i < halfMoves; ++i) {
        moves.push_back(cycle[i % 4]);
    }
    return moves;
}

std::vector<PlayedMove> threeTimes(const std::vector<PlayedMove>& period) {
    std::vector<PlayedMove> moves;
    for (int i = 0; i < 3; ++i) {
        moves.insert(moves.end(), period.begin(), period.end());
    }
    return moves;
}

TEST(Repetition, PeriodsAtTheEndOfTheList) {
    struct Case {
        const char* name;
        std::vector<PlayedMove> moves;
        Repetition expected;
    };
    std::vector<PlayedMove> checked = backAndForth(12);
    checked[0].check = true;
    std::vector<PlayedMove> leadIn = backAndForth(12);
    leadIn.insert(leadIn.begin(), move(12, 28));
    const Case cases[] = {
        {"eleven half-moves", backAndForth(11), {}},
        {"twelve half-moves", backAndForth(12), {true, false, false}},
        {"a 4-cycle also repeats with period 8, never 6", backAndForth(24), {true, false, true}},
        {"three moves three times",
         threeTimes({move(0, 8), move(48, 40), move(1, 18), move(57, 42), move(18, 1), move(42, 57)}),
         {false, true, false}},
        {"the same squares once with check differ", checked, {}},
        {"moves before the period do not matter", leadIn, {true, false, false}},
    };
    for (const Case& c : cases) {
        const Repetition found = findRepetition(c.moves);
        EXPECT_EQ(found.twoMoves, c.expected.twoMoves) << c.name;
        EXPECT_EQ(found.threeMoves, c.expected.threeMoves) << c.name;
        EXPECT_EQ(found.fourMoves, c.expected.fourMoves) << c.name;
    }
}

TEST(Repetition, HalfMovesAsPlayed) {
    LastMove capture;
    capture.fromLocation = 28;
    capture.toLocation = 35;
    capture.removedLocation = 35;
    LastMove quiet = capture;
    quiet.removedLocation = -1;
    EXPECT_NE(PlayedMove::of(capture), PlayedMove::of(quiet));

    // Castling is its side alone, whatever squares the record holds and whether it gave check.
    LastMove castle;
    castle.kingSideCastle = true;
    castle.fromLocation = 7;
    castle.toLocation = 5;
    LastMove checkingCastle;
    checkingCastle.kingSideCastle = true;
    checkingCastle.check = true;
    EXPECT_EQ(PlayedMove::of(castle), PlayedMove::of(checkingCastle));

    LastMove promotion;
    promotion.fromLocation = 52;
    promotion.toLocation = 60;
    promotion.transformedPiece = "D";
    EXPECT_EQ(PlayedMove::of(promotion).promotion, 'D');
}

}  // namespace
}  // namespace zarvik
