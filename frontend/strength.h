#pragma once
// The computer's strength as the front end keeps it: 0 "leicht", 1 "mittel", 2 "schwer", or one of the
// searching player's levels "Stufe 1" to "Stufe 10"; its name in records and the answers that pick it.
#include <optional>
#include <string>
#include <string_view>

namespace zarvik::frontend {

// The strength of a searching level (clamped to 1...10), and the level of a strength (none for the
// one-ply strengths 0...2).
int strengthOfLevel(int level);
std::optional<int> levelOfStrength(int strength);

// "leicht", "mittel", "schwer" or "Stufe 7".
std::string strengthName(int strength);
// The strength a record names that way; none for any other text.
std::optional<int> strengthFromName(std::string_view name);
// The answer to the strength question: "1" to "10", "leicht" or "schwer" (or their first letter, any
// case); none for anything else.
std::optional<int> strengthFromAnswer(std::string_view answer);

}  // namespace zarvik::frontend
