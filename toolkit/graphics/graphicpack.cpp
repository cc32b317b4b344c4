#include "toolkit/graphics/graphicpack.h"

#include <algorithm>
#include <string>

#include "util/log.h"
#include "util/lzw.h"
#include "util/packing.h"
#include "util/rle.h"

namespace zarvik {
namespace {

std::string hex2(std::uint8_t value) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    return {kHex[value >> 4], kHex[value & 15]};
}

// A decoder's output cap: what the header promises, never more than the global cap.
std::size_t capped(std::uint64_t promise) {
    return static_cast<std::size_t>(std::min<std::uint64_t>(promise, kDecodeLimit));
}

// The run-length coding of one plain or packed format: its element size and coded format.
struct RleRule {
    int from;
    int to;
    int elementBytes;
    const char* line;  // written when the graphic is coded; nullptr for none
};

constexpr RleRule kRleRules[] = {
    {g_FormatMonochrome, g_FormatRLEMonochrome, 1, nullptr},
    {g_FormatIndexedColor, g_FormatRLEIndexedColor, 1, nullptr},
    {g_FormatGrey, g_FormatRLEGrey, 1, nullptr},
    {g_FormatRGBColor, g_FormatRLERGBColor, 3, "g_CompressRLE: g_FormatRGBColor --> g_FormatRLERGBColor"},
    {g_FormatAGrey, g_FormatRLEAGrey, 2, "g_CompressRLE: g_FormatAGrey --> g_FormatRLEAGrey"},
    {g_FormatARGBColor, g_FormatRLEARGBColor, 4, "g_CompressRLE: g_FormatARGBColor --> g_FormatRLEARGBColor"},
    {g_FormatPackedMonochrome, g_FormatRLEPackedMonochrome, 1, nullptr},
    {g_FormatPackedIndexedColor, g_FormatRLEPackedIndexedColor, 1, nullptr},
    {g_FormatPackedAGrey, g_FormatRLEPackedAGrey, 1,
     "g_CompressRLE: g_FormatPackedAGrey --> g_FormatRLEPackedAGrey"},
    {g_FormatPackedARGBColor, g_FormatRLEPackedARGBColor, 3,
     "g_CompressRLE: g_FormatPackedARGBColor --> g_FormatRLEPackedARGBColor"},
};

const RleRule* ruleFrom(int format) {
    for (const auto& rule : kRleRules) {
        if (rule.from == format) {
            return &rule;
        }
    }
    return nullptr;
}

const RleRule* ruleTo(int format) {
    for (const auto& rule : kRleRules) {
        if (rule.to == format) {
            return &rule;
        }
    }
    return nullptr;
}

bool hasTransparencyByte(int format) {
    return format == g_FormatPackedAGrey || format == g_FormatPackedARGBColor;
}

Bytes encodeRle(ByteView data, int elementBytes) {
    switch (elementBytes) {
        case 1:
            return binary8torle(data);
        case 2:
            return binary16torle(data);
        case 3:
            return binary24torle(data);
        default:
            return binary32torle(data);
    }
}

Bytes decodeRle(ByteView data, int elementBytes, std::size_t limit) {
    switch (elementBytes) {
        case 1:
            return rletobinary8(data, limit);
        case 2:
            return rletobinary16(data, limit);
        case 3:
            return rletobinary24(data, limit);
        default:
            return rletobinary32(data, limit);
    }
}

// The coders leave inputs under four whole elements as they are, and the decoders give nothing
// for streams under four elements; such data would not survive the round trip, so it is
// reported as not codable and the graphic keeps its plain form.
std::optional<Bytes> codedRle(ByteView data, int elementBytes) {
    const auto k = static_cast<std::size_t>(elementBytes);
    if (data.size() < 4 * k || data.size() % k != 0) {
        return std::nullopt;
    }
    Bytes coded = encodeRle(data, elementBytes);
    if (coded.size() < 4 * k) {
        return std::nullopt;
    }
    return coded;
}

// Formats with an LZW form: every plain, packed and run-length format.
bool hasLzwForm(int format) {
    return ruleFrom(format) != nullptr || ruleTo(format) != nullptr;
}

// What the data of `format` may hold at most: the header's promise, and for run-length data
// the coder's worst case (an escape element costs one byte more than itself).
std::uint64_t lzwPromise(const g_Graphic& graphic, int format) {
    if (const RleRule* rule = ruleTo(format)) {
        const std::uint64_t plain = graphicDataBytes(graphic, rule->from).value_or(0);
        return plain > kDecodeLimit ? plain : 2 * plain + 8;
    }
    return graphicDataBytes(graphic, format).value_or(0);
}

// Samples the alpha bytes of `size` pixels of `pixelBytes` bytes; the shared alpha or nothing.
std::optional<std::uint8_t> sharedAlpha(const Bytes& data, std::size_t size, std::size_t pixelBytes) {
    const std::uint8_t alpha = data[0];
    for (std::size_t i = 1; i < size; ++i) {
        if (data[i * pixelBytes] != alpha) {
            return std::nullopt;
        }
    }
    return alpha;
}

// Formats 4 and 5 with one alpha for all pixels: that alpha, then the other bytes of each pixel.
g_Graphic packAlpha(const g_Graphic& graphic, std::size_t pixelBytes, int packedFormat) {
    g_Graphic result = graphic;
    if (graphic.Size < 1) {
        result.Format = g_FormatMonochrome;
        return result;
    }
    const auto size = static_cast<std::uint64_t>(graphic.Size);
    if (graphic.Data.size() / pixelBytes < size) {
        return result;  // fewer pixels than the header claims: nothing to pack
    }
    const auto alpha = sharedAlpha(graphic.Data, static_cast<std::size_t>(size), pixelBytes);
    if (!alpha) {
        return result;
    }
    logline("g_Pack: Transparency = " + hex2(*alpha));
    Bytes packed;
    packed.reserve(1 + static_cast<std::size_t>(size) * (pixelBytes - 1));
    packed.push_back(*alpha);
    for (std::size_t i = 0; i < size; ++i) {
        const auto pixel = graphic.Data.begin() + static_cast<std::ptrdiff_t>(i * pixelBytes);
        packed.insert(packed.end(), pixel + 1, pixel + static_cast<std::ptrdiff_t>(pixelBytes));
    }
    result.Data = std::move(packed);
    result.Format = packedFormat;
    return result;
}

g_Graphic unpackAlpha(const g_Graphic& graphic, std::size_t pixelBytes, int plainFormat) {
    const std::size_t colourBytes = pixelBytes - 1;
    if (graphic.Data.empty() || graphic.Size < 0 ||
        (graphic.Data.size() - 1) / colourBytes < static_cast<std::uint64_t>(graphic.Size)) {
        return graphic;  // no transparency byte, or fewer pixels than the header claims
    }
    const std::uint8_t alpha = graphic.Data[0];
    logline("g_UnPack: Transparency = " + hex2(alpha));
    const auto size = static_cast<std::size_t>(graphic.Size);
    Bytes plain;
    plain.reserve(size * pixelBytes);
    for (std::size_t i = 0; i < size; ++i) {
        const auto pixel = graphic.Data.begin() + static_cast<std::ptrdiff_t>(1 + i * colourBytes);
        plain.push_back(alpha);
        plain.insert(plain.end(), pixel, pixel + static_cast<std::ptrdiff_t>(colourBytes));
    }
    g_Graphic result = graphic;
    result.Data = std::move(plain);
    result.Format = plainFormat;
    return result;
}

}  // namespace

