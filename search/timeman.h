#pragma once
// Time management: turns the limits of a `go` into the moment after which no new iteration starts
// and the moment at which the search stops, whatever it is doing.
#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "search/types.h"

namespace zarvik::search {

using Milliseconds = std::chrono::milliseconds;

struct Limits {
    std::optional<Milliseconds> movetime;
    std::optional<Milliseconds> time[2];  // remaining clock by side
    Milliseconds increment[2]{Milliseconds(0), Milliseconds(0)};
    std::optional<int> movesToGo;
    std::optional<int> depth;
    std::optional<std::uint64_t> nodes;
    std::optional<int> mate;  // in moves
    bool infinite = false;
    std::vector<Move> searchMoves;  // empty: every legal move
    Milliseconds overhead{10};      // lost to the channel between engine and clock per move
};

struct TimeBudget {
    std::optional<Milliseconds> optimum;  // no new iteration after this
    std::optional<Milliseconds> maximum;  // stop here
};

TimeBudget budgetFor(const Limits& limits, int side);

}  // namespace zarvik::search
