#include "frontend/typedmove.h"

#include <gtest/gtest.h>

#include "frontend/refusal.h"
#include "rules/fen.h"

namespace zarvik::frontend {
namespace {

using Kind = TypedMove::Kind;

FenPosition at(const char* fen) {
    std::string error;
    const std::optional<FenPosition> position = readFen(fen, error);
    EXPECT_TRUE(position) << fen << ": " << error;
    return position.value_or(FenPosition{});
}

constexpr const char* kStart = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
// White: knights b1 and f3 (both reach d2), bishop c1, pawns b2 and e4; black pawn d5, knight c3.
constexpr const char* kTwoKnights = "4k3/8/8/3p4/4P3/2n2N2/1P6/1NB1K3 w - - 0 1";
// The b2 pawn and the bishop on a5 both take on c3.
constexpr const char* kBishopOrPawn = "4k3/8/8/B7/8/2n5/1P6/4K3 w - - 0 1";
// A white pawn on e7 with a rook to take on d8; the king can castle short.
constexpr const char* kPromotion = "k2r4/4P3/8/8/8/8/8/4K2R w K - 0 1";
// Black queen d4 with the knights b5 and f5 of White both able to take it.
constexpr const char* kQueenOrFile = "4k3/8/8/1N3N2/3q4/8/8/4K3 w - - 0 1";

TEST(TypedMove, InputsAndTheMoveTheyMake) {
    struct Case {
        const char* fen;
        const char* input;
        Kind kind;
        int from = -1;
        int to = -1;
        char promotion = 0;
    };
    const Case cases[] = {
        {kStart, "E2-E4", Kind::move, 12, 28},
        {kStart, "e2-e4", Kind::move, 12, 28},
        {kStart, "e2e4", Kind::move, 12, 28},
        {kStart, "E2E4", Kind::move, 12, 28},
        {kStart, "e4", Kind::move, 12, 28},
        {kStart, "Sf3", Kind::move, 6, 21},
        {kStart, "Nf3", Kind::move, 6, 21},
        {kStart, "sf3", Kind::move, 6, 21},  // only the knight fits
        {kStart, "NF3", Kind::move, 6, 21},
        {kStart, "Ng1-f3", Kind::move, 6, 21},
        {kStart, "g1f3", Kind::move, 6, 21},
        {kStart, "D2-D4", Kind::move, 11, 27},  // coordinates come first: d-file, not the queen
        {kTwoKnights, "exd5", Kind::move, 28, 35},
        {kTwoKnights, "EXD5", Kind::move, 28, 35},
        {kTwoKnights, "Sd2", Kind::ambiguous},
        {kTwoKnights, "Sbd2", Kind::move, 1, 11},
        {kTwoKnights, "Nfd2", Kind::move, 21, 11},
        {kTwoKnights, "Lxc3", Kind::illegal},  // the c1 bishop does not reach c3
        {kTwoKnights, "bxc3", Kind::move, 9, 18},
        {kTwoKnights, "Bxc3", Kind::move, 9, 18},  // no bishop can: the pawn (a German "B"auer)
        {kBishopOrPawn, "bxc3", Kind::move, 9, 18},
        {kBishopOrPawn, "Bxc3", Kind::move, 32, 18},
        {kBishopOrPawn, "BXC3", Kind::ambiguous},
        {kQueenOrFile, "Sbxd4", Kind::move, 33, 27},
        {kQueenOrFile, "Dd4", Kind::illegal},
        {kPromotion, "e8D", Kind::move, 52, 60, 'D'},
        {kPromotion, "e8=D", Kind::move, 52, 60, 'D'},
        {kPromotion, "e8=Q", Kind::move, 52, 60, 'D'},
        {kPromotion, "e8=N+", Kind::move, 52, 60, 'S'},
        {kPromotion, "e8s", Kind::move, 52, 60, 'S'},
        {kPromotion, "exd8T", Kind::move, 52, 59, 'T'},
        {kPromotion, "E7-E8/L", Kind::move, 52, 60, 'L'},
        {kPromotion, "E7-E8", Kind::move, 52, 60},  // no letter: the question asks
        {kPromotion, "e8", Kind::move, 52, 60},
        {kPromotion, "O-O", Kind::castle},
        {kPromotion, "0-0", Kind::castle},
        {kPromotion, "o-o", Kind::castle},
        {kPromotion, "E1-G1", Kind::castle},
        {kPromotion, "O-O-O", Kind::castle},  // castling is tested when it is made
        {kStart, "", Kind::giveUp},
        {kStart, "E2/E4", Kind::missingSeparator},
        {kStart, "E2-E", Kind::badCoordinates},
        {kStart, "I2-I4", Kind::badCoordinates},
        {kStart, "E0-E2", Kind::badCoordinates},
        {kStart, "E2-", Kind::badCoordinates},
        {kStart, "\xC3\2442-E4", Kind::badCoordinates},  // an umlaut is one character
        {kStart, "\xFF\xFE-E4", Kind::badCoordinates},   // bytes that are no UTF-8
        {kStart, "E2-E5", Kind::move, 12, 36},           // refused later, with its reason
        {kStart, "Sf4", Kind::illegal},
        {kStart, "hallo", Kind::unreadable},
        {kStart, "Ze4", Kind::unreadable},
    };
    for (const Case& c : cases) {
        const FenPosition position = at(c.fen);
        const TypedMove move = parseTypedMove(c.input, position.board, position.toMove);
        EXPECT_EQ(move.kind, c.kind) << c.input;
        if (c.kind == Kind::move && move.kind == Kind::move) {
            EXPECT_EQ(move.from.index, c.from) << c.input;
            EXPECT_EQ(move.to.index, c.to) << c.input;
            EXPECT_EQ(move.promotion.value_or(0), c.promotion) << c.input;
        }
    }
}

TEST(TypedMove, AmbiguityNamesTheCandidates) {
    const FenPosition knights = at(kTwoKnights);
    const TypedMove move = parseTypedMove("Sd2", knights.board, knights.toMove);
    EXPECT_EQ(ambiguityText(knights.board, move.candidates), "Mehrdeutig: SB1-D2 oder SF3-D2");
    const FenPosition either = at(kBishopOrPawn);
    const TypedMove caseless = parseTypedMove("BXC3", either.board, either.toMove);
    EXPECT_EQ(ambiguityText(either.board, caseless.candidates), "Mehrdeutig: B2XC3 oder LA5XC3");
}

}  // namespace
}  // namespace zarvik::frontend
