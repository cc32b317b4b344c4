#pragma once
// How ratings are written in log lines and by the command-line tool: the shortest decimal form that
// reads back to the same number, always with a fractional part or an exponent ("3.0", "-1.5",
// "0.30000000000000004", "1.7976931348623157e+308").
#include <string>

namespace zarvik {

std::string ratingText(double rating);

}  // namespace zarvik
