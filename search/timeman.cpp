#include "search/timeman.h"

#include <algorithm>

namespace zarvik::search {

TimeBudget budgetFor(const Limits& limits, int side) {
    TimeBudget budget;
    if (limits.infinite) {
        return budget;
    }
    const Milliseconds floor(1);
    if (limits.movetime) {
        const Milliseconds t = std::max(floor, *limits.movetime - limits.overhead);
        budget.optimum = t;
        budget.maximum = t;
    }
    if (limits.time[side]) {
        // Whatever happens, keep a reserve on the clock: the overhead for each of a few moves to come.
        const Milliseconds left = std::max(floor, *limits.time[side] - limits.overhead);
        const int movesToGo = std::clamp(limits.movesToGo.value_or(32), 1, 50);
        const Milliseconds increment = limits.increment[side];
        const Milliseconds share = left / (movesToGo + 2) + increment * 3 / 4;
        const Milliseconds cap = movesToGo == 1 ? left * 4 / 5 : left / 3;
        const Milliseconds maximum = std::max(floor, std::min(share * 4, cap));
        const Milliseconds optimum = std::max(floor, std::min(share, maximum));
        budget.optimum = budget.optimum ? std::min(*budget.optimum, optimum) : optimum;
        budget.maximum = budget.maximum ? std::min(*budget.maximum, maximum) : maximum;
    }
    return budget;
}

}  // namespace zarvik::search
