#include "util/text.h"

#include <ctime>

#include "util/encoding.h"

namespace zarvik {
namespace {

constexpr int kLongestText = 32767;

// Byte length of the first `characters` code points of a UTF-8 text.
std::size_t utf8prefix(std::string_view text, std::size_t characters) {
    std::size_t i = 0;
    for (; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (characters == 0) {
                break;
            }
            --characters;
        }
    }
    return i;
}

}  // namespace

std::string spacestring(int n) {
    return n <= 0 || n > kLongestText ? std::string() : std::string(static_cast<std::size_t>(n), ' ');
}

bool alldigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

std::string centeredstring(std::string_view text, int width) {
    const auto first = text.find_first_not_of(" \t");
    text = first == std::string_view::npos ? std::string_view()
                                           : text.substr(first, text.find_last_not_of(" \t") - first + 1);
    const auto length = static_cast<long long>(utf8length(text));
    if (length >= width) {
        return std::string(text);
    }
    return std::string(static_cast<std::size_t>((width - length) / 2), ' ').append(text);
}

std::string justifiedstring(std::string_view left, std::string_view right, int width) {
    if (width < 1) {
        return std::string();
    }
    const long long gap =
        width - static_cast<long long>(utf8length(left)) - static_cast<long long>(utf8length(right));
    std::string joined(left);
    if (gap >= 1) {
        return joined.append(static_cast<std::size_t>(gap), ' ').append(right);
    }
    joined.append(right);
    joined.resize(utf8prefix(joined, static_cast<std::size_t>(width)));
    return joined;
}

std::string numbertext(std::int64_t value, char fill, int width, bool grouping) {
    // The magnitude as unsigned, so that the most negative value has one too.
    std::uint64_t magnitude =
        value < 0 ? ~static_cast<std::uint64_t>(value) + 1 : static_cast<std::uint64_t>(value);
    char digits[32];
    int end = sizeof digits;
    int count = 0;
    do {
        if (grouping && count > 0 && count % 3 == 0) {
            digits[--end] = '.';
        }
        digits[--end] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
        ++count;
    } while (magnitude != 0);
    if (value < 0) {
        digits[--end] = '-';
    }
    const auto length = static_cast<int>(sizeof digits) - end;
    std::string text;
    if (width > length) {
        text.assign(static_cast<std::size_t>(width - length), fill);
    }
    return text.append(digits + end, static_cast<std::size_t>(length));
}

std::string datetimetext(int year, int month, int day, int hour, int minute, int second) {
    return numbertext(day, '0', 2, false) + "." + numbertext(month, '0', 2, false) + "." +
           numbertext(year, '0', 4, false) + " " + numbertext(hour, '0', 2, false) + ":" +
           numbertext(minute, '0', 2, false) + ":" + numbertext(second, '0', 2, false);
}

std::string currentdatetimetext() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return datetimetext(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                        local.tm_sec);
}

// Blocks of ten characters ending in the block number; with full numbers, numbers of two or more
// digits replace the end of the dots instead of showing only their last digit.
std::string rulerstring(int width, bool fullNumbers, bool margins) {
    if (width < 1 || width > kLongestText) {
        return std::string();
    }
    static constexpr std::string_view kDots = "....!....";
    std::string blocks;
    const int count = width / 10 + 1;
    blocks.reserve(static_cast<std::size_t>(count) * 10);
    for (int b = 1; b <= count; ++b) {
        const std::string number = std::to_string(b);
        if (fullNumbers && b > 9) {
            blocks.append(kDots.substr(0, 10 - number.size())).append(number);
        } else {
            blocks.append(kDots).push_back(number.back());
        }
    }
    if (!margins) {
        blocks.resize(static_cast<std::size_t>(width));
        return blocks;
    }
    if (width == 1) {
        return "L";
    }
    std::string ruler = "L" + blocks.substr(1, static_cast<std::size_t>(width - 2));
    if (width % 10 == 0 && ruler.back() >= '0') {
        ruler.back() = '.';
    }
    return ruler + "R";
}

}  // namespace zarvik
