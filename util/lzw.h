#pragma once
// Lempel-Ziv-Welch coding of byte arrays for font and graphic data. Codes 0...255 are the single
// bytes, new codes count up from 256 without limit, reset or end code. A stored block is one byte
// holding the code width followed by the codes packed at that width, most significant bit first.
#include <cstdint>
#include <vector>

#include "util/bytes.h"

namespace zarvik {

using LzwCodes = std::vector<std::int64_t>;

struct LzwCoded {
    LzwCodes codes;
    int width = 8;  // smallest width >= 8 that holds every emitted code
};

// Codes the bytes; prints a progress line about once a second on long inputs.
LzwCoded texttolzwunpacked(ByteView data);

// Writes each code as exactly `width` bits (1...56); a final partial byte is padded with zeros.
// Any other width prints an error line and gives an empty result.
Bytes lzwunpackedtopacked(std::span<const std::int64_t> codes, int width);

// Reads codes of `width` bits (1...56) back; leftover bits that make no whole code are ignored.
// Any other width prints an error line and gives an empty result.
LzwCodes lzwpackedtounpacked(ByteView packed, int width);

// Turns codes back into bytes. An invalid code (neither known nor the next free one) gives an
// empty result, as does output beyond `limit` bytes (with an error line).
Bytes lzwunpackedtotext(std::span<const std::int64_t> codes, std::size_t limit = kDecodeLimit);

}  // namespace zarvik
