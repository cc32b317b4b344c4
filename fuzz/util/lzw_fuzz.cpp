// The first byte is the code width, the rest a packed stream: unpacking and decoding any such
// block stays inside the input and the limit. The whole input also goes through coder, packer,
// unpacker and decoder and must come back unchanged.
#include <cstdlib>

#include "util/lzw.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zarvik;
    constexpr std::size_t kLimit = std::size_t{1} << 20;
    if (size == 0) {
        return 0;
    }
    const LzwCodes codes = lzwpackedtounpacked(ByteView(data + 1, size - 1), data[0]);
    if (lzwunpackedtotext(codes, kLimit).size() > kLimit) {
        std::abort();
    }
    const ByteView input(data, size);
    const LzwCoded coded = texttolzwunpacked(input);
    const LzwCodes back = lzwpackedtounpacked(lzwunpackedtopacked(coded.codes, coded.width), coded.width);
    if (back != coded.codes || lzwunpackedtotext(back, size) != Bytes(data, data + size)) {
        std::abort();
    }
    return 0;
}
