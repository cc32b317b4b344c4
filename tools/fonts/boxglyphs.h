#pragma once
// The toolkit's own graphic characters 127-159: lines, corners, junctions, arrows and blocks,
// drawn straight into a grey glyph cell so that they join seamlessly across neighbouring cells.
#include <cstdint>
#include <vector>

namespace zarvik::fontgen {

// A width x height grey cell, 0 = background, 255 = foreground.
struct Cell {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
    void fill(int x0, int y0, int x1, int y1, std::uint8_t value = 255);  // half-open box, clipped
};

// Draws graphic character `code` (127...159) into the empty cell; false for other codes.
bool drawBoxGlyph(int code, Cell& cell);

}  // namespace zarvik::fontgen
