#pragma once
// Run-length codecs for graphic pixel data with elements of 1, 2, 3 or 4 bytes (grey, grey with
// alpha, RGB, ARGB). A stream starts with an escape element chosen as the rarest one; every
// other element stands for itself, the escape introduces a repeat command. Malformed streams are
// reported line by line and decoded as far as they go; nothing throws.
#include "util/bytes.h"

namespace zarvik {

// Encoders. An input that is too short or not a whole number of elements (fewer than 4
// elements) is returned unchanged.
Bytes binary8torle(ByteView data);
Bytes binary16torle(ByteView data);
Bytes binary24torle(ByteView data);
Bytes binary32torle(ByteView data);

// Decoders. An input of fewer than four elements' worth of bytes gives an empty result. When the
// output would grow beyond `limit` bytes the decoder prints its error line and returns an empty
// result; a trailing partial element or command is dropped.
Bytes rletobinary8(ByteView rle, std::size_t limit = kDecodeLimit);
Bytes rletobinary16(ByteView rle, std::size_t limit = kDecodeLimit);
Bytes rletobinary24(ByteView rle, std::size_t limit = kDecodeLimit);
Bytes rletobinary32(ByteView rle, std::size_t limit = kDecodeLimit);

}  // namespace zarvik
