#pragma once
// PNG pictures of console windows, written with libpng, for "Grafik sichern unter…" with a .png
// name and for the headless host's screenshots.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "util/bytes.h"

namespace zarvik {

// rgb holds width x height pixels of three bytes, row by row from the top. The file is written
// beside the target and renamed over it; false when the sizes do not match or the file cannot be
// written (the previous file then stays as it was).
bool g_WritePNG(const std::string& path, int width, int height, std::span<const std::uint8_t> rgb);

// The file's bytes, for callers that write them themselves; nullopt when the sizes do not match.
std::optional<Bytes> pngFileBytes(int width, int height, std::span<const std::uint8_t> rgb);

// The window's picture as the RGB bytes of g_WritePNG; empty for a window without one.
std::vector<std::uint8_t> g_ScreenRGB(std::uint8_t window);

// True when the name ends in ".png", in any case.
bool g_IsPNGName(std::string_view path);

}  // namespace zarvik
