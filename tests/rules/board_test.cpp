// The board as a value: set-up, raw moves and their operation lists, castling, queries and picture.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "rules/board.h"
#include "rules/fen.h"
#include "tests/support/positions.h"
#include "util/log.h"

namespace zarvik {
namespace {

using test::fenBoard;

// A fatal message goes to standard output; the death tests copy it to standard error to match it.
void logToStderr() {
    setlogsink([](std::string_view line) {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
    });
}

TEST(BoardSetup, StartingPositionTagsFollowTheFourPasses) {
    const Board board(true);
    EXPECT_EQ(board.lastAssignedPieceTag(), 32);
    const struct {
        int firstSquare;
        int firstTag;
    } passes[] = {{0, 1}, {8, 9}, {56, 17}, {48, 25}};
    for (const auto& pass : passes) {
        for (int i = 0; i < 8; ++i) {
            const auto piece = board.pieceAt(BoardLocation(pass.firstSquare + i));
            ASSERT_TRUE(piece);
            EXPECT_EQ(piece->tag, pass.firstTag + i);
            EXPECT_FALSE(piece->hasMoved);
            EXPECT_FALSE(piece->canBeTakenByEnPassant);
            EXPECT_EQ(piece->location.index, pass.firstSquare + i);
        }
    }
    EXPECT_EQ(board.pieceAt(GridPosition::d1)->type, PieceType::queen);
    EXPECT_EQ(board.pieceAt(GridPosition::e1)->type, PieceType::king);
    EXPECT_EQ(board.pieceAt(GridPosition::d8)->type, PieceType::queen);
    EXPECT_EQ(board.pieceAt(GridPosition::e8)->color, Color::black);
    EXPECT_EQ(board.getPieces(Color::white).size(), 16u);
}

TEST(BoardSetup, Description) {
    const std::string dots = "\u00B7\u00B7\u00B7\u00B7\u00B7\u00B7\u00B7\u00B7\r";
    EXPECT_EQ(Board(true).boardDescription(),
              "rkbqgbkr\rpppppppp\r" + dots + dots + dots + dots + "PPPPPPPP\rRKBQGBKR\r");
}

Piece at(const Board& board, GridPosition square) {
    return *board.pieceAt(square);
}

TEST(MovePiece, SameSquareOrOffTheBoardChangesNothing) {
    Board board(true);
    for (const BoardLocation to : {BoardLocation(GridPosition::e2), BoardLocation(64), BoardLocation(-5)}) {
        EXPECT_TRUE(board.movePiece(GridPosition::e2, to).empty()) << to.index;
    }
    EXPECT_TRUE(board == Board(true));
    EXPECT_FALSE(at(board, GridPosition::e2).hasMoved);
}

TEST(MovePiece, QuietMoveReportsThePieceAsItWas) {
    Board board(true);
    const Piece pawn = at(board, GridPosition::e2);
    const auto ops = board.movePiece(GridPosition::e2, GridPosition::e3);
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0], (BoardOperation{OperationType::movePiece, pawn, BoardLocation(GridPosition::e3)}));
    const Piece moved = at(board, GridPosition::e3);
    EXPECT_TRUE(moved.hasMoved);
    EXPECT_EQ(moved.tag, pawn.tag);
    EXPECT_EQ(moved.location, BoardLocation(GridPosition::e3));
    EXPECT_TRUE(board.isEmpty(GridPosition::e2));
    EXPECT_FALSE(moved.canBeTakenByEnPassant) << "a single step is no double step";
}

TEST(MovePiece, DoubleStepFlagLastsOneMove) {
    Board board(true);
    board.movePiece(GridPosition::e2, GridPosition::e4);
    EXPECT_TRUE(at(board, GridPosition::e4).canBeTakenByEnPassant);
    board.movePiece(GridPosition::d7, GridPosition::d5);
    EXPECT_FALSE(at(board, GridPosition::e4).canBeTakenByEnPassant);
    EXPECT_TRUE(at(board, GridPosition::d5).canBeTakenByEnPassant);
    board.movePiece(GridPosition::g1, GridPosition::f3);
    EXPECT_FALSE(at(board, GridPosition::d5).canBeTakenByEnPassant);
}

TEST(MovePiece, CaptureReportsMoveThenRemove) {
    Board board = fenBoard("4k3/8/3p4/8/4N3/8/8/4K3 w - - 0 1");
    const Piece knight = at(board, GridPosition::e4);
    const Piece pawn = at(board, GridPosition::d6);
    const auto ops = board.movePiece(GridPosition::e4, GridPosition::d6);
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[0], (BoardOperation{OperationType::movePiece, knight, BoardLocation(GridPosition::d6)}));
    EXPECT_EQ(ops[1], (BoardOperation{OperationType::removePiece, pawn, BoardLocation(GridPosition::d6)}));
    EXPECT_EQ(at(board, GridPosition::d6).type, PieceType::knight);
    EXPECT_EQ(board.getPieces(Color::black).size(), 1u);
}

