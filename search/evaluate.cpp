#include "search/evaluate.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace zarvik::search {
namespace {

// A middlegame and an endgame value, blended by phase.
struct Pair {
    int mg = 0;
    int eg = 0;
    constexpr Pair& operator+=(Pair o) {
        mg += o.mg;
        eg += o.eg;
        return *this;
    }
    constexpr Pair& operator-=(Pair o) {
        mg -= o.mg;
        eg -= o.eg;
        return *this;
    }
    constexpr Pair operator*(int n) const { return {mg * n, eg * n}; }
};

constexpr std::array<Pair, 6> kMaterial{{{90, 115}, {330, 305}, {345, 325}, {470, 535}, {985, 1010}, {0, 0}}};
constexpr std::array<int, 6> kPhaseWeight{0, 1, 1, 2, 4, 0};
constexpr int kFullPhase = 24;

// Distance from the centre in half-files plus half-ranks: 1 on d4/e4/d5/e5, 7 in the corners.
constexpr int centreDistance(int sq) {
    const int f = fileOf(sq) * 2 - 7;
    const int r = rankOf(sq) * 2 - 7;
    return ((f < 0 ? -f : f) + (r < 0 ? -r : r)) / 2;
}

// Piece-square values for White, built from a few shapes: centralisation, advance, the castled king.
constexpr Pair placement(int kind, int sq) {
    const int cd = centreDistance(sq);
    const int rank = rankOf(sq);
    const int file = fileOf(sq);
    const bool centreFile = file == 3 || file == 4;
    switch (kind) {
        case kPawn:
            return {rank * 4 + (centreFile && (rank == 3 || rank == 4) ? 14 : 0) -
                        (centreFile && rank == 1 ? 6 : 0),
                    rank * 7};
        case kKnight:
            return {24 - 7 * cd, 16 - 5 * cd};
        case kBishop:
            return {10 - 3 * cd + (rank == 0 ? -6 : 0), 8 - 3 * cd};
        case kRook:
            return {(rank == 6 ? 16 : 0) + (centreFile ? 5 : 0), rank == 6 ? 10 : 0};
        case kQueen:
            return {4 - 2 * cd + (rank == 0 ? -2 : 0), 12 - 4 * cd};
        case kKing: {
            constexpr std::array<int, 8> backRank{8, 26, 12, -6, -6, 8, 28, 10};
            const int mg = rank == 0 ? backRank[file] : rank == 1 ? -14 : -34 - 10 * rank;
            return {mg, 30 - 9 * cd};
        }
        default:
            return {};
    }
}

constexpr std::array<std::array<Pair, 64>, 6> kPlacement = [] {
    std::array<std::array<Pair, 64>, 6> table{};
    for (int kind = 0; kind < 6; ++kind) {
        for (int sq = 0; sq < 64; ++sq) {
            table[kind][sq] = placement(kind, sq);
            table[kind][sq] += kMaterial[kind];
        }
    }
    return table;
}();

// Per square reached, and the middle of the range subtracted so that an average piece scores zero.
constexpr std::array<Pair, 6> kMobility{{{0, 0}, {4, 4}, {5, 5}, {2, 4}, {1, 2}, {0, 0}}};
constexpr std::array<int, 6> kMobilityCentre{0, 4, 6, 7, 13, 0};

constexpr std::array<Pair, 8> kPassed{
    {{0, 0}, {2, 8}, {5, 12}, {12, 24}, {24, 44}, {42, 74}, {70, 118}, {0, 0}}};
constexpr Pair kIsolated{-10, -14};
constexpr Pair kDoubled{-10, -22};
constexpr Pair kBishopPair{28, 52};
constexpr Pair kRookOpen{26, 10};
constexpr Pair kRookHalfOpen{12, 6};
constexpr Pair kShieldPawn{11, 0};
constexpr int kTempo = 10;

// Pressure on the king's surroundings, counted in units and punished more than linearly.
constexpr std::array<int, 6> kAttackUnits{0, 2, 2, 3, 5, 0};

constexpr Bitboard forwardSpan(int side, int sq) {
    const int rank = rankOf(sq);
    Bitboard files = fileMask(fileOf(sq));
    if (fileOf(sq) > 0) {
        files |= fileMask(fileOf(sq) - 1);
    }
    if (fileOf(sq) < 7) {
        files |= fileMask(fileOf(sq) + 1);
    }
    const Bitboard ahead = side == kWhite ? (rank == 7 ? 0 : ~Bitboard{0} << (8 * (rank + 1)))
                                          : (rank == 0 ? 0 : ~Bitboard{0} >> (8 * (8 - rank)));
    return files & ahead;
}

Bitboard adjacentFiles(int file) {
    return (file > 0 ? fileMask(file - 1) : 0) | (file < 7 ? fileMask(file + 1) : 0);
}

Bitboard pawnAttackSet(int side, Bitboard pawns) {
    if (side == kWhite) {
        return ((pawns & ~fileMask(0)) << 7) | ((pawns & ~fileMask(7)) << 9);
    }
    return ((pawns & ~fileMask(0)) >> 9) | ((pawns & ~fileMask(7)) >> 7);
}

Pair pawnStructure(const Position& pos, int side) {
    Pair score;
    const Bitboard own = pos.pieces(side, kPawn);
    const Bitboard theirs = pos.pieces(side ^ 1, kPawn);
    Bitboard pawns = own;
    while (pawns != 0) {
        const int sq = popLowest(pawns);
        const int file = fileOf(sq);
        if ((own & adjacentFiles(file)) == 0) {
            score += kIsolated;
        }
        if ((forwardSpan(side, sq) & fileMask(file) & own) != 0) {
            score += kDoubled;
        }
        if ((forwardSpan(side, sq) & theirs) == 0) {
            const int relative = side == kWhite ? rankOf(sq) : 7 - rankOf(sq);
            score += kPassed[relative];
        }
    }
    return score;
}

// The pawn structure of both sides for White, remembered by the pawns' squares: pawns move seldom,
// so most evaluations find their structure already scored.
Pair pawnBalance(const Position& pos) {
    struct Entry {
        Bitboard white = 0;
        Bitboard black = ~Bitboard{0};  // no position has every square held by black pawns
        Pair score;
    };
    thread_local std::array<Entry, 4096> cache{};
    const Bitboard white = pos.pieces(kWhite, kPawn);
    const Bitboard black = pos.pieces(kBlack, kPawn);
    Entry& entry = cache[((white * 0x9E3779B97F4A7C15ULL) ^ (black * 0xC2B2AE3D27D4EB4FULL)) >> 52];
    if (entry.white != white || entry.black != black) {
        entry.white = white;
        entry.black = black;
        entry.score = pawnStructure(pos, kWhite);
        entry.score -= pawnStructure(pos, kBlack);
    }
    return entry.score;
}

Pair piecesOf(const Position& pos, int side, int& attackUnits, int& attackers) {
    Pair score;
    const int them = side ^ 1;
    const Bitboard occ = pos.occupied();
    const Bitboard avoid = pos.pieces(side) | pawnAttackSet(them, pos.pieces(them, kPawn));
    const int enemyKing = pos.kingSquare(them);
    const Bitboard kingZone = enemyKing == kNoSquare ? 0 : kingAttacks(enemyKing) | bit(enemyKing);
    const Bitboard ownPawns = pos.pieces(side, kPawn);
    const Bitboard theirPawns = pos.pieces(them, kPawn);
    for (int kind = kKnight; kind <= kQueen; ++kind) {
        Bitboard pieces = pos.pieces(side, kind);
        while (pieces != 0) {
            const int sq = popLowest(pieces);
            const Bitboard reach = kind == kKnight   ? knightAttacks(sq)
                                   : kind == kBishop ? bishopAttacks(sq, occ)
                                   : kind == kRook   ? rookAttacks(sq, occ)
                                                     : queenAttacks(sq, occ);
            score += kMobility[kind] * (count(reach & ~avoid) - kMobilityCentre[kind]);
            if ((reach & kingZone) != 0) {
                attackUnits += kAttackUnits[kind] * count(reach & kingZone);
                ++attackers;
            }
            if (kind == kRook) {
                const Bitboard file = fileMask(fileOf(sq));
                if ((file & ownPawns) == 0) {
                    score += (file & theirPawns) == 0 ? kRookOpen : kRookHalfOpen;
                }
            }
        }
    }
    if (count(pos.pieces(side, kBishop)) >= 2) {
        score += kBishopPair;
    }
    return score;
}

Pair kingShelter(const Position& pos, int side) {
    const int king = pos.kingSquare(side);
    if (king == kNoSquare) {
        return {};
    }
    const int rank = rankOf(king);
    const Bitboard near = side == kWhite ? rankMask(std::min(rank + 1, 7)) | rankMask(std::min(rank + 2, 7))
                                         : rankMask(std::max(rank - 1, 0)) | rankMask(std::max(rank - 2, 0));
    const Bitboard shieldFiles = fileMask(fileOf(king)) | adjacentFiles(fileOf(king));
    return kShieldPawn * count(pos.pieces(side, kPawn) & shieldFiles & near);
}

// A lone attacker seldom breaks through; from two on the danger grows with the square of the units.
int dangerOf(int units, int attackers) {
    return attackers < 2 ? 0 : std::min(units * units / 4, 400);
}

}  // namespace

