#include "frontend/strength.h"

#include <algorithm>
#include <charconv>

#include "computer/searchlevel.h"
#include "frontend/typedmove.h"

namespace zarvik::frontend {
namespace {

// Searching levels sit above the one-ply strengths, so that old records keep their numbers.
constexpr int kFirstLevelStrength = 10;

std::optional<int> number(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < kLowestSearchLevel ||
        value > kHighestSearchLevel) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

int strengthOfLevel(int level) {
    return kFirstLevelStrength + std::clamp(level, kLowestSearchLevel, kHighestSearchLevel);
}

std::optional<int> levelOfStrength(int strength) {
    if (strength <= kFirstLevelStrength) {
        return std::nullopt;
    }
    return std::min(strength - kFirstLevelStrength, kHighestSearchLevel);
}

std::string strengthName(int strength) {
    if (const std::optional<int> level = levelOfStrength(strength)) {
        return searchLevelName(*level);
    }
    return strength == 0 ? "leicht" : strength == 1 ? "mittel" : "schwer";
}

std::optional<int> strengthFromName(std::string_view name) {
    for (const int strength : {0, 1, 2}) {
        if (name == strengthName(strength)) {
            return strength;
        }
    }
    constexpr std::string_view kLevel = "Stufe ";
    if (name.starts_with(kLevel)) {
        if (const std::optional<int> level = number(name.substr(kLevel.size()))) {
            return strengthOfLevel(*level);
        }
    }
    return std::nullopt;
}

std::optional<int> strengthFromAnswer(std::string_view answer) {
    if (const std::optional<int> level = number(answer)) {
        return strengthOfLevel(*level);
    }
    const std::string word = upperCase(answer);
    if (word == "L" || word == "LEICHT") {
        return 0;
    }
    if (word == "S" || word == "SCHWER") {
        return 2;
    }
    return std::nullopt;
}

}  // namespace zarvik::frontend
