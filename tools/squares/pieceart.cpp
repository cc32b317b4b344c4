#include "tools/squares/pieceart.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace zarvik::squares {
namespace {

// Glyphs are rendered into a larger canvas first, so that the piece can be centred afterwards.
constexpr int kCanvas = 64;
constexpr int kOriginX = 8;
constexpr int kBaseline = 52;
// The king, the tallest symbol, is scaled to this height; the others keep their proportions.
constexpr int kKingHeight = 33;

struct Rgb {
    double r, g, b;
};

constexpr Rgb kLightSquare{236, 214, 176};
constexpr Rgb kDarkSquare{176, 124, 86};
constexpr Rgb kWhiteBody{250, 246, 236};
constexpr Rgb kWhiteLines{38, 30, 26};
constexpr Rgb kBlackBody{46, 40, 38};
constexpr Rgb kBlackHalo{238, 232, 220};

using Mask = std::vector<double>;  // coverage 0...1 per canvas pixel

char32_t whiteSymbol(Piece piece) {
    switch (piece) {
        case Piece::King:
            return U'\u2654';
        case Piece::Queen:
            return U'\u2655';
        case Piece::Rook:
            return U'\u2656';
        case Piece::Bishop:
            return U'\u2657';
        case Piece::Knight:
            return U'\u2658';
        case Piece::Pawn:
            break;
    }
    return U'\u2659';
}

char32_t blackSymbol(Piece piece) {
    return whiteSymbol(piece) + 6;
}

double& at(Mask& mask, int x, int y) {
    return mask[static_cast<std::size_t>(y * kCanvas + x)];
}
double at(const Mask& mask, int x, int y) {
    if (x < 0 || y < 0 || x >= kCanvas || y >= kCanvas) {
        return 0;
    }
    return mask[static_cast<std::size_t>(y * kCanvas + x)];
}

// Everything not reachable from the canvas edge through thin coverage is inside the piece: the
// body without the holes the symbol leaves for its inner lines.
Mask silhouette(const Mask& glyph) {
    std::vector<bool> outside(glyph.size(), false);
    std::vector<std::pair<int, int>> stack;
    for (int i = 0; i < kCanvas; ++i) {
        stack.insert(stack.end(), {{i, 0}, {i, kCanvas - 1}, {0, i}, {kCanvas - 1, i}});
    }
    while (!stack.empty()) {
        const auto [x, y] = stack.back();
        stack.pop_back();
        if (x < 0 || y < 0 || x >= kCanvas || y >= kCanvas) {
            continue;
        }
        const auto index = static_cast<std::size_t>(y * kCanvas + x);
        if (outside[index] || glyph[index] >= 0.5) {
            continue;
        }
        outside[index] = true;
        stack.insert(stack.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
    }
    Mask result(glyph.size());
    for (std::size_t i = 0; i < glyph.size(); ++i) {
        result[i] = outside[i] ? glyph[i] : 1.0;
    }
    return result;
}

// A soft outline ring: the body grown by one pixel, fading over the next.
Mask grown(const Mask& body) {
    Mask result(body.size());
    for (int y = 0; y < kCanvas; ++y) {
        for (int x = 0; x < kCanvas; ++x) {
            double near = 0;
            double far = 0;
            for (int dy = -2; dy <= 2; ++dy) {
                for (int dx = -2; dx <= 2; ++dx) {
                    const int d2 = dx * dx + dy * dy;
                    if (d2 <= 2) {
                        near = std::max(near, at(body, x + dx, y + dy));
                    } else if (d2 <= 5) {
                        far = std::max(far, at(body, x + dx, y + dy));
                    }
                }
            }
            at(result, x, y) = std::max(near, 0.4 * far);
        }
    }
    return result;
}

// Light or dark wood: the square's tone with a faint, regular grain.
std::vector<Rgb> woodSquare(bool light) {
    const Rgb base = light ? kLightSquare : kDarkSquare;
    std::vector<Rgb> pixels;
    pixels.reserve(kSquarePixels * kSquarePixels);
    for (int y = 0; y < kSquarePixels; ++y) {
        for (int x = 0; x < kSquarePixels; ++x) {
            const double grain = std::sin(0.55 * y + 1.7 * std::sin(0.11 * x + (light ? 0.0 : 1.3)));
            const double shade = 1.0 + (light ? 0.025 : 0.04) * grain;
            pixels.push_back({base.r * shade, base.g * shade, base.b * shade});
        }
    }
    return pixels;
}

g_Graphic toGraphic(const std::vector<Rgb>& pixels) {
    g_Graphic graphic;
    graphic.Format = g_FormatARGBColor;
    graphic.Width = kSquarePixels;
    graphic.Height = kSquarePixels;
    graphic.Size = kSquarePixels * kSquarePixels;
    graphic.ScaleWidth = 1;
    graphic.ScaleHeight = 1;
    graphic.Data.reserve(pixels.size() * 4);
    const auto channel = [](double v) {
        return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
    };
    for (const Rgb& p : pixels) {
        graphic.Data.insert(graphic.Data.end(), {255, channel(p.r), channel(p.g), channel(p.b)});
    }
    return graphic;
}

}  // namespace

struct PieceArtist::Fonts {
    FT_Library library = nullptr;
    FT_Face face = nullptr;

