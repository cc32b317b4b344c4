#include "util/packing.h"

#include <string>

#include "util/log.h"

namespace zarvik {
namespace {

// Packs rows of `width` pixels at `bits` bits per pixel (1 or 4), the first pixel in the high bits.
// Returns true when the input ended inside a byte (the byte is appended either way).
bool pack(ByteView pixels, std::size_t width, int bits, Bytes& out) {
    const std::uint8_t mask = static_cast<std::uint8_t>((1u << bits) - 1);
    const std::size_t perByte = 8 / static_cast<std::size_t>(bits);
    const std::size_t bytesPerRow = (width + perByte - 1) / perByte;
    out.reserve((pixels.size() / width + 1) * bytesPerRow);
    std::uint8_t current = 0;
    int shift = 8 - bits;
    std::size_t column = 0;
    for (const std::uint8_t pixel : pixels) {
        const std::uint8_t value = bits == 1 ? (pixel != 0 ? 1 : 0) : (pixel & mask);
        current = static_cast<std::uint8_t>(current | (value << shift));
        shift -= bits;
        ++column;
        const bool rowEnds = column == width;
        if (shift < 0 || rowEnds) {
            out.push_back(current);
            current = 0;
            shift = 8 - bits;
            if (rowEnds) {
                column = 0;
            }
        }
    }
    if (shift != 8 - bits) {
        out.push_back(current);
        return true;
    }
    return false;
}

Bytes unpack(ByteView packed, std::size_t width, int bits) {
    const std::uint8_t mask = static_cast<std::uint8_t>((1u << bits) - 1);
    const std::size_t perByte = 8 / static_cast<std::size_t>(bits);
    Bytes out;
    out.reserve(packed.size() * (width < perByte ? width : perByte));
    std::size_t column = 0;
    for (const std::uint8_t byte : packed) {
        for (int shift = 8 - bits; shift >= 0; shift -= bits) {
            out.push_back(static_cast<std::uint8_t>((byte >> shift) & mask));
            if (++column == width) {
                column = 0;
                break;  // the rest of the byte is row padding
            }
        }
    }
    return out;
}

}  // namespace

Bytes binarybooltopackedbool(ByteView pixels, std::size_t width) {
    Bytes out;
    if (width == 0) {
        return out;
    }
    if (pack(pixels, width, 1, out)) {
        logline("binarybooltopackedbool: Appending one Byte = " + std::to_string(out.back()));
    }
    return out;
}

Bytes packedbooltobinarybool(ByteView packed, std::size_t width) {
    return width == 0 ? Bytes{} : unpack(packed, width, 1);
}

// An incomplete last row keeps its final half-filled byte, as with the bit packer, so no pixel
// is lost; it is appended without a line.
Bytes binarynibbletopackednibble(ByteView pixels, std::size_t width) {
    Bytes out;
    if (width != 0) {
        pack(pixels, width, 4, out);
    }
    return out;
}

Bytes packednibbletobinarynibble(ByteView packed, std::size_t width) {
    return width == 0 ? Bytes{} : unpack(packed, width, 4);
}

}  // namespace zarvik
