#include "toolkit/graphics/graphicfile.h"

#include <algorithm>

#include "toolkit/host.h"
#include "toolkit/screen/window.h"
#include "util/files.h"
#include "util/log.h"

namespace zarvik {
namespace {

constexpr std::array<std::uint8_t, 4> kMagic{'q', 'x', 'g', 'r'};
constexpr int kOldMonochrome = 200;
constexpr int kOldIndexedColor = 201;

unsigned bigEndian(ByteView bytes, std::size_t offset, std::size_t length) {
    unsigned value = 0;
    for (std::size_t i = 0; i < length; ++i) {
        value = (value << 8) | bytes[offset + i];
    }
    return value;
}

void putBigEndian(Bytes& bytes, std::size_t offset, std::uint64_t value, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        bytes[offset + length - 1 - i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

}  // namespace

g_Graphic graphicFromFileBytes(ByteView bytes) {
    if (bytes.empty()) {
        logline("g_LoadGraphic: Could not load file");
        return g_EmptyGraphic();
    }
    // A header shorter than its own fields cannot be read, so it is refused like a truncated one.
    const std::size_t headerSize = bytes[0];
    if (bytes.size() < headerSize || headerSize < g_GraphicHeaderSize) {
        logline("g_LoadGraphic: Invalid header size");
        return g_EmptyGraphic();
    }
    if (!std::equal(kMagic.begin(), kMagic.end(), bytes.begin() + 1)) {
        logline("g_LoadGraphic: Invalid file type");
        return g_EmptyGraphic();
    }
    g_Graphic graphic;
    graphic.HeaderSize = static_cast<int>(headerSize);
    graphic.Format = bytes[5];
    graphic.Size = bytesToUInt32(bytes, 6);
    graphic.Width = static_cast<int>(bigEndian(bytes, 10, 2));
    graphic.Height = static_cast<int>(bigEndian(bytes, 12, 2));
    graphic.ScaleWidth = bytes[14] >> 4;
    graphic.ScaleHeight = bytes[14] & 15;
    graphic.Reserved = bytes[15];
    graphic.Data.assign(bytes.begin() + static_cast<std::ptrdiff_t>(headerSize), bytes.end());
    if (graphic.Format == kOldMonochrome || graphic.Format == kOldIndexedColor) {
        graphic.Format =
            graphic.Format == kOldMonochrome ? g_FormatRLEPackedMonochrome : g_FormatRLEPackedIndexedColor;
        logline("g_LoadGraphic: File converted from old format.");
    }
    // A few coded bytes can promise gigabytes; no image larger than the video memory is expanded.
    if (graphic.Format >= 6 && graphicExpandedBytes(graphic).value_or(0) > std::uint64_t(t_VideoMemorySize)) {
        logline("g_LoadGraphic: Could not load file");
        return g_EmptyGraphic();
    }
    return graphic;
}

g_Graphic g_LoadGraphic(const std::string& path) {
    // No image beyond the video memory is drawn; a coding that did not shrink one may be larger.
    constexpr std::size_t kFileLimit = 2 * std::size_t(t_VideoMemorySize) + 255;
    return graphicFromFileBytes(getbinaryfromfile(path, kFileLimit));
}

g_Graphic g_LoadGraphicResource(const std::string& name) {
    g_Graphic graphic = g_LoadGraphic(host().resourcesFolder() + name);
    if (graphic == g_EmptyGraphic()) {
        logline("g_LoadGraphicResource: Could not load file „" + name + "“");
    }
    return graphic;
}

std::optional<Bytes> graphicFileBytes(const g_Graphic& graphic) {
    // A field that does not fit its bytes would be written cut off and read back as another image.
    if (graphic.Format < 0 || graphic.Format > 255 || graphic.Size < 0 || graphic.Size > 0xFFFFFFFF ||
        graphic.Width < 0 || graphic.Width > 0xFFFF || graphic.Height < 0 || graphic.Height > 0xFFFF) {
        logline("g_SaveGraphic: Graphic does not fit the file format.");
        return std::nullopt;
    }
    // Below 16 the fields would not fit; above 255 byte 0 could not hold the size.
    const int headerSize = graphic.HeaderSize < g_GraphicHeaderSize || graphic.HeaderSize > 255
                               ? g_GraphicHeaderSize
                               : graphic.HeaderSize;
    Bytes bytes(static_cast<std::size_t>(headerSize), 0);
    bytes[0] = static_cast<std::uint8_t>(headerSize);
    std::copy(graphic.Identifier.begin(), graphic.Identifier.end(), bytes.begin() + 1);
    bytes[5] = static_cast<std::uint8_t>(graphic.Format);
    putBigEndian(bytes, 6, static_cast<std::uint64_t>(graphic.Size), 4);
    putBigEndian(bytes, 10, static_cast<std::uint64_t>(graphic.Width), 2);
    putBigEndian(bytes, 12, static_cast<std::uint64_t>(graphic.Height), 2);
    bytes[14] = static_cast<std::uint8_t>(((graphic.ScaleWidth & 15) << 4) | (graphic.ScaleHeight & 15));
    bytes[15] = static_cast<std::uint8_t>(graphic.Reserved);
    bytes.insert(bytes.end(), graphic.Data.begin(), graphic.Data.end());
    return bytes;
}

bool g_SaveGraphic(const std::string& path, const g_Graphic& graphic) {
    const auto bytes = graphicFileBytes(graphic);
    return bytes && setbinarytofile(path, *bytes) == 0;
}

}  // namespace zarvik
