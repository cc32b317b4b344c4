#include "frontend/boarddisplay.h"

#include <algorithm>
#include <span>

#include "frontend/boardmarks.h"
#include "frontend/colors.h"
#include "frontend/state.h"
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

// The graphic board: 40-pixel squares, file A from x 48, rank 8 from y 161.
constexpr int kSquarePixels = 40;
constexpr int kBoardLeft = 48;
constexpr int kBoardTop = 161;
// The text board: rank 8 on line 7, file A's letter in column 30, a letter and a blank per square.
constexpr int kTextBoardLine = 7;
constexpr int kTextBoardColumn = 30;

// Text board backgrounds of marked squares: navy for the last move, dark grey for a target, brown
// for a suggested move.
constexpr int kLastMoveBackground = 2;
constexpr int kTargetBackground = 5;
constexpr int kHintBackground = 8;

// Line and column (from 1) of a square on screen; rank 8 is line 1 unless the board is turned.
int lineOfSquare(int square) {
    return boardTurned() ? 1 + square / 8 : 8 - square / 8;
}
int columnOfSquare(int square) {
    return boardTurned() ? 8 - square % 8 : square % 8 + 1;
}
int squareAt(int line, int column) {
    return boardTurned() ? 8 - column + 8 * (line - 1) : column - 1 + 8 * (8 - line);
}

bool contains(const std::vector<int>& squares, int square) {
    return std::find(squares.begin(), squares.end(), square) != squares.end();
}

// The text board moves the cursor; a prompt that waits while the boards change keeps its place.
class KeepCursor {
  public:
    KeepCursor()
        : record_(t_WindowRecord(kWindow)),
          hpos_(record_.TextHpos),
          vpos_(record_.TextVpos),
          inverse_(record_.TextInverse) {}
    ~KeepCursor() {
        record_.TextHpos = hpos_;
        record_.TextVpos = vpos_;
        record_.TextInverse = inverse_;
    }
    KeepCursor(const KeepCursor&) = delete;
    KeepCursor& operator=(const KeepCursor&) = delete;

  private:
    t_Window& record_;
    int hpos_;
    int vpos_;
    bool inverse_;
};

