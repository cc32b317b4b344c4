#pragma once
// Writing an RGB picture for inspection as binary PPM (PNG is the toolkit's g_WritePNG).
#include <cstdint>
#include <span>
#include <string>

namespace zarvik {

// rgb holds width x height pixels of three bytes, row by row from the top. False when the file
// cannot be written or the sizes do not match.
bool writeppm(const std::string& path, int width, int height, std::span<const std::uint8_t> rgb);

}  // namespace zarvik
