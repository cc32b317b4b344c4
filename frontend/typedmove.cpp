#include "frontend/typedmove.h"

#include <optional>
#include <vector>

namespace zarvik::frontend {
namespace {

// The scalars of UTF-8 text; a byte that starts no valid sequence counts as one scalar of its own.
std::vector<char32_t> scalars(std::string_view text) {
    std::vector<char32_t> result;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xE  ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 1;
        if (i + length > text.size()) {
            result.push_back(lead);
            ++i;
            continue;
        }
        char32_t scalar = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            scalar = (scalar << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        result.push_back(scalar);
        i += length;
    }
    return result;
}

std::optional<int> coordinate(const std::vector<char32_t>& chars, std::size_t position, char32_t first) {
    if (position >= chars.size()) {
        return std::nullopt;
    }
    const char32_t c = chars[position];
    if (c < first || c > first + 7) {
        return std::nullopt;
    }
    return static_cast<int>(c - first);
}

}  // namespace

std::string upperCase(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return result;
}

TypedMove parseTypedMove(std::string_view input) {
    const std::string upper = upperCase(input);
    using Kind = TypedMove::Kind;
    if (upper.empty()) {
        return {Kind::giveUp};
    }
    if (upper == "O-O") {
        return {Kind::kingSideCastle};
    }
    if (upper == "O-O-O") {
        return {Kind::queenSideCastle};
    }
    const std::vector<char32_t> chars = scalars(upper);
    if (chars.size() < 3 || chars[2] != U'-') {
        return {Kind::missingSeparator};
    }
    const auto fromFile = coordinate(chars, 0, U'A');
    const auto fromRank = coordinate(chars, 1, U'1');
    const auto toFile = coordinate(chars, 3, U'A');
    const auto toRank = coordinate(chars, 4, U'1');
    if (!fromFile || !fromRank || !toFile || !toRank) {
        return {Kind::badCoordinates};
    }
    return {Kind::ordinary, BoardLocation(*fromFile, *fromRank), BoardLocation(*toFile, *toRank)};
}

}  // namespace zarvik::frontend