TEST(MovePiece, EnPassantCaptureRemovesThePassedPawn) {
    Board board = fenBoard("4k3/3p4/8/4P3/8/8/8/4K3 b - - 0 1");
    board.movePiece(GridPosition::d7, GridPosition::d5);
    const Piece passed = at(board, GridPosition::d5);
    const Piece capturer = at(board, GridPosition::e5);
    const auto ops = board.movePiece(GridPosition::e5, GridPosition::d6);
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[0], (BoardOperation{OperationType::movePiece, capturer, BoardLocation(GridPosition::d6)}));
    EXPECT_EQ(ops[1], (BoardOperation{OperationType::removePiece, passed, BoardLocation(GridPosition::d5)}));
    EXPECT_TRUE(passed.canBeTakenByEnPassant);
    EXPECT_TRUE(board.isEmpty(GridPosition::d5));
    EXPECT_EQ(at(board, GridPosition::d6).color, Color::white);
}

TEST(MovePiece, OwnColourBesideIsNotTakenEnPassant) {
    Board board;
    board.setPiece(GridPosition::d5, Piece{PieceType::pawn, Color::white, 3, true, true});
    board.setPiece(GridPosition::e5, Piece{PieceType::pawn, Color::white, 4, true, false});
    const auto ops = board.movePiece(GridPosition::e5, GridPosition::d6);
    EXPECT_EQ(ops.size(), 1u);
    EXPECT_FALSE(board.isEmpty(GridPosition::d5));
}

struct CastleOps {
    Color color;
    CastleSide side;
    GridPosition kingFrom, kingTo, rookFrom, rookTo;
};

