// Byte 0 picks bits or nibbles, bytes 1-2 the row width, the rest is data. Unpacking any data is
// safe, and packing whole rows of pixels then unpacking them gives the pixels back.
#include <cstdlib>

#include "util/packing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zarvik;
    if (size < 3) {
        return 0;
    }
    const bool bits = (data[0] & 1) != 0;
    const std::size_t width = 1 + ((std::size_t{data[1]} << 8 | data[2]) % 1024);
    const ByteView rest(data + 3, size - 3);
    const Bytes unpacked =
        bits ? packedbooltobinarybool(rest, width) : packednibbletobinarynibble(rest, width);
    if (unpacked.size() > rest.size() * 8) {
        std::abort();
    }
    const ByteView rows = rest.first(rest.size() / width * width);
    Bytes expected(rows.begin(), rows.end());
    for (auto& pixel : expected) {
        pixel = bits ? (pixel != 0) : (pixel & 15);
    }
    const Bytes packed = bits ? binarybooltopackedbool(rows, width) : binarynibbletopackednibble(rows, width);
    const Bytes back =
        bits ? packedbooltobinarybool(packed, width) : packednibbletobinarynibble(packed, width);
    if (back != expected) {
        std::abort();
    }
    return 0;
}
