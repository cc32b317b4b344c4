#pragma once
// Small text helpers for input fields, window headers, centred messages, number and date texts
// and the virtual printer's ruler. Widths and lengths count characters (code points of UTF-8),
// so umlauts take one column.
#include <cstdint>
#include <string>
#include <string_view>

namespace zarvik {

// n spaces; empty for n <= 0 or n > 32767.
std::string spacestring(int n);

// The text without leading and trailing spaces and tabs, with (width - length) / 2 spaces in
// front when it is shorter than width. No padding at the end.
std::string centeredstring(std::string_view text, int width);

// left, spaces, right filling `width` characters; when they do not fit, left + right cut to
// `width` characters (empty for width < 1).
std::string justifiedstring(std::string_view left, std::string_view right, int width);

// True for a non-empty text of the digits 0 to 9 only.
bool alldigits(std::string_view text);

// Decimal text with "-" for negative values, full stops between groups of three digits when
// `grouping` is set, and `fill` in front up to `width` characters (never cut).
std::string numbertext(std::int64_t value, char fill, int width, bool grouping);

// DD.MM.YYYY hh:mm:ss
std::string datetimetext(int year, int month, int day, int hour, int minute, int second);
// The current local date and time in that form.
std::string currentdatetimetext();

// The virtual printer's ruler "....!....1....!....2"; with margins it starts with "L" and ends
// with "R". Empty for width < 1 or width > 32767.
std::string rulerstring(int width, bool fullNumbers, bool margins);

}  // namespace zarvik
