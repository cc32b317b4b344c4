// Makes the toolkit's three text fonts from the DejaVu Sans Mono faces: grey glyphs rendered with
// FreeType into a fixed cell, centred on a common baseline, plus the toolkit's own graphic
// characters 127-159, stored LZW-compressed. Usage: zarvik-fontgen <output folder> [font folder]
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "boxglyphs.h"
#include "util/files.h"
#include "util/lzw.h"

namespace {

using zarvik::Bytes;
using zarvik::fontgen::Cell;

struct FontJob {
    const char* face;
    const char* file;
    int width;
    int height;
};

constexpr int kFirst = 32;
constexpr int kLast = 255;

// Sizes the face so that its advance fills the cell width and its line fits the cell height.
bool sizeFace(FT_Face face, int width, int height, int& baseline) {
    FT_UInt index = FT_Get_Char_Index(face, 'M');
    for (double px = height * 1.0; px > 4; px -= 0.25) {
        FT_Set_Char_Size(face, 0, FT_F26Dot6(std::lround(px * 64)), 72, 72);
        if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0) {
            return false;
        }
        const double advance = face->glyph->advance.x / 64.0;
        const double ascender = face->size->metrics.ascender / 64.0;
        const double descender = -face->size->metrics.descender / 64.0;
        if (advance <= width && ascender + descender <= height) {
            baseline = int(std::lround((height - ascender - descender) / 2 + ascender));
            return true;
        }
    }
    return false;
}

void renderCharacter(FT_Face face, char32_t scalar, int baseline, Cell& cell) {
    if (FT_Load_Char(face, scalar, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0) {
        return;
    }
    const FT_GlyphSlot g = face->glyph;
    const int advance = int(std::lround(g->advance.x / 64.0));
    const int left = g->bitmap_left + (cell.width - advance) / 2;
    const int top = baseline - g->bitmap_top;
    for (unsigned row = 0; row < g->bitmap.rows; ++row) {
        for (unsigned col = 0; col < g->bitmap.width; ++col) {
            const int x = left + int(col);
            const int y = top + int(row);
            if (x >= 0 && y >= 0 && x < cell.width && y < cell.height) {
                const std::uint8_t a = g->bitmap.buffer[row * unsigned(g->bitmap.pitch) + col];
                auto& p = cell.pixels[std::size_t(y) * cell.width + x];
                p = std::max(p, a);
            }
        }
    }
}

bool makeFont(const FT_Library library, const std::string& fontFolder, const std::string& outFolder,
              const FontJob& job) {
    FT_Face face = nullptr;
    const std::string facePath = fontFolder + job.face;
    if (FT_New_Face(library, facePath.c_str(), 0, &face) != 0) {
        std::fprintf(stderr, "zarvik-fontgen: cannot open %s\n", facePath.c_str());
        return false;
    }
    int baseline = 0;
    if (!sizeFace(face, job.width, job.height, baseline)) {
        std::fprintf(stderr, "zarvik-fontgen: %s does not fit %dx%d\n", job.face, job.width, job.height);
        FT_Done_Face(face);
        return false;
    }
    const std::size_t glyphSize = std::size_t(job.width) * job.height;
    Bytes table((kLast + 1) * glyphSize, 0);  // indexed from code 0
    for (int code = kFirst; code <= kLast; ++code) {
        Cell cell{job.width, job.height, std::vector<std::uint8_t>(glyphSize, 0)};
        if (!zarvik::fontgen::drawBoxGlyph(code, cell)) {
            renderCharacter(face, char32_t(code), baseline, cell);  // Latin-1 = the first 256 scalars
        }
        std::copy(cell.pixels.begin(), cell.pixels.end(), table.begin() + std::ptrdiff_t(code * glyphSize));
    }
    FT_Done_Face(face);

    const zarvik::LzwCoded coded = zarvik::texttolzwunpacked(table);
    const Bytes packed = zarvik::lzwunpackedtopacked(coded.codes, coded.width);
    const auto size = std::uint32_t(table.size());
    Bytes file{16,
               'q',
               'x',
               'f',
               'n',
               102,
               std::uint8_t(size >> 24),
               std::uint8_t(size >> 16),
               std::uint8_t(size >> 8),
               std::uint8_t(size),
               kFirst,
               kLast,
               std::uint8_t(job.width),
               std::uint8_t(job.height),
               0,
               0};
    file.push_back(std::uint8_t(coded.width));
    file.insert(file.end(), packed.begin(), packed.end());
    const std::string outPath = outFolder + "/" + job.file;
    if (zarvik::setbinarytofile(outPath, file) != 0) {
        return false;
    }
    std::printf("%s: %zu bytes (%zu uncompressed)\n", outPath.c_str(), file.size(), table.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: zarvik-fontgen <output folder> [font folder]\n");
        return 2;
    }
    const std::string fontFolder =
        argc > 2 ? std::string(argv[2]) + "/" : "/usr/share/fonts/truetype/dejavu/";
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        return 1;
    }
    const FontJob jobs[] = {{"DejaVuSansMono-Bold.ttf", "MenloBold 16x32.font", 16, 32},
                            {"DejaVuSansMono.ttf", "MenloRegular 16x32.font", 16, 32},
                            {"DejaVuSansMono-Bold.ttf", "MenloBold 8x16.font", 8, 16}};
    bool ok = true;
    for (const FontJob& job : jobs) {
        ok = makeFont(library, fontFolder, argv[1], job) && ok;
    }
    FT_Done_FreeType(library);
    return ok ? 0 : 1;
}