void setBackground(int background) {
    t_Window& record = t_WindowRecord(kWindow);
    record.TextColor = static_cast<std::uint8_t>((record.TextColor & 0xF0) | (background & 15));
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

// The text-form letter on a square; none for an empty one.
std::optional<char> letterOn(const Board& board, int square) {
    return board.square(BoardLocation(square)).boardCharacter();
}

// The image of one square at its place on screen.
void drawSquareImage(const Board& board, int square) {
    const int line = lineOfSquare(square);
    const int column = columnOfSquare(square);
    g_Draw(kWindow, pieceGraphic(pieceGraphicIndex(letterOn(board, square), isLightSquare(line, column))),
           kBoardLeft + kSquarePixels * (column - 1), 121 + kSquarePixels * line, 1, -1);
}

// Rings of one pixel or more inside a square of the graphic board, from its edge inwards.
struct Ring {
    int inset;
    int width;
    t_RGBColor color;
};
void drawRings(int square, std::span<const Ring> rings) {
    const int left = kBoardLeft + kSquarePixels * (columnOfSquare(square) - 1);
    const int top = kBoardTop + kSquarePixels * (lineOfSquare(square) - 1);
    for (const Ring& ring : rings) {
        g_ColorRGB(kWindow, t_ColorValue(ring.color));
        const int x = left + ring.inset;
        const int y = top + ring.inset;
        const int size = kSquarePixels - 2 * ring.inset;
        plotBlock(kWindow, x, y, size, ring.width);
        plotBlock(kWindow, x, y + size - ring.width, size, ring.width);
        plotBlock(kWindow, x, y, ring.width, size);
        plotBlock(kWindow, x + size - ring.width, y, ring.width, size);
    }
}

// Each mark has a dark and a light ring, so that it shows on light and dark squares alike.
// The last move: a blue frame; the picked piece: an orange one.
constexpr Ring kLastMoveRings[] = {
    {0, 1, {255, 0, 0, 0}}, {1, 3, {255, 0, 128, 255}}, {4, 1, {255, 255, 255, 255}}};
constexpr Ring kPickedRings[] = {
    {0, 1, {255, 0, 0, 0}}, {1, 3, {255, 255, 40, 0}}, {4, 1, {255, 255, 255, 255}}};
// A suggested move: a magenta frame.
constexpr Ring kHintRings[] = {
    {0, 1, {255, 0, 0, 0}}, {1, 3, {255, 255, 0, 255}}, {4, 1, {255, 255, 255, 255}}};
// A target: a green spot with a dark edge in the middle of the square.
constexpr Ring kTargetSpot[] = {{14, 1, {255, 0, 0, 0}}, {15, 5, {255, 0, 255, 0}}};

void drawGraphicMarks(const BoardMarks& marks) {
    for (const int square : marks.lastMove) {
        drawRings(square, kLastMoveRings);
    }
    for (const int square : marks.hint) {
        drawRings(square, kHintRings);
    }
    if (marks.picked) {
        drawRings(*marks.picked, kPickedRings);
    }
    for (const int square : marks.targets) {
        drawRings(square, kTargetSpot);
    }
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
    for (int location = 0; location < 64; ++location) {
        const std::optional<char> square = letterOn(board, location);
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
    const KeepCursor keep;
    const BoardMarks marks = boardMarks();
    const bool turned = boardTurned();
    const std::string_view files = turned ? "   H G F E D C B A   " : "   A B C D E F G H   ";
    t_Inverse(kWindow);
    t_Vtab(kWindow, 5);
    t_Htab(kWindow, 27);
    t_Print(kWindow, files);
    t_Cr(kWindow);
    const auto frameLine = [] {
        t_Htab(kWindow, 27);
        t_Print(kWindow, " ");
        t_Htab(kWindow, 47);
        t_Print(kWindow, " ");
        t_Cr(kWindow);
    };
    frameLine();
    const int background = t_WindowRecord(kWindow).TextColor & 15;
    for (int line = 1; line <= 8; ++line) {
        const std::string rank(1, static_cast<char>(turned ? '0' + line : '0' + 9 - line));
        t_Inverse(kWindow);
        t_Htab(kWindow, 27);
        t_Print(kWindow, rank);
        t_Normal(kWindow);
        t_Print(kWindow, "  ");
        for (int column = 1; column <= 8; ++column) {
            const int location = squareAt(line, column);
            setBackground(contains(marks.hint, location)       ? kHintBackground
                          : contains(marks.lastMove, location) ? kLastMoveBackground
                          : contains(marks.targets, location)  ? kTargetBackground
                                                               : background);
            const std::optional<char> square = letterOn(game.board, location);
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
            setBackground(background);
        }
        t_Print(kWindow, " ");
        t_Inverse(kWindow);
        t_Print(kWindow, rank);
        t_Cr(kWindow);
    }
    frameLine();
    t_Htab(kWindow, 27);
    t_Print(kWindow, files);
    t_Cr(kWindow);
    t_Normal(kWindow);
    if (marks.picked) {
        const int column = kTextBoardColumn + 2 * (columnOfSquare(*marks.picked) - 1);
        const int line = kTextBoardLine + lineOfSquare(*marks.picked) - 1;
        t_InvertRect(kWindow, column, line, column + 1, line);
    }
    const MaterialCaptions captions = materialCaptions(materialOf(game.board));
    drawLabel(464, 96, captions.white);
    drawLabel(608, 96, captions.black);
    t_Color(kWindow, kNormalColor);
}

void drawGraphicBoard(const Game& game) {
    t_Window& record = t_WindowRecord(kWindow);
    const std::uint8_t textColor = record.TextColor;
    const t_RGBColor drawingColor = record.RGBColor;
    for (int square = 0; square < 64; ++square) {
        drawSquareImage(game.board, square);
    }
    drawGraphicMarks(boardMarks());
    record.RGBColor = drawingColor;
    record.TextColor = textColor;
    const bool turned = boardTurned();
    for (int k = 0; k < 8; ++k) {
        const std::string rank(1, static_cast<char>(turned ? '1' + k : '8' - k));
        const std::string file(1, static_cast<char>(turned ? 'H' - k : 'A' + k));
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

void redrawTurnedBoards() {
    if (!takeBoardRedraw()) {
        return;
    }
    if (const std::shared_ptr<Game> game = currentGame()) {
        drawBoards(*game);
    }
}

std::optional<int> boardSquareAt(int x, int y) {
    if (x >= kBoardLeft && x < kBoardLeft + 8 * kSquarePixels && y >= kBoardTop &&
        y < kBoardTop + 8 * kSquarePixels) {
        return squareAt((y - kBoardTop) / kSquarePixels + 1, (x - kBoardLeft) / kSquarePixels + 1);
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
    return squareAt(line + 1, column / 2 + 1);
}

}  // namespace zarvik::frontend
