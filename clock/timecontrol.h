#pragma once
// A time control: minutes for the game plus seconds added after each move, as players write it
// ("15+10"), and as game files of other chess programs write it ("900+10").
#include <optional>
#include <string>
#include <string_view>

namespace zarvik {

struct TimeControl {
    int baseSeconds = 0;
    int incrementSeconds = 0;
    friend bool operator==(const TimeControl&, const TimeControl&) = default;
};

// The controls offered by name: "5+0", "15+10", "30+0", "90+30".
inline constexpr TimeControl kOfferedControls[] = {{300, 0}, {900, 10}, {1800, 0}, {5400, 30}};

// "M+S" (minutes, seconds per move; "M" alone is "M+0"), blanks allowed around the numbers; at most
// 600 minutes and 600 seconds, and some time for the game. None for anything else.
std::optional<TimeControl> timeControlFromAnswer(std::string_view answer);
// "15+10"; seconds that are no whole minute are written "M:SS" ("0:30+2").
std::string timeControlText(const TimeControl& control);

// The portable game notation's form "900+10" ("900" alone without increment); none for "-", "?" and
// the forms of several periods that no clock of ours plays.
std::optional<TimeControl> timeControlFromTag(std::string_view tag);
std::string timeControlTag(const TimeControl& control);

// A clock reading "1:05:09" or "4:59" (whole seconds, rounded down; never negative).
std::string clockText(double seconds);
// The same always with hours, as clock comments of game files write it: "0:04:59".
std::string clockTagText(double seconds);
// The reverse, for "H:MM:SS" and "M:SS" (fractions of a second allowed); none for anything else.
std::optional<double> secondsFromClockText(std::string_view text);

}  // namespace zarvik
