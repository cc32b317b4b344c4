// The FEN reader: what it makes of a position and which texts it refuses.
#include <gtest/gtest.h>

#include "rules/fen.h"

namespace zarvik {
namespace {

FenPosition read(std::string_view text) {
    std::string error;
    const auto position = readFen(text, error);
    EXPECT_TRUE(position) << text << ": " << error;
    return position.value_or(FenPosition{});
}

TEST(Fen, StartPositionEqualsTheSetUpBoard) {
    const FenPosition p = read(kStartFen);
    EXPECT_TRUE(p.board == Board(true));
    EXPECT_EQ(p.toMove, Color::white);
    for (const Piece& piece : p.board.getPieces(Color::black)) {
        EXPECT_FALSE(piece.hasMoved);
        EXPECT_FALSE(piece.canBeTakenByEnPassant);
        EXPECT_TRUE(piece.tag);
    }
    EXPECT_EQ(p.board.lastAssignedPieceTag(), 32);
    EXPECT_FALSE(p.board.canColorCastle(Color::white, CastleSide::kingSide)) << "f1 and g1 are occupied";
}

TEST(Fen, CastlingRightsBecomeMovedFlags) {
    const FenPosition p = read("r3k2r/8/8/8/8/8/8/R3K2R b Kq - 3 20");
    EXPECT_EQ(p.toMove, Color::black);
    const struct {
        GridPosition square;
        bool hasMoved;
    } cases[] = {{GridPosition::e1, false}, {GridPosition::h1, false}, {GridPosition::a1, true},
                 {GridPosition::e8, false}, {GridPosition::a8, false}, {GridPosition::h8, true}};
    for (const auto& c : cases) {
        EXPECT_EQ(p.board.pieceAt(c.square)->hasMoved, c.hasMoved) << static_cast<int>(c.square);
    }
    EXPECT_TRUE(p.board.canColorCastle(Color::white, CastleSide::kingSide));
    EXPECT_FALSE(p.board.canColorCastle(Color::white, CastleSide::queenSide));
    EXPECT_TRUE(p.board.canColorCastle(Color::black, CastleSide::queenSide));
    EXPECT_FALSE(p.board.canColorCastle(Color::black, CastleSide::kingSide));
}

TEST(Fen, EnPassantFlagsTheDoubleSteppedPawn) {
    const FenPosition p = read("4k3/8/8/8/3pP3/8/8/4K3 b - e3 0 1");
    EXPECT_TRUE(p.board.pieceAt(GridPosition::e4)->canBeTakenByEnPassant);
    EXPECT_FALSE(p.board.pieceAt(GridPosition::d4)->canBeTakenByEnPassant);
    const FenPosition w = read("4k3/8/8/3pP3/8/8/8/4K3 w - d6");
    EXPECT_TRUE(w.board.pieceAt(GridPosition::d5)->canBeTakenByEnPassant);
}

TEST(Fen, ClocksAreOptionalAndSpacesFree) {
    read("  4k3/8/8/8/8/8/8/4K3   w   -   -  ");
    read("4k3/8/8/8/8/8/8/4K3 w - - 0");
}

TEST(Fen, MalformedTextIsRefusedWithOneLine) {
    const char* bad[] = {
        "",
        "   ",
        "4k3/8/8/8/8/8/8/4K3",
        "4k3/8/8/8/8/8/8/4K3 w -",
        "4k3/8/8/8/8/8/8/4K3 x - -",
        "4k3/8/8/8/8/8/4K3 w - -",
        "4k3/8/8/8/8/8/8/8/4K3 w - -",
        "4k4/8/8/8/8/8/8/4K3 w - -",
        "4k2/8/8/8/8/8/8/4K3 w - -",
        "4k3/8/8/8/8/8/8/4K3/ w - -",
        "4k3/8/8/8/8/8/8/4X3 w - -",
        "4k3/8/8/9/8/8/8/4K3 w - -",
        "8/8/8/8/8/8/8/4K3 w - -",
        "4k3/8/8/8/8/8/8/3KK3 w - -",
        "P3k3/8/8/8/8/8/8/4K3 w - -",
        "4k3/8/8/8/8/8/8/4K2p w - -",
        "4k3/8/8/8/8/8/8/4K3 w K -",
        "4k3/8/8/8/8/8/8/4K2R w Q -",
        "4k3/8/8/8/8/8/8/R3K2R w KX -",
        "4k3/8/8/8/3pP3/8/8/4K3 b - e6 0 1",
        "4k3/8/8/8/3pP3/8/8/4K3 b - d3 0 1",
        "4k3/8/8/8/3pP3/8/8/4K3 w - e3 0 1",
        "4k3/8/8/8/3pP3/8/4P3/4K3 b - e3 0 1",
        "4k3/8/8/8/3pP3/8/8/4K3 b - e33 0 1",
        "4k3/8/8/8/8/8/8/4K3 w - - a 1",
        "4k3/8/8/8/8/8/8/4K3 w - - 0 1 2",
        "4k3/8/8/8/8/8/8/4K3 w - - 99999999999999999999 1",
    };
    for (const char* text : bad) {
        std::string error;
        EXPECT_FALSE(readFen(text, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
        EXPECT_EQ(error.find('\n'), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace zarvik
