#pragma once
// The pictures of the board's squares: a wooden light or dark square, optionally with a chess
// piece drawn from the font's chess symbols, anti-aliased and centred. White pieces are light
// with a dark outline, black pieces dark with a light outline.
#include <memory>
#include <optional>
#include <string>

#include "toolkit/graphics/graphic.h"

namespace zarvik::squares {

enum class Piece { King, Queen, Rook, Bishop, Knight, Pawn };
enum class Side { White, Black };

inline constexpr int kSquarePixels = 40;

// Renders glyphs of one font file; fails when the font cannot be opened.
class PieceArtist {
  public:
    static std::optional<PieceArtist> open(const std::string& fontPath);
    PieceArtist(PieceArtist&&) noexcept;
    PieceArtist& operator=(PieceArtist&&) noexcept;
    ~PieceArtist();

    // A 40 x 40 plain ARGB image (every alpha 255) of a light or dark square.
    g_Graphic square(bool light) const;
    // The same square with the piece on it; nullopt when the font lacks the symbol.
    std::optional<g_Graphic> piece(Piece piece, Side side, bool lightSquare) const;

  private:
    struct Fonts;
    explicit PieceArtist(std::unique_ptr<Fonts> fonts);
    std::unique_ptr<Fonts> fonts_;
};

}  // namespace zarvik::squares