g_Graphic g_Pack(const g_Graphic& graphic) {
    g_Graphic result = graphic;
    switch (graphic.Format) {
        case g_FormatMonochrome:
        case g_FormatIndexedColor:
            if (graphic.Width < 0) {
                return result;
            }
            result.Data =
                graphic.Format == g_FormatMonochrome
                    ? binarybooltopackedbool(graphic.Data, static_cast<std::size_t>(graphic.Width))
                    : binarynibbletopackednibble(graphic.Data, static_cast<std::size_t>(graphic.Width));
            result.Format += 10;
            return result;
        case g_FormatAGrey:
            return packAlpha(graphic, 2, g_FormatPackedAGrey);
        case g_FormatARGBColor:
            return packAlpha(graphic, 4, g_FormatPackedARGBColor);
        default:
            return result;
    }
}

g_Graphic g_UnPack(const g_Graphic& graphic) {
    g_Graphic result = graphic;
    switch (graphic.Format) {
        case g_FormatPackedMonochrome:
        case g_FormatPackedIndexedColor:
            if (graphic.Width < 0) {
                return result;
            }
            result.Data =
                graphic.Format == g_FormatPackedMonochrome
                    ? packedbooltobinarybool(graphic.Data, static_cast<std::size_t>(graphic.Width))
                    : packednibbletobinarynibble(graphic.Data, static_cast<std::size_t>(graphic.Width));
            result.Format -= 10;
            return result;
        case g_FormatPackedAGrey:
            return unpackAlpha(graphic, 2, g_FormatAGrey);
        case g_FormatPackedARGBColor:
            return unpackAlpha(graphic, 4, g_FormatARGBColor);
        default:
            return result;
    }
}

