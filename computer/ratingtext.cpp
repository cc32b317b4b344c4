#include "computer/ratingtext.h"

#include <charconv>

namespace zarvik {

std::string ratingText(double rating) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, rating);
    std::string text(buffer, result.ptr);
    // Whole numbers come out bare ("3"); "inf" and "nan" stay as they are.
    if (text.find_first_of(".eni") == std::string::npos) {
        text += ".0";
    }
    return text;
}

}  // namespace zarvik
