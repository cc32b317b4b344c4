#include "clock/timecontrol.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace zarvik {
namespace {

constexpr int kMostMinutes = 600;
constexpr int kMostIncrement = 600;

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

// A whole number of digits only.
std::optional<int> number(std::string_view text, int most) {
    text = trimmed(text);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0 ||
        value > most) {
        return std::nullopt;
    }
    return value;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t at = text.find(separator); at != std::string_view::npos; at = text.find(separator)) {
        parts.push_back(text.substr(0, at));
        text.remove_prefix(at + 1);
    }
    parts.push_back(text);
    return parts;
}

std::string twoDigits(long value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

}  // namespace

std::optional<TimeControl> timeControlFromAnswer(std::string_view answer) {
    const std::vector<std::string_view> parts = split(answer, '+');
    if (parts.size() > 2) {
        return std::nullopt;
    }
    const std::optional<int> minutes = number(parts[0], kMostMinutes);
    const std::optional<int> increment = parts.size() == 2 ? number(parts[1], kMostIncrement) : 0;
    if (!minutes || !increment || *minutes == 0) {
        return std::nullopt;
    }
    return TimeControl{*minutes * 60, *increment};
}

std::string timeControlText(const TimeControl& control) {
    const int minutes = control.baseSeconds / 60;
    const int seconds = control.baseSeconds % 60;
    const std::string base =
        seconds == 0 ? std::to_string(minutes) : std::to_string(minutes) + ":" + twoDigits(seconds);
    return base + "+" + std::to_string(control.incrementSeconds);
}

std::optional<TimeControl> timeControlFromTag(std::string_view tag) {
    const std::vector<std::string_view> parts = split(trimmed(tag), '+');
    if (parts.size() > 2) {
        return std::nullopt;
    }
    const std::optional<int> base = number(parts[0], kMostMinutes * 60);
    const std::optional<int> increment = parts.size() == 2 ? number(parts[1], kMostIncrement) : 0;
    if (!base || !increment || *base == 0) {
        return std::nullopt;
    }
    return TimeControl{*base, *increment};
}

std::string timeControlTag(const TimeControl& control) {
    return std::to_string(control.baseSeconds) +
           (control.incrementSeconds == 0 ? "" : "+" + std::to_string(control.incrementSeconds));
}

std::string clockText(double seconds) {
    const long whole = seconds > 0 ? static_cast<long>(std::floor(seconds)) : 0;
    const long hours = whole / 3600;
    const long minutes = whole / 60 % 60;
    const std::string rest = twoDigits(whole % 60);
    if (hours > 0) {
        return std::to_string(hours) + ":" + twoDigits(minutes) + ":" + rest;
    }
    return std::to_string(minutes) + ":" + rest;
}

std::string clockTagText(double seconds) {
    const std::string text = clockText(seconds);
    return std::count(text.begin(), text.end(), ':') == 2 ? text
                                                          : "0:" + (text.size() < 5 ? "0" + text : text);
}

std::optional<double> secondsFromClockText(std::string_view text) {
    const std::vector<std::string_view> parts = split(trimmed(text), ':');
    if (parts.size() < 2 || parts.size() > 3) {
        return std::nullopt;
    }
    double total = 0;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        const std::optional<int> value = number(parts[i], 100000);
        if (!value) {
            return std::nullopt;
        }
        total = total * 60 + *value;
    }
    const std::string_view last = parts.back();
    double seconds = 0;
    const auto [end, error] = std::from_chars(last.data(), last.data() + last.size(), seconds);
    if (last.empty() || error != std::errc() || end != last.data() + last.size() || seconds < 0 ||
        seconds >= 60) {
        return std::nullopt;
    }
    return total * 60 + seconds;
}

}  // namespace zarvik
