#pragma once
// Bitmap fonts: the record every window keeps a copy of, and loading one from a font file of the
// resources folder. Font files are untrusted input: short, damaged or oversized files are refused
// with a line on standard output and give a font without glyph data.
#include <array>
#include <cstdint>
#include <string_view>

#include "util/bytes.h"

namespace zarvik {

inline constexpr int t_FontFormatMonochrome = 0;
inline constexpr int t_FontFormatGrey = 2;
inline constexpr int t_FontFormatMonochromeCompressed = 100;
inline constexpr int t_FontFormatGreyCompressed = 102;

// A font is a plain value. It has glyph data exactly when Data is not empty.
struct t_Font {
    int HeaderSize = 16;
    std::array<std::uint8_t, 4> Identifier{'q', 'x', 'f', 'n'};
    int Format = 0;
    std::int64_t Size = 0;
    std::uint8_t Start = 0;
    std::uint8_t End = 0;
    int Width = 0;
    int Height = 0;
    int Reserved = 0;
    Bytes Data;

    bool hasGlyphs() const { return !Data.empty(); }
};

// Reads "<resources folder>/<name>" and expands the compressed formats.
t_Font t_LoadFontResource(std::string_view name);

// Parses the bytes of a font file; `name` only appears in the messages.
t_Font t_FontFromBytes(ByteView bytes, std::string_view name);

// Expands a compressed font (100 -> 0, 102 -> 2); other formats come back unchanged. Data that
// does not decode becomes empty.
t_Font t_ExpandFont(const t_Font& font);

// True when every glyph of Start...End lies inside Data (grey tables are indexed from code 0,
// monochrome ones from Start), so drawing can never read past the table.
bool t_FontGlyphsInside(const t_Font& font);

}  // namespace zarvik
