#pragma once
// Packing of 1-bit and 4-bit pixel rows into bytes. Rows of `width` pixels are packed one after
// another, each starting on a new byte; the first pixel takes the high bits. A width of 0 packs
// and unpacks nothing.
#include "util/bytes.h"

namespace zarvik {

// One byte per pixel (non-zero sets the bit) to 8 pixels per byte.
Bytes binarybooltopackedbool(ByteView pixels, std::size_t width);
// Back to one byte (0 or 1) per pixel; the padding bits of each row's last byte are skipped.
Bytes packedbooltobinarybool(ByteView packed, std::size_t width);

// One byte per pixel (low 4 bits used) to 2 pixels per byte.
Bytes binarynibbletopackednibble(ByteView pixels, std::size_t width);
// Back to one byte (0...15) per pixel.
Bytes packednibbletobinarynibble(ByteView packed, std::size_t width);

}  // namespace zarvik
