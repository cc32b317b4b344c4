#pragma once
// The transposition table: what earlier searches learned about a position (best move, score and
// its bound, depth), found by Zobrist key. Its size is settable; one searching thread uses it.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "search/types.h"

namespace zarvik::search {

enum class Bound : std::uint8_t { none, upper, lower, exact };

struct TableEntry {
    Move move;
    int score = 0;
    int depth = 0;
    Bound bound = Bound::none;
};

class TranspositionTable {
  public:
    explicit TranspositionTable(std::size_t megabytes = 16);

    // Reallocates (and clears) to at most `megabytes`, at least 1.
    void resize(std::size_t megabytes);
    void clear();
    // A new search: older entries give way first.
    void age() { ++generation_; }

    // Mate scores are stored relative to the node and brought back relative to the root with `ply`.
    bool probe(std::uint64_t key, int ply, TableEntry& entry) const;
    // Starts loading the slot of `key` into the cache, so that a probe soon after finds it there.
    void prefetch(std::uint64_t key) const { __builtin_prefetch(&slots_[key & mask_]); }
    void store(std::uint64_t key, int ply, Move move, int score, int depth, Bound bound);

    // Per mille of a sample of slots filled in the current search.
    int hashfull() const;

  private:
    struct Slot {
        std::uint32_t check = 0;
        std::uint16_t move = 0;
        std::int16_t score = 0;
        std::uint8_t depth = 0;
        std::uint8_t bound = 0;
        std::uint8_t generation = 0;
        std::uint8_t spare = 0;
    };

    std::vector<Slot> slots_;
    std::uint64_t mask_ = 0;
    std::uint8_t generation_ = 0;
};

}  // namespace zarvik::search
