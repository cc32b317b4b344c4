#pragma once
// The two pictures of the position in window 0: the text board with German piece letters and the
// material captions, and the graphic board made of 40-pixel square images with coordinate labels.
// Both redraw everything each time, with the marks of frontend/boardmarks.h and its orientation.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "rules/game.h"
#include "toolkit/graphics/graphic.h"

namespace zarvik::frontend {

// --- the letters and images of the board's text form

// The letter shown for a text-form letter (P R K B Q G in either case): B T S L D K, same case.
std::optional<char> displayedLetter(char textForm);
// Bauer 1, Turm 5, Springer 3, Läufer 3, Dame 9, König 0; 0 for anything else.
int materialValue(char textForm);
// Position 9 * (line - 1) + column of the text form is odd: a8 is light.
constexpr bool isLightSquare(int line, int column) {
    return (9 * (line - 1) + column) % 2 == 1;
}
// The index into the image table: "E"/"e" for empty squares, the letter's code on a light square,
// that code minus 64 on a dark one.
int pieceGraphicIndex(std::optional<char> textForm, bool light);

// The 26 square images in loading order: file name and table index.
struct PieceGraphicFile {
    std::string name;
    int index;
};
const std::vector<PieceGraphicFile>& pieceGraphicFiles();

// The material sums of the pieces on a board.
struct Material {
    int white = 0;
    int black = 0;
};
Material materialOf(const Board& board);

// The captions above the boards, as the text board draws them: "Weiss: 39 " and " Schwarz: 39 ".
struct MaterialCaptions {
    std::string white;
    std::string black;
};
MaterialCaptions materialCaptions(const Material& material);

// --- drawing in window 0

// Fills the image table: every entry empty, then the 26 files from the resources.
void loadPieceGraphics();
// The loaded image of a table index (the empty image outside 0...127).
const g_Graphic& pieceGraphic(int index);

void chess_DrawTextBoard(const Game& game);
void drawGraphicBoard(const Game& game);
// Text board first, then the graphic board.
void drawBoards(const Game& game);
// Program thread: draws the current game's boards again when "Brett drehen" asked for it.
void redrawTurnedBoards();

// --- clicks on the boards

// The square under a pixel of window 0's graphic, on the graphic board (40-pixel squares from
// x 48, y 161) or on the text board (a piece letter and the blank after it); none elsewhere.
std::optional<int> boardSquareAt(int x, int y);

}  // namespace zarvik::frontend
