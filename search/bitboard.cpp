#include "search/bitboard.h"

#include <array>
#include <mutex>
#include <vector>

namespace zarvik::search {

namespace tables {
std::array<std::array<Bitboard, 64>, 2> pawn{};
std::array<Bitboard, 64> knight{};
std::array<Bitboard, 64> king{};
std::array<Slider, 64> bishop{};
std::array<Slider, 64> rook{};
std::array<std::array<Bitboard, 64>, 64> between{};
std::array<std::array<Bitboard, 64>, 64> line{};
}  // namespace tables

namespace {

using tables::Slider;

std::vector<Bitboard> slideStore;
std::once_flag filled;

constexpr int kRookSteps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
constexpr int kBishopSteps[4][2] = {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}};

bool onBoard(int file, int rank) {
    return file >= 0 && file < 8 && rank >= 0 && rank < 8;
}

Bitboard walk(int square, Bitboard occupied, const int (&steps)[4][2]) {
    Bitboard result = 0;
    for (const auto& step : steps) {
        int f = fileOf(square) + step[0];
        int r = rankOf(square) + step[1];
        while (onBoard(f, r)) {
            result |= bit(f + 8 * r);
            if ((occupied & bit(f + 8 * r)) != 0) {
                break;
            }
            f += step[0];
            r += step[1];
        }
    }
    return result;
}

// The squares whose occupancy matters: the rays without their last square.
Bitboard relevant(int square, const int (&steps)[4][2]) {
    Bitboard result = 0;
    for (const auto& step : steps) {
        int f = fileOf(square) + step[0];
        int r = rankOf(square) + step[1];
        while (onBoard(f + step[0], r + step[1])) {
            result |= bit(f + 8 * r);
            f += step[0];
            r += step[1];
        }
    }
    return result;
}

Bitboard leaper(int square, const std::array<std::array<int, 2>, 8>& steps, int n) {
    Bitboard result = 0;
    for (int i = 0; i < n; ++i) {
        const int f = fileOf(square) + steps[i][0];
        const int r = rankOf(square) + steps[i][1];
        if (onBoard(f, r)) {
            result |= bit(f + 8 * r);
        }
    }
    return result;
}

// Sparse random numbers make good multipliers; a fixed seed keeps start-up repeatable.
struct Random {
    std::uint64_t state = 0x2545F4914F6CDD1DULL;
    std::uint64_t next() {
        state += 0x9E3779B97F4A7C15ULL;
        std::uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    std::uint64_t sparse() { return next() & next() & next(); }
};

// Finds a multiplier for one square and fills its slice of the store (which must hold 2 << bits: one
// index bit more than the occupancies need makes a fitting multiplier quick to find).
void fitSlider(Slider& slider, int square, const int (&steps)[4][2], Bitboard* store, Random& random) {
    slider.mask = relevant(square, steps);
    const int bits = count(slider.mask);
    slider.shift = 64 - bits - 1;
    const std::size_t size = std::size_t{1} << bits;
    std::vector<Bitboard> occupancies(size);
    std::vector<Bitboard> attacks(size);
    Bitboard subset = 0;
    for (std::size_t i = 0; i < size; ++i) {
        occupancies[i] = subset;
        attacks[i] = walk(square, subset, steps);
        subset = (subset - slider.mask) & slider.mask;
    }
    std::vector<int> stamp(size * 2, 0);
    for (int attempt = 1;; ++attempt) {
        const Bitboard candidate = random.sparse();
        if (count((slider.mask * candidate) >> 56) < 6) {
            continue;
        }
        bool fits = true;
        for (std::size_t i = 0; i < size && fits; ++i) {
            const std::size_t index = (occupancies[i] * candidate) >> slider.shift;
            if (stamp[index] != attempt) {
                stamp[index] = attempt;
                store[index] = attacks[i];
            } else if (store[index] != attacks[i]) {
                fits = false;
            }
        }
        if (fits) {
            slider.multiplier = candidate;
            slider.table = store;
            return;
        }
    }
}

void fill() {
    static constexpr std::array<std::array<int, 2>, 8> kKnight{
        {{1, 2}, {2, 1}, {2, -1}, {1, -2}, {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}}};
    static constexpr std::array<std::array<int, 2>, 8> kKing{
        {{1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}}};
    static constexpr std::array<std::array<int, 2>, 8> kWhitePawn{{{-1, 1}, {1, 1}}};
    static constexpr std::array<std::array<int, 2>, 8> kBlackPawn{{{-1, -1}, {1, -1}}};
    std::size_t total = 0;
    for (int s = 0; s < 64; ++s) {
        tables::knight[s] = leaper(s, kKnight, 8);
        tables::king[s] = leaper(s, kKing, 8);
        tables::pawn[kWhite][s] = leaper(s, kWhitePawn, 2);
        tables::pawn[kBlack][s] = leaper(s, kBlackPawn, 2);
        total += std::size_t{2} << count(relevant(s, kBishopSteps));
        total += std::size_t{2} << count(relevant(s, kRookSteps));
    }
    slideStore.assign(total, 0);
    Random random;
    Bitboard* store = slideStore.data();
    for (int s = 0; s < 64; ++s) {
        fitSlider(tables::bishop[s], s, kBishopSteps, store, random);
        store += std::size_t{2} << count(tables::bishop[s].mask);
        fitSlider(tables::rook[s], s, kRookSteps, store, random);
        store += std::size_t{2} << count(tables::rook[s].mask);
    }
    for (int a = 0; a < 64; ++a) {
        for (int b = 0; b < 64; ++b) {
            if (a == b) {
                continue;
            }
            for (const auto* steps : {&kRookSteps, &kBishopSteps}) {
                if ((walk(a, 0, *steps) & bit(b)) != 0) {
                    tables::between[a][b] = walk(a, bit(b), *steps) & walk(b, bit(a), *steps);
                    tables::line[a][b] = (walk(a, 0, *steps) & walk(b, 0, *steps)) | bit(a) | bit(b);
                }
            }
        }
    }
}

}  // namespace

void initAttacks() {
    std::call_once(filled, fill);
}

}  // namespace zarvik::search
