#pragma once
// The three reversible transformations that make images small for their files: packing
// (1-bit and 4-bit rows into bytes, a shared alpha stored once), run-length coding and LZW
// coding. Each is a pure function; a format it does not handle passes through unchanged, and so
// does data that cannot be transformed safely (too short to code, or a stream that is damaged
// or would expand beyond what the image's header promises), so that no pixel data is lost.
#include "toolkit/graphics/graphic.h"

namespace zarvik {

// 0 -> 10, 1 -> 11, and 4 -> 14, 5 -> 15 when every pixel has the same alpha.
g_Graphic g_Pack(const g_Graphic& graphic);
// 10 -> 0, 11 -> 1, 14 -> 4, 15 -> 5.
g_Graphic g_UnPack(const g_Graphic& graphic);

// Plain and packed formats F -> F + 20. Packed grey and colour keep their alpha byte in front
// and code the rest with 1-byte and 3-byte elements, the sizes of their pixels.
g_Graphic g_CompressRLE(const g_Graphic& graphic);
g_Graphic g_DecompressRLE(const g_Graphic& graphic);

// Every format F below 100 -> F + 100: the code width byte, then the packed codes.
g_Graphic g_CompressLZW(const g_Graphic& graphic);
g_Graphic g_DecompressLZW(const g_Graphic& graphic);

}  // namespace zarvik
