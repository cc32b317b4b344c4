#pragma once
// The toolkit's image record and its pixel formats. Images are plain values: the loaders,
// transformations and capture functions return new records, the caller owns them.
#include <array>
#include <cstdint>
#include <optional>

#include "util/bytes.h"

namespace zarvik {

// Pixel formats. The plain ones (0-5) match the window depths 1, 4, 8, 24, 16 and 32 bits;
// + 10 packed, + 20 run-length coded, + 100 LZW coded. The field is a plain number because a
// file may carry any byte there.
inline constexpr int g_FormatMonochrome = 0;
inline constexpr int g_FormatIndexedColor = 1;
inline constexpr int g_FormatGrey = 2;
inline constexpr int g_FormatRGBColor = 3;
inline constexpr int g_FormatAGrey = 4;
inline constexpr int g_FormatARGBColor = 5;
inline constexpr int g_FormatPackedMonochrome = 10;
inline constexpr int g_FormatPackedIndexedColor = 11;
inline constexpr int g_FormatPackedAGrey = 14;
inline constexpr int g_FormatPackedARGBColor = 15;
inline constexpr int g_FormatRLEMonochrome = 20;
inline constexpr int g_FormatRLEIndexedColor = 21;
inline constexpr int g_FormatRLEGrey = 22;
inline constexpr int g_FormatRLERGBColor = 23;
inline constexpr int g_FormatRLEAGrey = 24;
inline constexpr int g_FormatRLEARGBColor = 25;
inline constexpr int g_FormatRLEPackedMonochrome = 30;
inline constexpr int g_FormatRLEPackedIndexedColor = 31;
inline constexpr int g_FormatRLEPackedAGrey = 34;
inline constexpr int g_FormatRLEPackedARGBColor = 35;
inline constexpr int g_FormatLZW = 100;  // added to any format above

inline constexpr int g_GraphicHeaderSize = 16;

// An image with the header fields of its file. Size is Width x Height; a scale of 0 means 16.
struct g_Graphic {
    int HeaderSize = g_GraphicHeaderSize;
    std::array<std::uint8_t, 4> Identifier{'q', 'x', 'g', 'r'};
    int Format = 0;
    std::int64_t Size = 0;
    int Width = 0;
    int Height = 0;
    int ScaleWidth = 0;
    int ScaleHeight = 0;
    int Reserved = 0;
    Bytes Data;

    bool operator==(const g_Graphic&) const = default;
};

// What every failed operation returns: a default record.
inline g_Graphic g_EmptyGraphic() {
    return g_Graphic{};
}

// Bytes per pixel of a plain format (0-5); nullopt for every other format.
std::optional<std::size_t> graphicPixelBytes(int format);

// The number of data bytes the header of a plain or packed format (0-5, 10, 11, 14, 15)
// promises; nullopt for other formats or negative dimensions. This is what a decoder may
// produce at most, so crafted streams cannot expand beyond their own header.
std::optional<std::uint64_t> graphicDataBytes(const g_Graphic& graphic, int format);

// The number of data bytes of the plain image that a stored format (packed, run-length or LZW
// coded) expands to, from the header alone; the graphic's own for plain formats.
std::optional<std::uint64_t> graphicExpandedBytes(const g_Graphic& graphic);

}  // namespace zarvik
