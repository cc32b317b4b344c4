#pragma once
// Attack sets by square. Leaper tables are filled once; sliding attacks use multiply-and-shift
// lookups whose multipliers are found by a seeded trial search on first use (some 40 ms),
// so no foreign numbers are carried in the source.
#include <bit>

#include "search/types.h"

namespace zarvik::search {

// Fills every table; called by the first Position made, safe to call again from any thread.
void initAttacks();

Bitboard pawnAttacks(int side, int square);
Bitboard knightAttacks(int square);
Bitboard kingAttacks(int square);
Bitboard bishopAttacks(int square, Bitboard occupied);
Bitboard rookAttacks(int square, Bitboard occupied);
inline Bitboard queenAttacks(int square, Bitboard occupied) {
    return bishopAttacks(square, occupied) | rookAttacks(square, occupied);
}
// The squares strictly between two squares on one line (empty when not aligned).
Bitboard between(int a, int b);
// The whole line through two aligned squares (empty when not aligned).
Bitboard lineThrough(int a, int b);

inline constexpr Bitboard kFileA = 0x0101010101010101ULL;
inline constexpr Bitboard kRank1 = 0xFFULL;
constexpr Bitboard fileMask(int file) {
    return kFileA << file;
}
constexpr Bitboard rankMask(int rank) {
    return kRank1 << (8 * rank);
}

inline int popLowest(Bitboard& b) {
    const int s = std::countr_zero(b);
    b &= b - 1;
    return s;
}
inline int count(Bitboard b) {
    return std::popcount(b);
}

}  // namespace zarvik::search
