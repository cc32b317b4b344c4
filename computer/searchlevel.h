#pragma once
// The ladder of the searching player, "Stufe 1" to "Stufe 10", above the one-ply "leicht" and
// "schwer": how each level holds the search back, how long it may think in a game, and its rating.
#include <chrono>
#include <string>

#include "search/search.h"

namespace zarvik {

inline constexpr int kLowestSearchLevel = 1;
inline constexpr int kHighestSearchLevel = 10;

struct SearchLevel {
    int number = kHighestSearchLevel;
    search::Handicap handicap;
    std::chrono::milliseconds thinkingTime{0};  // per move in a game without a clock
    int elo = 0;                                // on the scale of docs/strength.md
};

// The level of that number, clamped to 1...10.
const SearchLevel& searchLevel(int number);
// "Stufe 7".
std::string searchLevelName(int number);
// The level whose rating is nearest (the lower one on a tie).
int searchLevelForElo(int elo);
int lowestLevelElo();
int highestLevelElo();

}  // namespace zarvik