    ~Fonts() {
        if (face != nullptr) {
            FT_Done_Face(face);
        }
        if (library != nullptr) {
            FT_Done_FreeType(library);
        }
    }

    // The symbol's coverage on the canvas, pen at (kOriginX, kBaseline); nullopt when missing.
    std::optional<Mask> render(char32_t symbol) const {
        const FT_UInt index = FT_Get_Char_Index(face, symbol);
        if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0) {
            return std::nullopt;
        }
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        Mask mask(kCanvas * kCanvas, 0.0);
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            for (unsigned column = 0; column < bitmap.width; ++column) {
                const int x = kOriginX + slot->bitmap_left + static_cast<int>(column);
                const int y = kBaseline - slot->bitmap_top + static_cast<int>(row);
                if (x >= 0 && y >= 0 && x < kCanvas && y < kCanvas) {
                    at(mask, x, y) =
                        bitmap.buffer[row * static_cast<unsigned>(bitmap.pitch) + column] / 255.0;
                }
            }
        }
        return mask;
    }
};

PieceArtist::PieceArtist(std::unique_ptr<Fonts> fonts) : fonts_(std::move(fonts)) {}
PieceArtist::PieceArtist(PieceArtist&&) noexcept = default;
PieceArtist& PieceArtist::operator=(PieceArtist&&) noexcept = default;
PieceArtist::~PieceArtist() = default;

std::optional<PieceArtist> PieceArtist::open(const std::string& fontPath) {
    auto fonts = std::make_unique<Fonts>();
    if (FT_Init_FreeType(&fonts->library) != 0 ||
        FT_New_Face(fonts->library, fontPath.c_str(), 0, &fonts->face) != 0) {
        return std::nullopt;
    }
    // Size the font so that the king is kKingHeight pixels tall.
    constexpr int kProbe = 100;
    FT_Set_Pixel_Sizes(fonts->face, 0, kProbe);
    if (FT_Load_Char(fonts->face, blackSymbol(Piece::King), FT_LOAD_DEFAULT) != 0) {
        return std::nullopt;
    }
    const double height = static_cast<double>(fonts->face->glyph->metrics.height) / 64.0;
    if (height <= 0) {
        return std::nullopt;
    }
    FT_Set_Pixel_Sizes(fonts->face, 0, static_cast<FT_UInt>(std::lround(kProbe * kKingHeight / height)));
    return PieceArtist(std::move(fonts));
}

g_Graphic PieceArtist::square(bool light) const {
    return toGraphic(woodSquare(light));
}

std::optional<g_Graphic> PieceArtist::piece(Piece piece, Side side, bool lightSquare) const {
    const auto solid = fonts_->render(blackSymbol(piece));
    const auto lines = fonts_->render(whiteSymbol(piece));
    if (!solid || !lines) {
        return std::nullopt;
    }
    const Mask body = silhouette(*solid);
    const Mask halo = grown(body);

    // Centre the outlined piece on the square.
    int left = kCanvas, right = -1, top = kCanvas, bottom = -1;
    for (int y = 0; y < kCanvas; ++y) {
        for (int x = 0; x < kCanvas; ++x) {
            if (at(halo, x, y) > 0.05) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    const int shiftX = (left + right + 1) / 2 - kSquarePixels / 2;
    const int shiftY = (top + bottom + 1) / 2 - kSquarePixels / 2;

    std::vector<Rgb> pixels = woodSquare(lightSquare);
    const auto paint = [&](const Mask& mask, Rgb colour) {
        for (int y = 0; y < kSquarePixels; ++y) {
            for (int x = 0; x < kSquarePixels; ++x) {
                const double a = at(mask, x + shiftX, y + shiftY);
                Rgb& p = pixels[static_cast<std::size_t>(y * kSquarePixels + x)];
                p = {p.r * (1 - a) + colour.r * a, p.g * (1 - a) + colour.g * a,
                     p.b * (1 - a) + colour.b * a};
            }
        }
    };
    if (side == Side::White) {
        paint(halo, kWhiteLines);
        paint(body, kWhiteBody);
        paint(*lines, kWhiteLines);
    } else {
        paint(halo, kBlackHalo);
        paint(*solid, kBlackBody);
    }
    return toGraphic(pixels);
}

}  // namespace zarvik::squares
