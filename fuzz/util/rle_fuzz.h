#pragma once
// Shared body of the four run-length fuzz targets: any stream decodes without reading outside it
// and within the limit, and data that passes the encoder's size test survives a round trip
// whenever its coded form is long enough for the decoder.
#include <cstdlib>

#include "util/rle.h"

namespace zarvik::fuzz {

constexpr std::size_t kFuzzLimit = std::size_t{1} << 20;

using Encoder = Bytes (*)(ByteView);
using Decoder = Bytes (*)(ByteView, std::size_t);

inline void checkrle(const std::uint8_t* data, std::size_t size, std::size_t k, Encoder encode,
                     Decoder decode) {
    const ByteView input(data, size);
    const Bytes decoded = decode(input, kFuzzLimit);
    if (decoded.size() > kFuzzLimit || decoded.size() % k != 0) {
        std::abort();
    }
    if (size % k == 0 && size >= 4 * k) {
        const Bytes coded = encode(input);
        if (coded.size() >= 4 * k && decode(coded, size) != Bytes(data, data + size)) {
            std::abort();
        }
    }
}

}  // namespace zarvik::fuzz
