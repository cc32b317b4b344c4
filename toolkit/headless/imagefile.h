#pragma once
// Writing an RGB picture for inspection: PNG (uncompressed deflate blocks, no zlib needed) or
// binary PPM.
#include <cstdint>
#include <span>
#include <string>

namespace zarvik {

// rgb holds width x height pixels of three bytes, row by row from the top. False when the file
// cannot be written or the sizes do not match.
bool writepng(const std::string& path, int width, int height, std::span<const std::uint8_t> rgb);
bool writeppm(const std::string& path, int width, int height, std::span<const std::uint8_t> rgb);

}  // namespace zarvik