int pieceValue(int kind) {
    return kMaterial[kind].mg;
}

int evaluate(const Position& pos) {
    Pair score;
    int phase = 0;
    for (int kind = kPawn; kind <= kKing; ++kind) {
        Bitboard white = pos.pieces(kWhite, kind);
        Bitboard black = pos.pieces(kBlack, kind);
        phase += kPhaseWeight[kind] * count(white | black);
        while (white != 0) {
            score += kPlacement[kind][popLowest(white)];
        }
        while (black != 0) {
            score -= kPlacement[kind][popLowest(black) ^ 56];
        }
    }
    std::array<int, 2> units{0, 0};
    std::array<int, 2> attackers{0, 0};
    score += pawnBalance(pos);
    score += piecesOf(pos, kWhite, units[kWhite], attackers[kWhite]);
    score -= piecesOf(pos, kBlack, units[kBlack], attackers[kBlack]);
    score += kingShelter(pos, kWhite);
    score -= kingShelter(pos, kBlack);
    // An attack without the queen seldom breaks through.
    const int whiteDanger =
        dangerOf(units[kWhite], attackers[kWhite]) / (pos.pieces(kWhite, kQueen) != 0 ? 1 : 3);
    const int blackDanger =
        dangerOf(units[kBlack], attackers[kBlack]) / (pos.pieces(kBlack, kQueen) != 0 ? 1 : 3);
    score.mg += whiteDanger - blackDanger;

    phase = std::min(phase, kFullPhase);
    int blended = (score.mg * phase + score.eg * (kFullPhase - phase)) / kFullPhase;
    if (pos.sideToMove() == kBlack) {
        blended = -blended;
    }
    return blended + kTempo;
}

}  // namespace zarvik::search
