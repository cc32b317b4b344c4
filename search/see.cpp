#include "search/see.h"

#include <algorithm>
#include <array>

#include "search/evaluate.h"

namespace zarvik::search {
namespace {

// A king "captured" ends any exchange, so it is worth more than all the rest together.
int exchangeValue(int kind) {
    return kind == kKing ? 20'000 : pieceValue(kind);
}

}  // namespace

int staticExchange(const Position& pos, Move move) {
    const int to = move.to();
    Bitboard occ = pos.occupied() ^ bit(move.from());
    std::array<int, 32> gain{};
    int onSquare = kindOf(pos.pieceOn(move.from()));
    if (move.flag() == kEnPassant) {
        occ ^= bit(to + (pos.sideToMove() == kWhite ? -8 : 8));
        gain[0] = exchangeValue(kPawn);
    } else if (move.isCapture()) {
        gain[0] = exchangeValue(kindOf(pos.pieceOn(to)));
    }
    if (move.isPromotion()) {
        onSquare = move.promotionKind();
        gain[0] += exchangeValue(onSquare) - exchangeValue(kPawn);
    }
    const Bitboard diagonal = pos.pieces(kWhite, kBishop) | pos.pieces(kBlack, kBishop) |
                              pos.pieces(kWhite, kQueen) | pos.pieces(kBlack, kQueen);
    const Bitboard straight = pos.pieces(kWhite, kRook) | pos.pieces(kBlack, kRook) |
                              pos.pieces(kWhite, kQueen) | pos.pieces(kBlack, kQueen);
    Bitboard attackers = pos.attackersOf(to, occ) & occ;
    int side = pos.sideToMove() ^ 1;
    int d = 0;
    while (d + 1 < static_cast<int>(gain.size())) {
        const Bitboard mine = attackers & pos.pieces(side);
        if (mine == 0) {
            break;
        }
        int kind = kPawn;
        while ((mine & pos.pieces(side, kind)) == 0) {
            ++kind;
        }
        // A king may not take a piece that is still defended.
        if (kind == kKing && (attackers & pos.pieces(side ^ 1)) != 0) {
            break;
        }
        ++d;
        gain[d] = exchangeValue(onSquare) - gain[d - 1];
        const Bitboard taker = mine & pos.pieces(side, kind);
        occ ^= taker & (~taker + 1);
        // Sliders behind the piece that took now see the square.
        attackers |= (bishopAttacks(to, occ) & diagonal) | (rookAttacks(to, occ) & straight);
        attackers &= occ;
        onSquare = kind;
        side ^= 1;
    }
    // Each side stops taking where going on would cost it.
    for (; d > 0; --d) {
        gain[d - 1] = std::min(gain[d - 1], -gain[d]);
    }
    return gain[0];
}

}  // namespace zarvik::search
