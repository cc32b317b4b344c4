#include "search/evaluate.h"

#include <algorithm>
#include <array>

#include "search/evaltrace.h"
#include "search/tunedweights.h"

namespace zarvik::search {
namespace {

constexpr std::array<int, 6> kPhaseWeight{0, 1, 1, 2, 4, 0};

// Material and placement summed ahead of time: the one table the search reads per piece.
constexpr std::array<std::array<Pair, 64>, 6> kPlacement = [] {
    std::array<std::array<Pair, 64>, 6> table{};
    for (int kind = 0; kind < 6; ++kind) {
        for (int sq = 0; sq < 64; ++sq) {
            table[kind][sq] = kEvalWeights[weight::kPlacement + kind * 64 + sq];
            table[kind][sq] += kEvalWeights[weight::kMaterial + kind];
        }
    }
    return table;
}();

constexpr std::array<int, 6> kMobilityAt{
    0, weight::kKnightMobility, weight::kBishopMobility, weight::kRookMobility, weight::kQueenMobility, 0};

// Pressure on the king's surroundings, counted in units and punished more than linearly.
constexpr std::array<int, 6> kAttackUnits{0, 2, 2, 3, 5, 0};

// Where the weights go: summed for the search, summed and counted for the tuner. `sign` is +1 while
// White's terms are added and -1 for Black's.
struct Sum {
    static constexpr bool kTracing = false;
    Pair score;
    int sign = 1;
    void add(int index, int n) { score += kEvalWeights[index] * (sign * n); }
};

struct Count : Sum {
    static constexpr bool kTracing = true;
    std::array<int, weight::kCount> counts{};
    void add(int index, int n) {
        Sum::add(index, n);
        counts[index] += sign * n;
    }
};

Bitboard adjacentFiles(int file) {
    return (file > 0 ? fileMask(file - 1) : 0) | (file < 7 ? fileMask(file + 1) : 0);
}

// The rank of `sq` counted from `side`'s own back rank.
int relativeRank(int side, int sq) {
    return side == kWhite ? rankOf(sq) : 7 - rankOf(sq);
}

// The ranks in front of `sq` as `side` moves.
Bitboard ranksAhead(int side, int sq) {
    const int rank = rankOf(sq);
    return side == kWhite ? (rank == 7 ? 0 : ~Bitboard{0} << (8 * (rank + 1)))
                          : (rank == 0 ? 0 : ~Bitboard{0} >> (8 * (8 - rank)));
}

Bitboard pawnAttackSet(int side, Bitboard pawns) {
    if (side == kWhite) {
        return ((pawns & ~fileMask(0)) << 7) | ((pawns & ~fileMask(7)) << 9);
    }
    return ((pawns & ~fileMask(0)) >> 9) | ((pawns & ~fileMask(7)) >> 7);
}

template <class Sink>
void pawnStructure(const Position& pos, int side, Sink& sink) {
    const int them = side ^ 1;
    const Bitboard own = pos.pieces(side, kPawn);
    const Bitboard theirs = pos.pieces(them, kPawn);
    const Bitboard guarded = pawnAttackSet(side, own);
    const Bitboard theirGuard = pawnAttackSet(them, theirs);
    Bitboard pawns = own;
    while (pawns != 0) {
        const int sq = popLowest(pawns);
        const int file = fileOf(sq);
        const Bitboard ahead = ranksAhead(side, sq);
        const Bitboard neighbours = own & adjacentFiles(file);
        if (neighbours == 0) {
            sink.add(weight::kIsolated, 1);
        } else if ((neighbours & ~ahead) == 0) {
            // No pawn beside or behind can ever guard it; it counts when its stop square is held.
            const int stop = side == kWhite ? sq + 8 : sq - 8;
            if ((theirGuard & bit(stop)) != 0) {
                sink.add(weight::kBackward, 1);
            }
        }
        if ((ahead & fileMask(file) & own) != 0) {
            sink.add(weight::kDoubled, 1);
        }
        if ((guarded & bit(sq)) != 0) {
            sink.add(weight::kSupported, 1);
        }
        if ((neighbours & rankMask(rankOf(sq))) != 0) {
            sink.add(weight::kPhalanx, 1);
        }
        if ((ahead & (fileMask(file) | adjacentFiles(file)) & theirs) == 0) {
            sink.add(weight::kPassed + relativeRank(side, sq), 1);
        }
    }
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
        Sum sum;
        pawnStructure(pos, kWhite, sum);
        sum.sign = -1;
        pawnStructure(pos, kBlack, sum);
        entry.white = white;
        entry.black = black;
        entry.score = sum.score;
    }
    return entry.score;
}

template <class Sink>
void piecesOf(const Position& pos, int side, Sink& sink, int& attackUnits, int& attackers) {
    const int them = side ^ 1;
    const Bitboard occ = pos.occupied();
    const Bitboard ownPawns = pos.pieces(side, kPawn);
    const Bitboard theirPawns = pos.pieces(them, kPawn);
    const Bitboard guarded = pawnAttackSet(side, ownPawns);
    const Bitboard avoid = pos.pieces(side) | pawnAttackSet(them, theirPawns);
    const int enemyKing = pos.kingSquare(them);
    const Bitboard kingZone = enemyKing == kNoSquare ? 0 : kingAttacks(enemyKing) | bit(enemyKing);
    for (int kind = kKnight; kind <= kQueen; ++kind) {
        Bitboard pieces = pos.pieces(side, kind);
        while (pieces != 0) {
            const int sq = popLowest(pieces);
            const Bitboard reach = kind == kKnight   ? knightAttacks(sq)
                                   : kind == kBishop ? bishopAttacks(sq, occ)
                                   : kind == kRook   ? rookAttacks(sq, occ)
                                                     : queenAttacks(sq, occ);
            sink.add(kMobilityAt[kind] + count(reach & ~avoid), 1);
            if ((reach & kingZone) != 0) {
                attackUnits += kAttackUnits[kind] * count(reach & kingZone);
                ++attackers;
            }
            if (kind == kKnight && (guarded & bit(sq)) != 0) {
                const int relative = relativeRank(side, sq);
                if (relative >= 3 && relative <= 5 &&
                    (ranksAhead(side, sq) & adjacentFiles(fileOf(sq)) & theirPawns) == 0) {
                    sink.add(weight::kOutpost, 1);
                }
            }
            if (kind == kRook) {
                const Bitboard file = fileMask(fileOf(sq));
                if ((file & ownPawns) == 0) {
                    sink.add((file & theirPawns) == 0 ? weight::kRookOpen : weight::kRookHalfOpen, 1);
                }
            }
        }
    }
    if (count(pos.pieces(side, kBishop)) >= 2) {
        sink.add(weight::kBishopPair, 1);
    }
    const Bitboard targets = pos.pieces(them) & ~theirPawns & ~pos.pieces(them, kKing);
    sink.add(weight::kPawnThreat, count(guarded & targets));
}

template <class Sink>
void kingShelter(const Position& pos, int side, Sink& sink) {
    const int king = pos.kingSquare(side);
    if (king == kNoSquare) {
        return;
    }
    const int rank = rankOf(king);
    const Bitboard near = side == kWhite ? rankMask(std::min(rank + 1, 7)) | rankMask(std::min(rank + 2, 7))
                                         : rankMask(std::max(rank - 1, 0)) | rankMask(std::max(rank - 2, 0));
    const Bitboard shieldFiles = fileMask(fileOf(king)) | adjacentFiles(fileOf(king));
    const Bitboard ownPawns = pos.pieces(side, kPawn);
    sink.add(weight::kShieldPawn, count(ownPawns & shieldFiles & near));
    int openFiles = 0;
    for (int file = std::max(fileOf(king) - 1, 0); file <= std::min(fileOf(king) + 1, 7); ++file) {
        openFiles += (ownPawns & fileMask(file)) == 0 ? 1 : 0;
    }
    sink.add(weight::kKingOpenFile, openFiles);
}

// A lone attacker seldom breaks through; from two on the danger grows with the square of the units.
// An attack without the queen seldom breaks through either.
int dangerOf(const Position& pos, int side, int units, int attackers) {
    const int danger = attackers < 2 ? 0 : std::min(units * units / 4, 400);
    return pos.pieces(side, kQueen) != 0 ? danger : danger / 3;
}

// Rough material in pawns, enough to tell which endings without pawns are seldom won.
int pieceUnits(const Position& pos, int side) {
    return 3 * count(pos.pieces(side, kKnight) | pos.pieces(side, kBishop)) +
           5 * count(pos.pieces(side, kRook)) + 9 * count(pos.pieces(side, kQueen));
}

// Of kFullScale: how much of its lead `strong` can turn into a win with the material on the board.
int winnableShare(const Position& pos, int strong) {
    const int weak = strong ^ 1;
    const Bitboard minors = pos.pieces(strong, kKnight) | pos.pieces(strong, kBishop);
    const bool heavy = (pos.pieces(strong, kRook) | pos.pieces(strong, kQueen)) != 0;
    if (pos.pieces(strong, kPawn) == 0) {
        if (!heavy && count(minors) <= 1) {
            return 0;  // a lone minor piece cannot mate
        }
        if (!heavy && minors == pos.pieces(strong, kKnight) && count(minors) == 2 &&
            pos.pieces(weak) == pos.pieces(weak, kKing)) {
            return 0;  // two knights cannot force mate
        }
        if (pieceUnits(pos, strong) - pieceUnits(pos, weak) <= 3) {
            return kFullScale / 4;  // at most a minor piece ahead and no pawn to promote
        }
        return kFullScale;
    }
    // Bishops on squares of opposite colours and nothing else beside the pawns: often drawn.
    constexpr Bitboard kLight = 0x55AA55AA55AA55AAULL;
    const Bitboard bishops = pos.pieces(kWhite, kBishop) | pos.pieces(kBlack, kBishop);
    const Bitboard others =
        pos.occupied() & ~bishops & ~pos.pieces(kWhite, kPawn) & ~pos.pieces(kBlack, kPawn);
    if (count(pos.pieces(kWhite, kBishop)) == 1 && count(pos.pieces(kBlack, kBishop)) == 1 &&
        count(others) == 2 && count(bishops & kLight) == 1) {
        return kFullScale / 2;
    }
    return kFullScale;
}

template <class Sink>
int evaluateWith(const Position& pos, Sink& sink, int& phase, int& danger, int& scale) {
    phase = 0;
    for (int kind = kPawn; kind <= kKing; ++kind) {
        Bitboard white = pos.pieces(kWhite, kind);
        Bitboard black = pos.pieces(kBlack, kind);
        phase += kPhaseWeight[kind] * count(white | black);
        if constexpr (Sink::kTracing) {
            for (int side = kWhite; side <= kBlack; ++side) {
                sink.sign = side == kWhite ? 1 : -1;
                Bitboard pieces = side == kWhite ? white : black;
                while (pieces != 0) {
                    const int sq = popLowest(pieces) ^ (side == kWhite ? 0 : 56);
                    sink.add(weight::kMaterial + kind, 1);
                    sink.add(weight::kPlacement + kind * 64 + sq, 1);
                }
            }
        } else {
            while (white != 0) {
                sink.score += kPlacement[kind][popLowest(white)];
            }
            while (black != 0) {
                sink.score -= kPlacement[kind][popLowest(black) ^ 56];
            }
        }
    }
    std::array<int, 2> units{0, 0};
    std::array<int, 2> attackers{0, 0};
    for (int side = kWhite; side <= kBlack; ++side) {
        sink.sign = side == kWhite ? 1 : -1;
        if constexpr (Sink::kTracing) {
            pawnStructure(pos, side, sink);
        }
        piecesOf(pos, side, sink, units[side], attackers[side]);
        kingShelter(pos, side, sink);
        sink.add(weight::kTempo, pos.sideToMove() == side ? 1 : 0);
    }
    sink.sign = 1;
    Pair score = sink.score;
    if constexpr (!Sink::kTracing) {
        score += pawnBalance(pos);
    }
    danger = dangerOf(pos, kWhite, units[kWhite], attackers[kWhite]) -
             dangerOf(pos, kBlack, units[kBlack], attackers[kBlack]);
    score.mg += danger;

    phase = std::min(phase, kFullPhase);
    const int blended = (score.mg * phase + score.eg * (kFullPhase - phase)) / kFullPhase;
    scale = winnableShare(pos, blended >= 0 ? kWhite : kBlack);
    const int white = blended * scale / kFullScale;
    return pos.sideToMove() == kWhite ? white : -white;
}

}  // namespace

