#include "search/tt.h"

#include <algorithm>

namespace zarvik::search {
namespace {

int toStored(int score, int ply) {
    return score >= kMateBound ? score + ply : score <= -kMateBound ? score - ply : score;
}
int fromStored(int score, int ply) {
    return score >= kMateBound ? score - ply : score <= -kMateBound ? score + ply : score;
}

}  // namespace

TranspositionTable::TranspositionTable(std::size_t megabytes) {
    resize(megabytes);
}

void TranspositionTable::resize(std::size_t megabytes) {
    const std::size_t bytes = std::max<std::size_t>(megabytes, 1) << 20;
    std::size_t count = 1;
    while (count * 2 * sizeof(Slot) <= bytes) {
        count *= 2;
    }
    slots_.assign(count, Slot{});
    slots_.shrink_to_fit();
    mask_ = count - 1;
}

void TranspositionTable::clear() {
    std::fill(slots_.begin(), slots_.end(), Slot{});
}

bool TranspositionTable::probe(std::uint64_t key, int ply, TableEntry& entry) const {
    const Slot& slot = slots_[key & mask_];
    if (slot.bound == 0 || slot.check != static_cast<std::uint32_t>(key >> 32)) {
        return false;
    }
    entry.move = Move::fromBits(slot.move);
    entry.score = fromStored(slot.score, ply);
    entry.depth = slot.depth;
    entry.bound = static_cast<Bound>(slot.bound);
    return true;
}

void TranspositionTable::store(std::uint64_t key, int ply, Move move, int score, int depth, Bound bound) {
    Slot& slot = slots_[key & mask_];
    const auto check = static_cast<std::uint32_t>(key >> 32);
    const bool same = slot.check == check;
    // Deeper results of the current search stay; everything else gives way.
    if (same || slot.generation != generation_ || depth + 2 >= slot.depth || bound == Bound::exact) {
        if (!same || !move.isNull()) {
            slot.move = move.bits();
        }
        slot.check = check;
        slot.score = static_cast<std::int16_t>(toStored(score, ply));
        slot.depth = static_cast<std::uint8_t>(std::clamp(depth, 0, 255));
        slot.bound = static_cast<std::uint8_t>(bound);
        slot.generation = generation_;
    }
}

int TranspositionTable::hashfull() const {
    const std::size_t sample = std::min<std::size_t>(1000, slots_.size());
    std::size_t used = 0;
    for (std::size_t i = 0; i < sample; ++i) {
        used += slots_[i].bound != 0 && slots_[i].generation == generation_ ? 1 : 0;
    }
    return static_cast<int>(used * 1000 / sample);
}

}  // namespace zarvik::search
