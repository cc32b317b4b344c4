#pragma once
// A fixed set of positions searched to a fixed depth with a fresh table: its node count changes only
// when the search changes, and its speed is the engine's nodes per second.
#include <cstdint>
#include <string_view>
#include <vector>

#include "search/timeman.h"

namespace zarvik::search {

const std::vector<std::string_view>& benchPositions();

struct BenchResult {
    std::uint64_t nodes = 0;
    Milliseconds time{0};
};

BenchResult runBench(int depth);

}  // namespace zarvik::search
