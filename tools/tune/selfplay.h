#pragma once
// Games of the search against itself at a fixed node budget from varied openings, written as quiet
// positions with the game's result: the tuner's data.
#include <cstdint>
#include <ostream>

namespace zarvik::tune {

struct SelfPlayOptions {
    int games = 100;
    std::uint64_t nodes = 3000;  // per move
    std::uint64_t seed = 1;
};

// Writes one line per kept position, "FEN;R" with R the result for White (1, 0.5 or 0); progress on
// `log`. Returns the number of positions written.
std::uint64_t playGames(const SelfPlayOptions& options, std::ostream& out, std::ostream& log);

}  // namespace zarvik::tune
