#include "frontend/boarddisplay.h"

#include <atomic>
#include <mutex>

#include "rules/board.h"
#include "toolkit/graphics/graphicdraw.h"
#include "toolkit/graphics/graphicfile.h"
#include "toolkit/screen/font.h"
#include "toolkit/screen/palette.h"
#include "toolkit/screen/pixels.h"
#include "toolkit/screen/window.h"
#include "toolkit/text/glyph.h"
#include "toolkit/text/textoutput.h"
#include "util/log.h"

namespace zarvik::frontend {
namespace {

constexpr std::uint8_t kWindow = 0;
constexpr int kImages = 128;
constexpr int kLabelColor = 15;
constexpr int kLabelBackground = 0;
constexpr int kEmptyColor = 10;
constexpr int kWhiteColor = 15;
constexpr int kBlackColor = 1;
constexpr int kNormalColor = 12;

// The graphic board: 40-pixel squares, file A from x 48, rank 8 from y 161.
constexpr int kSquarePixels = 40;
constexpr int kBoardLeft = 48;
constexpr int kBoardTop = 161;
// The text board: rank 8 on line 7, file A's letter in column 30, a letter and a blank per square.
constexpr int kTextBoardLine = 7;
constexpr int kTextBoardColumn = 30;

// Counts the drawings of the boards, so that a mark knows whether it is still on screen.
std::atomic<std::uint64_t> boardDrawings{0};
// The drawing that the mark was made on.
std::atomic<std::uint64_t> markedDrawing{0};

// Line and column (from 1) of a square in the text form; rank 8 is line 1.
int lineOfSquare(int square) {
    return 8 - square / 8;
}
int columnOfSquare(int square) {
    return square % 8 + 1;
}

std::array<g_Graphic, kImages>& images() {
    static std::array<g_Graphic, kImages> table;
    return table;
}

const t_Font& labelFont() {
    static const t_Font font = t_LoadFontResource("MenloBold 8x16.font");
    return font;
}

// Draws each character of the text at the graphic cursor with the label font.
void drawLabel(int x, int y, std::string_view text) {
    g_GotoXY(kWindow, x, y);
    const std::uint32_t color = t_ColorValue(t_PaletteColor(kLabelColor));
    const std::uint32_t background = t_ColorValue(t_PaletteColor(kLabelBackground));
    for (const char c : text) {
        g_PrintSymbol(kWindow, static_cast<std::uint8_t>(c), 1, 1, color, background, labelFont());
    }
}

// The text-form letter of each square in display order: rank 8 first, file A first in each rank;
// none for an empty square.
std::vector<std::optional<char>> squaresOf(const Board& board) {
    std::vector<std::optional<char>> squares;
    squares.reserve(64);
    for (int line = 1; line <= 8; ++line) {
        for (int column = 1; column <= 8; ++column) {
            squares.push_back(board.square(BoardLocation(column - 1 + 8 * (8 - line))).boardCharacter());
        }
    }
    return squares;
}

// The image of one square (line and column of the text form, from 1) at its place.
void drawSquareImage(const std::vector<std::optional<char>>& squares, int line, int column) {
    const std::optional<char> square = squares[static_cast<std::size_t>(8 * (line - 1) + column - 1)];
    g_Draw(kWindow, pieceGraphic(pieceGraphicIndex(square, isLightSquare(line, column))),
           kBoardLeft + kSquarePixels * (column - 1), 121 + kSquarePixels * line, 1, -1);
}

}  // namespace

std::optional<char> displayedLetter(char textForm) {
    const bool black = textForm >= 'a' && textForm <= 'z';
    const char upper = black ? static_cast<char>(textForm - 'a' + 'A') : textForm;
    char shown = 0;
    switch (upper) {
        case 'P':
            shown = 'B';
            break;
        case 'R':
            shown = 'T';
            break;
        case 'K':
            shown = 'S';
            break;
        case 'B':
            shown = 'L';
            break;
        case 'Q':
            shown = 'D';
            break;
        case 'G':
            shown = 'K';
            break;
        default:
            return std::nullopt;
    }
    return black ? static_cast<char>(shown - 'A' + 'a') : shown;
}

int materialValue(char textForm) {
    switch (textForm) {
        case 'P':
        case 'p':
            return 1;
        case 'R':
        case 'r':
            return 5;
        case 'K':
        case 'k':
        case 'B':
        case 'b':
            return 3;
        case 'Q':
        case 'q':
            return 9;
        default:
            return 0;
    }
}

int pieceGraphicIndex(std::optional<char> textForm, bool light) {
    if (!textForm) {
        return light ? 'E' : 'e';
    }
    return light ? *textForm : *textForm - 64;
}

const std::vector<PieceGraphicFile>& pieceGraphicFiles() {
    static const std::vector<PieceGraphicFile> files = [] {
        std::vector<PieceGraphicFile> list{{"EW.gr", 'E'}, {"EB.gr", 'e'}};
        for (const char piece : {'P', 'R', 'K', 'B', 'G', 'Q'}) {
            const char black = static_cast<char>(piece - 'A' + 'a');
            for (const bool lightSquare : {true, false}) {
                const std::string square = lightSquare ? "W" : "B";
                list.push_back(
                    {std::string(1, piece) + "W" + square + ".gr", pieceGraphicIndex(piece, lightSquare)});
                list.push_back(
                    {std::string(1, piece) + "B" + square + ".gr", pieceGraphicIndex(black, lightSquare)});
            }
        }
        return list;
    }();
    return files;
}

Material materialOf(const Board& board) {
    Material material;
    for (const std::optional<char>& square : squaresOf(board)) {
        if (!square) {
            continue;
        }
        const bool black = *square >= 'a' && *square <= 'z';
        (black ? material.black : material.white) += materialValue(*square);
    }
    return material;
}

MaterialCaptions materialCaptions(const Material& material) {
    return {"Weiss: " + std::to_string(material.white) + " ",
            " Schwarz: " + std::to_string(material.black) + " "};
}

void loadPieceGraphics() {
    std::array<g_Graphic, kImages>& table = images();
    table.fill(g_EmptyGraphic());
    for (const PieceGraphicFile& file : pieceGraphicFiles()) {
        table[static_cast<std::size_t>(file.index)] = g_LoadGraphicResource(file.name);
    }
}

const g_Graphic& pieceGraphic(int index) {
    static const g_Graphic empty = g_EmptyGraphic();
    if (index < 0 || index >= kImages) {
        return empty;
    }
    return images()[static_cast<std::size_t>(index)];
}

void chess_DrawTextBoard(const Game& game) {
    logline("chess_DrawTextBoard");
    ++boardDrawings;
    const std::vector<std::optional<char>> squares = squaresOf(game.board);
    constexpr std::string_view kFiles = "   A B C D E F G H   ";
    t_Inverse(kWindow);
    t_Vtab(kWindow, 5);
    t_Htab(kWindow, 27);
    t_Print(kWindow, kFiles);
    t_Cr(kWindow);
    const auto frameLine = [] {
        t_Htab(kWindow, 27);
        t_Print(kWindow, " ");
        t_Htab(kWindow, 47);
        t_Print(kWindow, " ");
        t_Cr(kWindow);
    };
    frameLine();
    for (int line = 1; line <= 8; ++line) {
        const std::string rank(1, static_cast<char>('0' + 9 - line));
        t_Inverse(kWindow);
        t_Htab(kWindow, 27);
        t_Print(kWindow, rank);
        t_Normal(kWindow);
        t_Print(kWindow, "  ");
        for (int column = 1; column <= 8; ++column) {
            const std::optional<char> square = squares[static_cast<std::size_t>(8 * (line - 1) + column - 1)];
            if (!square) {
                t_Color(kWindow, kEmptyColor);
                t_Print(kWindow, "·");
            } else {
                const bool black = *square >= 'a' && *square <= 'z';
                t_Color(kWindow, black ? kBlackColor : kWhiteColor);
                t_Print(kWindow, std::string(1, displayedLetter(*square).value_or('?')));
            }
            t_Color(kWindow, kNormalColor);
            t_Print(kWindow, " ");
        }
        t_Print(kWindow, " ");
        t_Inverse(kWindow);
        t_Print(kWindow, rank);
        t_Cr(kWindow);
    }
    frameLine();
    t_Htab(kWindow, 27);
    t_Print(kWindow, kFiles);
    t_Cr(kWindow);
    t_Normal(kWindow);
    const MaterialCaptions captions = materialCaptions(materialOf(game.board));
    drawLabel(464, 96, captions.white);
    drawLabel(608, 96, captions.black);
    t_Color(kWindow, kNormalColor);
}

void drawGraphicBoard(const Game& game) {
    ++boardDrawings;
    t_Window& record = t_WindowRecord(kWindow);
    const std::uint8_t textColor = record.TextColor;
    const std::vector<std::optional<char>> squares = squaresOf(game.board);
    for (int line = 1; line <= 8; ++line) {
        for (int column = 1; column <= 8; ++column) {
            drawSquareImage(squares, line, column);
        }
    }
    record.TextColor = textColor;
    for (int k = 0; k < 8; ++k) {
        const std::string rank(1, static_cast<char>('8' - k));
        const std::string file(1, static_cast<char>('A' + k));
        drawLabel(33, 173 + 40 * k, rank);
        drawLabel(374, 173 + 40 * k, rank);
        drawLabel(63 + 40 * k, 139, file);
        drawLabel(63 + 40 * k, 487, file);
    }
}

void drawBoards(const Game& game) {
    chess_DrawTextBoard(game);
    drawGraphicBoard(game);
}

std::optional<int> boardSquareAt(int x, int y) {
    if (x >= kBoardLeft && x < kBoardLeft + 8 * kSquarePixels && y >= kBoardTop &&
        y < kBoardTop + 8 * kSquarePixels) {
        return (x - kBoardLeft) / kSquarePixels + 8 * (7 - (y - kBoardTop) / kSquarePixels);
    }
    const t_Window& record = t_WindowRecord(kWindow);
    if (record.TextWidth <= 0 || record.TextHeight <= 0 || x < 0 || y < 0) {
        return std::nullopt;
    }
    const int column = x / (record.Width / record.TextWidth) + 1 - kTextBoardColumn;
    const int line = y / (record.Height / record.TextHeight) + 1 - kTextBoardLine;
    if (column < 0 || column >= 16 || line < 0 || line >= 8) {
        return std::nullopt;
    }
    return column / 2 + 8 * (7 - line);
}

void drawSquareMark(int square) {
    if (square < 0 || square > 63) {
        return;
    }
    markedDrawing = boardDrawings.load();
    t_Window& record = t_WindowRecord(kWindow);
    const std::uint8_t textColor = record.TextColor;
    const t_RGBColor drawingColor = record.RGBColor;
    // Rings from the outside in: dark, bright (three pixels), light.
    struct Ring {
        int inset;
        int width;
        t_RGBColor color;
    };
    constexpr Ring kRings[] = {
        {0, 1, {255, 0, 0, 0}}, {1, 3, {255, 255, 40, 0}}, {4, 1, {255, 255, 255, 255}}};
    const int left = kBoardLeft + kSquarePixels * (columnOfSquare(square) - 1);
    const int top = kBoardTop + kSquarePixels * (lineOfSquare(square) - 1);
    for (const Ring& ring : kRings) {
        g_ColorRGB(kWindow, t_ColorValue(ring.color));
        const int x = left + ring.inset;
        const int y = top + ring.inset;
        const int size = kSquarePixels - 2 * ring.inset;
        plotBlock(kWindow, x, y, size, ring.width);
        plotBlock(kWindow, x, y + size - ring.width, size, ring.width);
        plotBlock(kWindow, x, y, ring.width, size);
        plotBlock(kWindow, x + size - ring.width, y, ring.width, size);
    }
    record.RGBColor = drawingColor;
    record.TextColor = textColor;
    const int column = kTextBoardColumn + 2 * (columnOfSquare(square) - 1);
    const int line = kTextBoardLine + lineOfSquare(square) - 1;
    t_InvertRect(kWindow, column, line, column + 1, line);
}

void removeSquareMark(const Game& game, int square) {
    if (square < 0 || square > 63 || markedDrawing.load() != boardDrawings.load()) {
        return;
    }
    t_Window& record = t_WindowRecord(kWindow);
    const std::uint8_t textColor = record.TextColor;
    const t_RGBColor drawingColor = record.RGBColor;
    drawSquareImage(squaresOf(game.board), lineOfSquare(square), columnOfSquare(square));
    record.RGBColor = drawingColor;
    record.TextColor = textColor;
    // Inverting the inverted cells again gives them back their colours.
    const int column = kTextBoardColumn + 2 * (columnOfSquare(square) - 1);
    const int line = kTextBoardLine + lineOfSquare(square) - 1;
    t_InvertRect(kWindow, column, line, column + 1, line);
}

}  // namespace zarvik::frontend
