#include "computer/searchlevel.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace zarvik {
namespace {

using std::chrono::milliseconds;

// Lower levels see fewer plies and nodes and now and then play a move that is nearly as good, never
// one that loses much. The ratings are first estimates, to be replaced by the measured ladder of
// docs/strength.md.
const std::array<SearchLevel, 10> kLevels{{
    {1, {1, 150, 40, 220}, milliseconds(300), 700},
    {2, {2, 500, 35, 160}, milliseconds(400), 850},
    {3, {2, 1500, 30, 120}, milliseconds(500), 1000},
    {4, {3, 4000, 25, 90}, milliseconds(600), 1150},
    {5, {4, 12000, 18, 70}, milliseconds(800), 1300},
    {6, {5, 35000, 12, 50}, milliseconds(1000), 1450},
    {7, {7, 70000, 8, 35}, milliseconds(1200), 1600},
    {8, {10, 200000, 4, 20}, milliseconds(1500), 1750},
    {9, {0, 600000, 0, 0}, milliseconds(2000), 1900},
    {10, {0, 0, 0, 0}, milliseconds(2500), 2050},
}};

}  // namespace

const SearchLevel& searchLevel(int number) {
    return kLevels[std::clamp(number, kLowestSearchLevel, kHighestSearchLevel) - 1];
}

std::string searchLevelName(int number) {
    return "Stufe " + std::to_string(searchLevel(number).number);
}

int searchLevelForElo(int elo) {
    const auto nearest =
        std::min_element(kLevels.begin(), kLevels.end(), [elo](const SearchLevel& a, const SearchLevel& b) {
            return std::abs(a.elo - elo) < std::abs(b.elo - elo);
        });
    return nearest->number;
}

int lowestLevelElo() {
    return kLevels.front().elo;
}

int highestLevelElo() {
    return kLevels.back().elo;
}

}  // namespace zarvik
