// The FEN reader: what it makes of a position and which texts it refuses.
#include <gtest/gtest.h>

#include <random>

#include "rules/fen.h"
#include "rules/perft.h"

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

// Positions that no game can reach are refused with the reason.
TEST(Fen, ImpossiblePositionsAreRefused) {
    const struct {
        const char* fen;
        const char* reason;
    } cases[] = {
        {"4k3/8/8/8/8/8/8/R3K3 b - - 0 1", nullptr},
        {"4k3/4Q3/8/8/8/8/8/4K3 w - - 0 1", "FEN: black is in check but not to move"},
        {"4k3/8/8/8/8/8/8/4K2r b - - 0 1", "FEN: white is in check but not to move"},
        {"8/8/8/3kK3/8/8/8/8 w - - 0 1", "FEN: the kings stand side by side"},
        {"8/8/8/8/8/8/8/3k1K2 b - - 0 1", nullptr},
        {"4k3/8/8/8/8/8/8/4K2P w - - 0 1", "FEN: a pawn cannot stand on the first or last rank"},
        {"4k3/8/8/8/8/P7/PPPPPPPP/4K3 w - - 0 1", "FEN: white has more than 8 pawns"},
        {"rnbqkbnr/pppppppp/n7/8/8/8/8/4K3 w - - 0 1", "FEN: black has more than 16 pieces"},
        {"rnbqkbnr/pppppppp/8/8/8/8/8/4K3 w - - 0 1", nullptr},
        {"4k3/8/8/8/8/8/8/4K3 w K - 0 1",
         "FEN: castling right 'K' without its king and rook on their squares"},
        {"4k3/8/8/8/4P3/8/8/4K3 b - d3 0 1", "FEN: no pawn has just made a double step past d3"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_EQ(readFen(c.fen, error).has_value(), c.reason == nullptr) << c.fen;
        EXPECT_EQ(error, c.reason ? c.reason : "") << c.fen;
    }
}

// Damaged texts never crash the reader, and whatever it accepts is a position the rules can play.
TEST(Fen, DamagedTextsAreReadSafely) {
    const std::string seeds[] = {std::string(kStartFen),
                                 "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
                                 "4k3/8/8/8/3pP3/8/8/4K3 b - e3 0 1"};
    const std::string alphabet = "pnbrqkPNBRQK12345678/ wb-KQkqabcdefgh0\t\n\xff";
    std::mt19937 rng(5);
    for (int i = 0; i < 3000; ++i) {
        std::string text = seeds[i % 3];
        const int edits = std::uniform_int_distribution<int>(1, 4)(rng);
        for (int e = 0; e < edits && !text.empty(); ++e) {
            const std::size_t at = std::uniform_int_distribution<std::size_t>(0, text.size() - 1)(rng);
            const char ch = alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(rng)];
            switch (rng() % 3) {
                case 0:
                    text[at] = ch;
                    break;
                case 1:
                    text.insert(text.begin() + static_cast<std::ptrdiff_t>(at), ch);
                    break;
                default:
                    text.erase(at, 1);
            }
        }
        std::string error;
        const auto position = readFen(text, error);
        if (position) {
            EXPECT_EQ(legalMoves(position->board, position->toMove).size(),
                      perft(position->board, position->toMove, 1))
                << text;
            perft(position->board, position->toMove, 2);
        } else {
            EXPECT_FALSE(error.empty()) << text;
        }
    }
}

}  // namespace
}  // namespace zarvik