int pieceValue(int kind) {
    return kEvalWeights[weight::kMaterial + kind].mg;
}

int evaluate(const Position& pos) {
    Sum sum;
    int phase = 0;
    int danger = 0;
    int scale = kFullScale;
    return evaluateWith(pos, sum, phase, danger, scale);
}

EvalTrace traceEvaluation(const Position& pos) {
    Count counter;
    EvalTrace trace;
    evaluateWith(pos, counter, trace.phase, trace.fixedMg, trace.scale);
    for (int i = 0; i < weight::kCount; ++i) {
        if (counter.counts[i] != 0) {
            trace.terms.push_back(
                {static_cast<std::int16_t>(i), static_cast<std::int16_t>(counter.counts[i])});
        }
    }
    return trace;
}

double tracedValue(const EvalTrace& trace, std::span<const double> mg, std::span<const double> eg) {
    double mgSum = trace.fixedMg;
    double egSum = 0;
    for (const EvalTrace::Term term : trace.terms) {
        mgSum += mg[term.weight] * term.count;
        egSum += eg[term.weight] * term.count;
    }
    const double blended = (mgSum * trace.phase + egSum * (kFullPhase - trace.phase)) / kFullPhase;
    return blended * trace.scale / kFullScale;
}

}  // namespace zarvik::search
