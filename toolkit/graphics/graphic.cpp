#include "toolkit/graphics/graphic.h"

#include <limits>

namespace zarvik {
namespace {

// Saturating, so that absurd in-memory dimensions give a huge promise instead of a wrapped one.
std::uint64_t multiply(std::uint64_t a, std::uint64_t b) {
    if (a != 0 && b > std::numeric_limits<std::uint64_t>::max() / a) {
        return std::numeric_limits<std::uint64_t>::max();
    }
    return a * b;
}

std::uint64_t plusOne(std::uint64_t a) {
    return a == std::numeric_limits<std::uint64_t>::max() ? a : a + 1;
}

}  // namespace

std::optional<std::size_t> graphicPixelBytes(int format) {
    switch (format) {
        case g_FormatMonochrome:
        case g_FormatIndexedColor:
        case g_FormatGrey:
            return 1;
        case g_FormatRGBColor:
            return 3;
        case g_FormatAGrey:
            return 2;
        case g_FormatARGBColor:
            return 4;
        default:
            return std::nullopt;
    }
}

std::optional<std::uint64_t> graphicDataBytes(const g_Graphic& graphic, int format) {
    if (graphic.Width < 0 || graphic.Height < 0 || graphic.Size < 0) {
        return std::nullopt;
    }
    const auto width = static_cast<std::uint64_t>(graphic.Width);
    const auto height = static_cast<std::uint64_t>(graphic.Height);
    const auto size = static_cast<std::uint64_t>(graphic.Size);
    if (const auto pixel = graphicPixelBytes(format)) {
        return multiply(multiply(width, height), *pixel);
    }
    switch (format) {
        case g_FormatPackedMonochrome:
            return multiply(height, (width + 7) / 8);
        case g_FormatPackedIndexedColor:
            return multiply(height, (width + 1) / 2);
        case g_FormatPackedAGrey:
            return plusOne(size);
        case g_FormatPackedARGBColor:
            return plusOne(multiply(size, 3));
        default:
            return std::nullopt;
    }
}

std::optional<std::uint64_t> graphicExpandedBytes(const g_Graphic& graphic) {
    int plain = graphic.Format;
    for (const int layer : {g_FormatLZW, 20, 10}) {
        if (plain >= layer) {
            plain -= layer;
        }
    }
    return graphicDataBytes(graphic, plain);
}

}  // namespace zarvik
