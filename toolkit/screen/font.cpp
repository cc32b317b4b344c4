#include "toolkit/screen/font.h"

#include <string>

#include "toolkit/host.h"
#include "util/files.h"
#include "util/log.h"
#include "util/lzw.h"

namespace zarvik {

namespace {

// Fields of the header: format at 5, size at 6-9, start, end, width, height at 10-13, reserved at 14-15.
constexpr std::size_t kFixedHeader = 14;

}  // namespace

t_Font t_FontFromBytes(ByteView bytes, std::string_view name) {
    if (bytes.empty()) {
        logline("t_LoadFontResource: Could not load file \u201E" + std::string(name) + "\u201C");
        return {};
    }
    const std::size_t headerSize = bytes[0];
    // A header that does not even hold the glyph geometry cannot describe a font; in a longer
    // file its own fields would be read again as glyph data.
    if (bytes.size() < headerSize || headerSize < kFixedHeader) {
        logline("t_LoadFontResource: Invalid header size");
        return {};
    }
    if (bytes[1] != 'q' || bytes[2] != 'x' || bytes[3] != 'f' || bytes[4] != 'n') {
        logline("t_LoadFontResource: Invalid file type");
        return {};
    }
    t_Font font;
    font.HeaderSize = int(headerSize);
    font.Format = bytes[5];
    font.Size = bytesToUInt32(bytes, 6);
    font.Start = bytes[10];
    font.End = bytes[11];
    font.Width = bytes[12];
    font.Height = bytes[13];
    font.Reserved = bytes.size() >= 16 ? (bytes[14] << 8 | bytes[15]) : 0;
    font.Data.assign(bytes.begin() + std::ptrdiff_t(headerSize), bytes.end());
    return t_ExpandFont(font);
}

t_Font t_LoadFontResource(std::string_view name) {
    const std::string path = host().resourcesFolder() + std::string(name);
    // The largest glyph table with its header, with room for a coding that did not shrink it.
    constexpr std::size_t kFileLimit = 2 * std::size_t{256} * 255 * 255 + 255;
    return t_FontFromBytes(getbinaryfromfile(path, kFileLimit), name);
}

t_Font t_ExpandFont(const t_Font& font) {
    if (font.Format != t_FontFormatMonochromeCompressed && font.Format != t_FontFormatGreyCompressed) {
        return font;
    }
    t_Font expanded = font;
    expanded.Format -= 100;
    if (font.Data.empty()) {
        return expanded;
    }
    const int width = font.Data[0];
    // The largest table a font can need: 256 glyphs of 255 x 255 grey pixels.
    constexpr std::size_t kLimit = std::size_t{256} * 255 * 255;
    const LzwCodes codes = lzwpackedtounpacked(ByteView(font.Data).subspan(1), width);
    expanded.Data = lzwunpackedtotext(codes, kLimit);
    return expanded;
}

bool t_FontGlyphsInside(const t_Font& font) {
    if (font.Data.empty() || font.Width <= 0 || font.Height <= 0 || font.Start > font.End) {
        return false;
    }
    std::size_t needed = 0;
    if (font.Format == t_FontFormatGrey) {
        needed = (std::size_t(font.End) + 1) * std::size_t(font.Width) * std::size_t(font.Height);
    } else if (font.Format == t_FontFormatMonochrome) {
        needed = (std::size_t(font.End) - font.Start + 1) * std::size_t(font.Height) *
                 ((std::size_t(font.Width) + 7) / 8);
    } else {
        return true;  // not drawable anyway; the drawing operations report the format
    }
    return font.Data.size() >= needed;
}

}  // namespace zarvik
