#include "search/movegen.h"

namespace zarvik::search {
namespace {

void addPromotions(int from, int to, bool capture, Stage stage, MoveList& moves) {
    const int base = kPromotion | (capture ? kCapture : 0);
    if (stage != Stage::quiets) {
        moves.push(Move(from, to, base + 3));
    }
    if (stage != Stage::captures) {
        for (int p = 0; p < 3; ++p) {
            moves.push(Move(from, to, base + p));
        }
    }
}

void pawnMoves(const Position& pos, Stage stage, Bitboard targets, MoveList& moves) {
    const int us = pos.sideToMove();
    const int them = us ^ 1;
    const Bitboard pawns = pos.pieces(us, kPawn);
    const Bitboard empty = ~pos.occupied();
    const Bitboard enemies = pos.pieces(them) & targets;
    const int up = us == kWhite ? 8 : -8;
    const Bitboard lastRank = rankMask(us == kWhite ? 7 : 0);
    const Bitboard thirdRank = rankMask(us == kWhite ? 2 : 5);
    const auto forward = [us](Bitboard b) { return us == kWhite ? b << 8 : b >> 8; };

    Bitboard single = forward(pawns) & empty;
    Bitboard doubled = forward(single & thirdRank) & empty & targets;
    single &= targets;
    Bitboard promoting = single & lastRank;
    while (promoting != 0) {
        const int to = popLowest(promoting);
        addPromotions(to - up, to, false, stage, moves);
    }
    if (stage != Stage::captures) {
        Bitboard plain = single & ~lastRank;
        while (plain != 0) {
            const int to = popLowest(plain);
            moves.push(Move(to - up, to, kQuiet));
        }
        while (doubled != 0) {
            const int to = popLowest(doubled);
            moves.push(Move(to - 2 * up, to, kDoublePush));
        }
    }
    Bitboard attackers = pawns;
    while (attackers != 0) {
        const int from = popLowest(attackers);
        Bitboard hits = pawnAttacks(us, from) & enemies;
        while (hits != 0) {
            const int to = popLowest(hits);
            if ((bit(to) & lastRank) != 0) {
                addPromotions(from, to, true, stage, moves);
            } else if (stage != Stage::quiets) {
                moves.push(Move(from, to, kCapture));
            }
        }
    }
    const int ep = pos.enPassant();
    if (ep != kNoSquare && stage != Stage::quiets) {
        // A check by the double-stepped pawn is answered by taking it, though its square is no target.
        const int taken = ep - up;
        if ((targets & (bit(ep) | bit(taken))) != 0) {
            Bitboard takers = pawnAttacks(them, ep) & pawns;
            while (takers != 0) {
                moves.push(Move(popLowest(takers), ep, kEnPassant));
            }
        }
    }
}

void pieceMoves(const Position& pos, Stage stage, Bitboard targets, MoveList& moves) {
    const int us = pos.sideToMove();
    const Bitboard occ = pos.occupied();
    const Bitboard enemies = pos.pieces(us ^ 1);
    for (int kind = kKnight; kind <= kQueen; ++kind) {
        Bitboard pieces = pos.pieces(us, kind);
        while (pieces != 0) {
            const int from = popLowest(pieces);
            Bitboard reach = kind == kKnight   ? knightAttacks(from)
                             : kind == kBishop ? bishopAttacks(from, occ)
                             : kind == kRook   ? rookAttacks(from, occ)
                                               : queenAttacks(from, occ);
            reach &= targets & ~pos.pieces(us);
            if (stage != Stage::quiets) {
                Bitboard captures = reach & enemies;
                while (captures != 0) {
                    moves.push(Move(from, popLowest(captures), kCapture));
                }
            }
            if (stage != Stage::captures) {
                Bitboard quiets = reach & ~occ;
                while (quiets != 0) {
                    moves.push(Move(from, popLowest(quiets), kQuiet));
                }
            }
        }
    }
}

void kingMoves(const Position& pos, Stage stage, MoveList& moves) {
    const int us = pos.sideToMove();
    const int king = pos.kingSquare(us);
    if (king == kNoSquare) {
        return;
    }
    const Bitboard reach = kingAttacks(king) & ~pos.pieces(us);
    if (stage != Stage::quiets) {
        Bitboard captures = reach & pos.pieces(us ^ 1);
        while (captures != 0) {
            moves.push(Move(king, popLowest(captures), kCapture));
        }
    }
    if (stage == Stage::captures) {
        return;
    }
    Bitboard quiets = reach & ~pos.occupied();
    while (quiets != 0) {
        moves.push(Move(king, popLowest(quiets), kQuiet));
    }
    if (pos.inCheck()) {
        return;
    }
    const int rank = us == kWhite ? 0 : 56;
    const int rights = pos.castling() >> (us == kWhite ? 0 : 2);
    const Bitboard occ = pos.occupied();
    if ((rights & 1) != 0 && (occ & (bit(rank + 5) | bit(rank + 6))) == 0 &&
        !pos.attacked(rank + 5, us ^ 1) && !pos.attacked(rank + 6, us ^ 1)) {
        moves.push(Move(king, rank + 6, kCastleShort));
    }
    if ((rights & 2) != 0 && (occ & (bit(rank + 1) | bit(rank + 2) | bit(rank + 3))) == 0 &&
        !pos.attacked(rank + 3, us ^ 1) && !pos.attacked(rank + 2, us ^ 1)) {
        moves.push(Move(king, rank + 2, kCastleLong));
    }
}

}  // namespace

void generate(const Position& pos, Stage stage, MoveList& moves) {
    Bitboard targets = ~Bitboard{0};
    const Bitboard checkers = pos.checkers();
    if (checkers != 0) {
        if (count(checkers) == 1) {
            const int checker = std::countr_zero(checkers);
            targets = checkers | between(pos.kingSquare(pos.sideToMove()), checker);
        } else {
            targets = 0;
        }
    }
    if (targets != 0) {
        pawnMoves(pos, stage, targets, moves);
        pieceMoves(pos, stage, targets, moves);
    }
    kingMoves(pos, stage, moves);
}

bool isLegal(const Position& pos, Move move) {
    const int us = pos.sideToMove();
    const int from = move.from();
    const int to = move.to();
    const int king = pos.kingSquare(us);
    if (king == kNoSquare) {
        return true;
    }
    if (from == king) {
        if (move.isCastle()) {
            return true;
        }
        const Bitboard occ = pos.occupied() ^ bit(from);
        return (pos.attackersOf(to, occ) & pos.pieces(us ^ 1) & ~bit(to)) == 0;
    }
    if (move.flag() == kEnPassant) {
        const int taken = to + (us == kWhite ? -8 : 8);
        const Bitboard occ = (pos.occupied() ^ bit(from) ^ bit(taken)) | bit(to);
        const int them = us ^ 1;
        return (bishopAttacks(king, occ) & (pos.pieces(them, kBishop) | pos.pieces(them, kQueen))) == 0 &&
               (rookAttacks(king, occ) & (pos.pieces(them, kRook) | pos.pieces(them, kQueen))) == 0;
    }
    return (pos.pinned() & bit(from)) == 0 || (lineThrough(king, from) & bit(to)) != 0;
}

void generateLegal(const Position& pos, MoveList& moves) {
    MoveList all;
    generate(pos, Stage::all, all);
    for (const Move m : all) {
        if (isLegal(pos, m)) {
            moves.push(m);
        }
    }
}

bool hasLegalMove(const Position& pos) {
    MoveList moves;
    generateLegal(pos, moves);
    return moves.size() > 0;
}

std::uint64_t perft(Position& pos, int depth) {
    MoveList moves;
    generateLegal(pos, moves);
    if (depth <= 1) {
        return depth == 1 ? static_cast<std::uint64_t>(moves.size()) : 1;
    }
    std::uint64_t nodes = 0;
    for (const Move m : moves) {
        pos.make(m);
        nodes += perft(pos, depth - 1);
        pos.unmake(m);
    }
    return nodes;
}

}  // namespace zarvik::search
