// zarvik-squares OUTPUT-FOLDER [FONT]: writes the board's 26 square images (EW.gr, EB.gr,
// PWW.gr ... QBB.gr) through the toolkit's own chain, pack -> run-length -> LZW, and checks that
// each file expands back to the picture it was made from.
#include <cstdio>
#include <string>
#include <vector>

#include "toolkit/graphics/graphicfile.h"
#include "toolkit/graphics/graphicpack.h"
#include "tools/squares/pieceart.h"

namespace {

using zarvik::g_Graphic;
using zarvik::squares::Piece;
using zarvik::squares::Side;

constexpr const char* kDefaultFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// The file name letters of the board's text form: G is the king, K the knight.
struct PieceName {
    Piece piece;
    char letter;
};
constexpr PieceName kPieces[] = {{Piece::Pawn, 'P'},   {Piece::Rook, 'R'}, {Piece::Knight, 'K'},
                                 {Piece::Bishop, 'B'}, {Piece::King, 'G'}, {Piece::Queen, 'Q'}};

bool save(const std::string& folder, const std::string& name, const g_Graphic& picture) {
    const g_Graphic stored = zarvik::g_CompressLZW(zarvik::g_CompressRLE(zarvik::g_Pack(picture)));
    const std::string path = folder + "/" + name;
    if (!zarvik::g_SaveGraphic(path, stored)) {
        std::fprintf(stderr, "zarvik-squares: cannot write %s\n", path.c_str());
        return false;
    }
    const g_Graphic loaded = zarvik::g_LoadGraphic(path);
    const g_Graphic expanded = zarvik::g_UnPack(zarvik::g_DecompressRLE(zarvik::g_DecompressLZW(loaded)));
    if (loaded.Format != stored.Format || expanded != picture) {
        std::fprintf(stderr, "zarvik-squares: %s does not expand back to its picture\n", path.c_str());
        return false;
    }
    std::printf("%s: format %d, %zu data bytes\n", name.c_str(), stored.Format, stored.Data.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: zarvik-squares OUTPUT-FOLDER [FONT]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::string font = argc == 3 ? argv[2] : kDefaultFont;
    const auto artist = zarvik::squares::PieceArtist::open(font);
    if (!artist) {
        std::fprintf(stderr, "zarvik-squares: cannot use the font %s\n", font.c_str());
        return 1;
    }
    bool ok = save(folder, "EW.gr", artist->square(true)) && save(folder, "EB.gr", artist->square(false));
    for (const PieceName& entry : kPieces) {
        for (const Side side : {Side::White, Side::Black}) {
            for (const bool light : {true, false}) {
                const auto picture = artist->piece(entry.piece, side, light);
                if (!picture) {
                    std::fprintf(stderr, "zarvik-squares: the font has no symbol for %c\n", entry.letter);
                    return 1;
                }
                const std::string name =
                    std::string{entry.letter, side == Side::White ? 'W' : 'B', light ? 'W' : 'B'} + ".gr";
                ok = ok && save(folder, name, *picture);
            }
        }
    }
    return ok ? 0 : 1;
}