TEST(PerformCastle, KingThenRook) {
    const CastleOps cases[] = {
        {Color::white, CastleSide::kingSide, GridPosition::e1, GridPosition::g1, GridPosition::h1,
         GridPosition::f1},
        {Color::white, CastleSide::queenSide, GridPosition::e1, GridPosition::c1, GridPosition::a1,
         GridPosition::d1},
        {Color::black, CastleSide::kingSide, GridPosition::e8, GridPosition::g8, GridPosition::h8,
         GridPosition::f8},
        {Color::black, CastleSide::queenSide, GridPosition::e8, GridPosition::c8, GridPosition::a8,
         GridPosition::d8},
    };
    for (const CastleOps& c : cases) {
        Board board = fenBoard("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
        const Piece king = at(board, c.kingFrom);
        const Piece rook = at(board, c.rookFrom);
        const auto ops = board.performCastle(c.color, c.side);
        ASSERT_EQ(ops.size(), 2u);
        EXPECT_EQ(ops[0], (BoardOperation{OperationType::movePiece, king, BoardLocation(c.kingTo)}));
        EXPECT_EQ(ops[1], (BoardOperation{OperationType::movePiece, rook, BoardLocation(c.rookTo)}));
        EXPECT_TRUE(at(board, c.kingTo).hasMoved);
        EXPECT_TRUE(at(board, c.rookTo).hasMoved);
        EXPECT_TRUE(board.isEmpty(c.kingFrom));
        EXPECT_TRUE(board.isEmpty(c.rookFrom));
    }
}

TEST(BoardEquality, IgnoresTagsFlagsAndCounter) {
    Board a(true);
    Board b;
    for (BoardLocation l : BoardLocation::allLocations()) {
        if (auto piece = a.pieceAt(l)) {
            piece->tag = 1000 + l.index;
            piece->hasMoved = true;
            piece->canBeTakenByEnPassant = true;
            b.setPiece(l, piece);
        }
    }
    EXPECT_TRUE(a == b);
    EXPECT_NE(a.lastAssignedPieceTag(), b.lastAssignedPieceTag());
    b.setPiece(GridPosition::a1, Piece{PieceType::queen, Color::white});
    EXPECT_FALSE(a == b);
    EXPECT_FALSE(a.square(GridPosition::a1) == b.square(GridPosition::a1));
    EXPECT_TRUE(Square{} == Square{});
    EXPECT_FALSE(Square{} == a.square(GridPosition::a1));
}

TEST(BoardQueries, OrdersAreAscending) {
    const Board board = fenBoard("6k1/8/8/8/8/8/8/QR2K1N1 w - - 0 1");
    const auto locations = board.getLocationsOfColor(Color::white);
    ASSERT_EQ(locations.size(), 4u);
    EXPECT_EQ(locations[0], BoardLocation(GridPosition::a1));
    EXPECT_EQ(locations[3], BoardLocation(GridPosition::g1));
    const auto pieces = board.getPieces(Color::white);
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(pieces[1].type, PieceType::rook);
    EXPECT_EQ(pieces[1].location, BoardLocation(GridPosition::b1));
    EXPECT_TRUE(Board().getPieces(Color::black).empty());
    EXPECT_EQ(Board().lastAssignedPieceTag(), 0);
    EXPECT_EQ(board.getKingLocation(Color::black), BoardLocation(GridPosition::g8));
    Board twoKings;
    twoKings.setPiece(GridPosition::h7, Piece{PieceType::king, Color::white});
    twoKings.setPiece(GridPosition::c2, Piece{PieceType::king, Color::white});
    EXPECT_EQ(twoKings.getKingLocation(Color::white), BoardLocation(GridPosition::c2))
        << "first in index order";
}

TEST(BoardQueries, PromotablePawnsOnlyOnTheFarRank) {
    Board board;
    board.setPiece(GridPosition::a8, Piece{PieceType::pawn, Color::white});
    board.setPiece(GridPosition::h8, Piece{PieceType::pawn, Color::white});
    board.setPiece(GridPosition::c8, Piece{PieceType::pawn, Color::black});
    board.setPiece(GridPosition::d7, Piece{PieceType::pawn, Color::white});
    board.setPiece(GridPosition::e1, Piece{PieceType::pawn, Color::white});
    board.setPiece(GridPosition::b1, Piece{PieceType::pawn, Color::black});
    board.setPiece(GridPosition::g8, Piece{PieceType::queen, Color::white});
    const auto white = board.getLocationsOfPromotablePawns(Color::white);
    ASSERT_EQ(white.size(), 2u);
    EXPECT_EQ(white[0], BoardLocation(GridPosition::a8));
    EXPECT_EQ(white[1], BoardLocation(GridPosition::h8));
    const auto black = board.getLocationsOfPromotablePawns(Color::black);
    ASSERT_EQ(black.size(), 1u);
    EXPECT_EQ(black[0], BoardLocation(GridPosition::b1));
}

TEST(BoardSquares, PlacingKeepsLocationEqualToTheSquare) {
    Board board;
    board.setPiece(GridPosition::c4,
                   Piece{PieceType::bishop, Color::black, 9, true, false, BoardLocation(60)});
    EXPECT_EQ(board.pieceAt(GridPosition::c4)->location, BoardLocation(GridPosition::c4));
    EXPECT_EQ(board.pieceAt(GridPosition::c4)->tag, 9);
    board.setPiece(BoardLocation(64), Piece{PieceType::queen, Color::white});
    EXPECT_EQ(board.getPieces(Color::white).size(), 0u);
    EXPECT_FALSE(board.pieceAt(BoardLocation(-3)));
    board.setPiece(GridPosition::d4, Piece{static_cast<PieceType>(9), Color::white});
    EXPECT_TRUE(board.isEmpty(GridPosition::d4)) << "a bad type value is refused";
    EXPECT_FALSE((Square{Piece{static_cast<PieceType>(9), Color::white}}.boardCharacter()));
    board.setPiece(GridPosition::c4, std::nullopt);
    EXPECT_TRUE(board.isEmpty(GridPosition::c4));
}

TEST(BoardValues, ColorsTypesAndLocations) {
    EXPECT_EQ(opposite(Color::white), Color::black);
    EXPECT_EQ(opposite(Color::black), Color::white);
    EXPECT_EQ(rawValue(Color::white), "White");
    EXPECT_EQ(name(Color::black), "black");
    EXPECT_EQ(colorFromRawValue("Black"), Color::black);
    EXPECT_FALSE(colorFromRawValue("black"));
    EXPECT_EQ(pieceTypeFromRawValue(4), PieceType::queen);
    EXPECT_FALSE(pieceTypeFromRawValue(6));
    EXPECT_FALSE(pieceTypeFromRawValue(-1));
    const struct {
        GridPosition square;
        std::int64_t index, x, y;
    } squares[] = {{GridPosition::a1, 0, 0, 0}, {GridPosition::h1, 7, 7, 0},  {GridPosition::a2, 8, 0, 1},
                   {GridPosition::e1, 4, 4, 0}, {GridPosition::e8, 60, 4, 7}, {GridPosition::h8, 63, 7, 7}};
    for (const auto& s : squares) {
        const BoardLocation l(s.square);
        EXPECT_EQ(l.index, s.index);
        EXPECT_EQ(l.x(), s.x);
        EXPECT_EQ(l.y(), s.y);
        EXPECT_EQ(BoardLocation(s.x, s.y), l);
        EXPECT_EQ(l.gridPosition(), s.square);
    }
    EXPECT_FALSE(BoardLocation(64).gridPosition());
    EXPECT_FALSE(BoardLocation(-1).gridPosition());
    const auto& all = BoardLocation::allLocations();
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(all[i].index, i);
    }
}

using BoardDeathTest = testing::Test;

TEST(BoardDeathTest, MoveFromEmptySquareIsFatal) {
    EXPECT_DEATH(
        {
            logToStderr();
            Board board;
            board.movePiece(GridPosition::e2, GridPosition::e4);
        },
        "There is no piece on at \\(4,1\\)");
}

TEST(BoardDeathTest, MissingKingIsFatal) {
    EXPECT_DEATH(
        {
            logToStderr();
            Board().getKingLocation(Color::white);
        },
        "Couldn't find white king. Kings should always exist");
}

}  // namespace
}  // namespace zarvik
