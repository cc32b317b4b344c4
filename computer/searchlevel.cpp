#include "computer/searchlevel.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace zarvik {
namespace {

using std::chrono::milliseconds;

// Levels 1 to 9 are held back by a node budget, so that they play alike on a busy and on a quiet
// machine; their time is only a ceiling. Levels 1 to 4 also see few plies and now and then play a
// move that is nearly as good, never one that loses much. Stufe 10 is the whole search, bound by its
// time. The ratings are measured (docs/strength.md).
const std::array<SearchLevel, 10> kLevels{{
    {1, {2, 2500, 28, 110}, milliseconds(300), 1303},
    {2, {3, 3500, 26, 100}, milliseconds(400), 1434},
    {3, {4, 7000, 18, 70}, milliseconds(500), 1566},
    {4, {5, 16000, 12, 55}, milliseconds(600), 1685},
    {5, {0, 5000, 0, 0}, milliseconds(800), 1780},
    {6, {0, 9500, 0, 0}, milliseconds(1000), 1878},
    {7, {0, 15000, 0, 0}, milliseconds(1200), 1922},
    {8, {0, 30000, 0, 0}, milliseconds(1500), 1981},
    {9, {0, 110000, 0, 0}, milliseconds(2000), 2047},
    {10, {0, 0, 0, 0}, milliseconds(2500), 2055},
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