g_Graphic g_CompressRLE(const g_Graphic& graphic) {
    const RleRule* rule = ruleFrom(graphic.Format);
    if (rule == nullptr) {
        return graphic;
    }
    g_Graphic result = graphic;
    const bool transparency = hasTransparencyByte(graphic.Format);
    if (transparency && graphic.Data.empty()) {
        result.Format = g_FormatMonochrome;
        return result;
    }
    const ByteView payload = ByteView(graphic.Data).subspan(transparency ? 1 : 0);
    auto coded = codedRle(payload, rule->elementBytes);
    if (!coded) {
        return result;
    }
    if (transparency) {
        logline("g_CompressRLE: Transparency = " + hex2(graphic.Data[0]));
        coded->insert(coded->begin(), graphic.Data[0]);
    }
    if (rule->line != nullptr) {
        logline(rule->line);
    }
    result.Data = std::move(*coded);
    result.Format = rule->to;
    return result;
}

g_Graphic g_DecompressRLE(const g_Graphic& graphic) {
    const RleRule* rule = ruleTo(graphic.Format);
    if (rule == nullptr) {
        return graphic;
    }
    const bool transparency = hasTransparencyByte(rule->from);
    const auto promise = graphicDataBytes(graphic, rule->from);
    if (!promise || (transparency && graphic.Data.empty())) {
        return graphic;
    }
    const std::size_t skip = transparency ? 1 : 0;
    Bytes decoded =
        decodeRle(ByteView(graphic.Data).subspan(skip), rule->elementBytes, capped(*promise - skip));
    if (decoded.empty() && graphic.Data.size() > skip) {
        return graphic;  // damaged or over-long stream: keep the coded data
    }
    if (transparency) {
        decoded.insert(decoded.begin(), graphic.Data[0]);
    }
    g_Graphic result = graphic;
    result.Data = std::move(decoded);
    result.Format = rule->from;
    return result;
}

g_Graphic g_CompressLZW(const g_Graphic& graphic) {
    if (!hasLzwForm(graphic.Format)) {
        return graphic;
    }
    g_Graphic result = graphic;
    result.Format += g_FormatLZW;
    if (graphic.Data.empty()) {
        return result;
    }
    const LzwCoded coded = texttolzwunpacked(graphic.Data);
    Bytes packed = lzwunpackedtopacked(coded.codes, coded.width);
    result.Data.clear();
    result.Data.reserve(1 + packed.size());
    result.Data.push_back(static_cast<std::uint8_t>(coded.width));
    result.Data.insert(result.Data.end(), packed.begin(), packed.end());
    return result;
}

g_Graphic g_DecompressLZW(const g_Graphic& graphic) {
    const int format = graphic.Format - g_FormatLZW;
    if (!hasLzwForm(format)) {
        return graphic;
    }
    g_Graphic result = graphic;
    result.Format = format;
    if (graphic.Data.empty()) {
        return result;
    }
    const std::size_t limit = capped(lzwPromise(graphic, format));
    const int width = graphic.Data[0];
    // Every code stands for at least one byte: more codes than the limit cannot decode, and
    // reading them all would take eight bytes per code first.
    if (width > 0 && (graphic.Data.size() - 1) * 8 / static_cast<std::size_t>(width) > limit) {
        return graphic;
    }
    const LzwCodes codes = lzwpackedtounpacked(ByteView(graphic.Data).subspan(1), width);
    Bytes text = lzwunpackedtotext(codes, limit);
    if (text.empty()) {
        return graphic;  // invalid codes or more data than the header allows: keep it coded
    }
    result.Data = std::move(text);
    return result;
}

}  // namespace zarvik
