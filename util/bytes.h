#pragma once
// Byte arrays as the codecs and file functions pass them, and the big-endian header reader.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zarvik {

using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;

// Output cap of every decoder unless the caller passes its own: a crafted stream must not be
// able to take all memory. Real fonts and graphics are far smaller.
inline constexpr std::size_t kDecodeLimit = std::size_t{256} << 20;

// Font and graphic headers store their fields most significant byte first. 0 when the array
// holds fewer than offset + 4 bytes.
std::uint32_t bytesToUInt32(ByteView bytes, std::size_t offset);

}  // namespace zarvik
