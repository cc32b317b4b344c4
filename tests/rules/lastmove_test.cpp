// The last-move record, its texts and the running flag.
#include <gtest/gtest.h>

#include "rules/lastmove.h"

namespace zarvik {
namespace {

TEST(SquareName, NamesOnlyTheBoard) {
    const struct {
        std::int64_t index;
        const char* name;
    } cases[] = {{0, "A1"},  {7, "H1"}, {12, "E2"}, {28, "E4"}, {60, "E8"},
                 {63, "H8"}, {-1, ""},  {64, ""},   {1000, ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(squareName(c.index), c.name) << c.index;
    }
}

TEST(LastMoveRecord, PlainMoveText) {
    const struct {
        int from;
        int to;
        const char* text;
    } cases[] = {{12, 28, "E2-E4"}, {60, 62, "E8-G8"}, {12, 64, ""}, {-1, 28, ""}, {-1, -1, ""}};
    for (const auto& c : cases) {
        LastMove record;
        record.fromLocation = c.from;
        record.toLocation = c.to;
        EXPECT_EQ(record.plainMoveText(), c.text);
    }
}

TEST(LastMoveRecord, ResetRestoresEveryField) {
    LastMove& record = lastMove();
    EXPECT_EQ(&record, &lastMove());
    record = LastMove{true, true, true, true, true, true, true, 1, 2, 3, 4, "D"};
    record.reset();
    EXPECT_EQ(record, LastMove{});
    EXPECT_EQ(record.fromLocation, -1);
    EXPECT_EQ(record.transformedLocation, -1);
    EXPECT_TRUE(record.transformedPiece.empty());
    EXPECT_FALSE(record.check || record.checkmate || record.stalemate || record.remis ||
                 record.kingSideCastle || record.queenSideCastle || record.bookMove);
    EXPECT_EQ(record.plainMoveText(), "");
}

TEST(LastMoveRecord, GermanLetters) {
    const struct {
        PieceType type;
        char white;
    } letters[] = {{PieceType::pawn, 'B'},   {PieceType::rook, 'T'},  {PieceType::knight, 'S'},
                   {PieceType::bishop, 'L'}, {PieceType::queen, 'D'}, {PieceType::king, 'K'}};
    for (const auto& l : letters) {
        EXPECT_EQ(germanLetter(l.type, Color::white), l.white);
        EXPECT_EQ(germanLetter(l.type, Color::black), l.white - 'A' + 'a');
    }
}

TEST(GameRunning, SharedFlag) {
    EXPECT_EQ(&gameRunning(), &gameRunning());
    gameRunning() = false;
    EXPECT_FALSE(gameRunning());
    gameRunning() = true;
}

}  // namespace
}  // namespace zarvik
