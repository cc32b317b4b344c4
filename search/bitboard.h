#pragma once
// Attack sets by square. Leaper tables are filled once; sliding attacks use multiply-and-shift
// lookups whose multipliers are found by a seeded trial search on first use (some 40 ms),
// so no foreign numbers are carried in the source.
#include <array>
#include <bit>

#include "search/types.h"

namespace zarvik::search {

// Fills every table; called by the first Position made, safe to call again from any thread.
void initAttacks();

// The tables behind the lookups below, inline because the search asks them millions of times a second.
namespace tables {
struct Slider {
    Bitboard mask = 0;
    Bitboard multiplier = 0;
    int shift = 0;
    const Bitboard* table = nullptr;
};
extern std::array<std::array<Bitboard, 64>, 2> pawn;
extern std::array<Bitboard, 64> knight;
extern std::array<Bitboard, 64> king;
extern std::array<Slider, 64> bishop;
extern std::array<Slider, 64> rook;
extern std::array<std::array<Bitboard, 64>, 64> between;
extern std::array<std::array<Bitboard, 64>, 64> line;

inline Bitboard lookup(const Slider& slider, Bitboard occupied) {
    return slider.table[((occupied & slider.mask) * slider.multiplier) >> slider.shift];
}
}  // namespace tables

inline Bitboard pawnAttacks(int side, int square) {
    return tables::pawn[side][square];
}
inline Bitboard knightAttacks(int square) {
    return tables::knight[square];
}
inline Bitboard kingAttacks(int square) {
    return tables::king[square];
}
inline Bitboard bishopAttacks(int square, Bitboard occupied) {
    return tables::lookup(tables::bishop[square], occupied);
}
inline Bitboard rookAttacks(int square, Bitboard occupied) {
    return tables::lookup(tables::rook[square], occupied);
}
inline Bitboard queenAttacks(int square, Bitboard occupied) {
    return bishopAttacks(square, occupied) | rookAttacks(square, occupied);
}
// The squares strictly between two squares on one line (empty when not aligned).
inline Bitboard between(int a, int b) {
    return tables::between[a][b];
}
// The whole line through two aligned squares (empty when not aligned).
inline Bitboard lineThrough(int a, int b) {
    return tables::line[a][b];
}

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
// Bit counting in plain arithmetic: without a processor flag std::popcount becomes a library call.
inline int count(Bitboard b) {
    b = b - ((b >> 1) & 0x5555555555555555ULL);
    b = (b & 0x3333333333333333ULL) + ((b >> 2) & 0x3333333333333333ULL);
    b = (b + (b >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<int>((b * 0x0101010101010101ULL) >> 56);
}

}  // namespace zarvik::search
