#include "rules/fen.h"

#include <array>
#include <cctype>
#include <cstdlib>
#include <vector>

namespace zarvik {
namespace {

std::vector<std::string_view> splitFields(std::string_view text) {
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
            ++i;
        }
        const std::size_t start = i;
        while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i]))) {
            ++i;
        }
        if (i > start) {
            fields.push_back(text.substr(start, i - start));
        }
    }
    return fields;
}

std::optional<PieceType> typeOfLetter(char lower) {
    switch (lower) {
        case 'p':
            return PieceType::pawn;
        case 'r':
            return PieceType::rook;
        case 'n':
            return PieceType::knight;
        case 'b':
            return PieceType::bishop;
        case 'q':
            return PieceType::queen;
        case 'k':
            return PieceType::king;
        default:
            return std::nullopt;
    }
}

struct Placement {
    std::array<std::optional<std::pair<PieceType, Color>>, 64> squares;
};

// Ranks 8 down to 1, separated by "/"; digits count empty squares.
bool readPlacement(std::string_view field, Placement& placement, std::string& error) {
    int rank = 7;
    int file = 0;
    for (char ch : field) {
        if (ch == '/') {
            if (file != 8 || rank == 0) {
                error = "FEN: each of the eight ranks must describe exactly eight squares";
                return false;
            }
            --rank;
            file = 0;
        } else if (ch >= '1' && ch <= '8') {
            file += ch - '0';
            if (file > 8) {
                error = "FEN: a rank describes more than eight squares";
                return false;
            }
        } else if (const auto type =
                       typeOfLetter(static_cast<char>(std::tolower(static_cast<unsigned char>(ch))))) {
            if (file >= 8) {
                error = "FEN: a rank describes more than eight squares";
                return false;
            }
            const Color color = std::isupper(static_cast<unsigned char>(ch)) ? Color::white : Color::black;
            placement.squares[file + 8 * rank] = std::make_pair(*type, color);
            ++file;
        } else {
            error = std::string("FEN: unknown character '") + ch + "' in the piece placement";
            return false;
        }
    }
    if (rank != 0 || file != 8) {
        error = "FEN: the piece placement must describe eight ranks of eight squares";
        return false;
    }
    return true;
}

bool holds(const Placement& placement, int square, PieceType type, Color color) {
    return placement.squares[square] == std::make_pair(type, color);
}

// The counts a game can reach: one king, at most 8 pawns and 16 pieces in all, for each side.
bool validatePieces(const Placement& placement, std::string& error) {
    for (Color color : {Color::white, Color::black}) {
        int kings = 0;
        int pawns = 0;
        int pieces = 0;
        for (int i = 0; i < 64; ++i) {
            kings += holds(placement, i, PieceType::king, color) ? 1 : 0;
            pawns += holds(placement, i, PieceType::pawn, color) ? 1 : 0;
            pieces += placement.squares[i] && placement.squares[i]->second == color ? 1 : 0;
        }
        const std::string side = "FEN: " + std::string(name(color));
        if (kings != 1) {
            error = side + " must have exactly one king";
            return false;
        }
        if (pawns > 8) {
            error = side + " has more than 8 pawns";
            return false;
        }
        if (pieces > 16) {
            error = side + " has more than 16 pieces";
            return false;
        }
    }
    for (int i = 0; i < 64; ++i) {
        const bool lastRank = i < 8 || i >= 56;
        if (lastRank && placement.squares[i] && placement.squares[i]->first == PieceType::pawn) {
            error = "FEN: a pawn cannot stand on the first or last rank";
            return false;
        }
    }
    return true;
}

struct Rights {
    std::array<bool, 64> unmoved{};  // king and rook squares whose piece may still castle
};

bool readCastling(std::string_view field, const Placement& placement, Rights& rights, std::string& error) {
    if (field == "-") {
        return true;
    }
    for (char ch : field) {
        const Color color = std::isupper(static_cast<unsigned char>(ch)) ? Color::white : Color::black;
        const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        if (lower != 'k' && lower != 'q') {
            error = std::string("FEN: unknown castling right '") + ch + "'";
            return false;
        }
        const int base = color == Color::white ? 0 : 56;
        const int rook = base + (lower == 'k' ? 7 : 0);
        if (!holds(placement, base + 4, PieceType::king, color) ||
            !holds(placement, rook, PieceType::rook, color)) {
            error =
                std::string("FEN: castling right '") + ch + "' without its king and rook on their squares";
            return false;
        }
        rights.unmoved[base + 4] = true;
        rights.unmoved[rook] = true;
    }
    return true;
}

// The en passant target square names the square the pawn passed; answers the pawn's square.
std::optional<int> readEnPassant(std::string_view field, const Placement& placement, Color toMove,
                                 std::string& error) {
    if (field == "-") {
        return -1;
    }
    const bool wellFormed =
        field.size() == 2 && field[0] >= 'a' && field[0] <= 'h' && field[1] >= '1' && field[1] <= '8';
    const int file = wellFormed ? field[0] - 'a' : 0;
    const int rank = wellFormed ? field[1] - '1' : 0;
    const Color mover = opposite(toMove);  // the side that made the double step
    const int passedRank = mover == Color::white ? 2 : 5;
    const int pawnRank = mover == Color::white ? 3 : 4;
    const int originRank = mover == Color::white ? 1 : 6;
    if (!wellFormed || rank != passedRank) {
        error = "FEN: bad en passant square \"" + std::string(field) + "\"";
        return std::nullopt;
    }
    const int pawn = file + 8 * pawnRank;
    if (!holds(placement, pawn, PieceType::pawn, mover) || placement.squares[file + 8 * passedRank] ||
        placement.squares[file + 8 * originRank]) {
        error = "FEN: no pawn has just made a double step past " + std::string(field);
        return std::nullopt;
    }
    return pawn;
}

bool isNumber(std::string_view field) {
    if (field.empty() || field.size() > 6) {
        return false;
    }
    for (char ch : field) {
        if (!std::isdigit(static_cast<unsigned char>(ch))) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<FenPosition> readFen(std::string_view text, std::string& error) {
    const std::vector<std::string_view> fields = splitFields(text);
    if (fields.size() < 4 || fields.size() > 6) {
        error = "FEN: expected 4 to 6 fields (placement, side to move, castling, en passant, clocks)";
        return std::nullopt;
    }
    Placement placement;
    if (!readPlacement(fields[0], placement, error) || !validatePieces(placement, error)) {
        return std::nullopt;
    }
    if (fields[1] != "w" && fields[1] != "b") {
        error = "FEN: the side to move must be \"w\" or \"b\"";
        return std::nullopt;
    }
    const Color toMove = fields[1] == "w" ? Color::white : Color::black;
    Rights rights;
    if (!readCastling(fields[2], placement, rights, error)) {
        return std::nullopt;
    }
    const std::optional<int> enPassant = readEnPassant(fields[3], placement, toMove, error);
    if (!enPassant) {
        return std::nullopt;
    }
    for (std::size_t i = 4; i < fields.size(); ++i) {
        if (!isNumber(fields[i])) {
            error = "FEN: the move clocks must be numbers";
            return std::nullopt;
        }
    }

    FenPosition position;
    position.toMove = toMove;
    for (int i = 0; i < 64; ++i) {
        if (!placement.squares[i]) {
            continue;
        }
        const auto [type, color] = *placement.squares[i];
        Piece piece;
        piece.type = type;
        piece.color = color;
        piece.tag = position.board.assignPieceTag();
        const bool kingOrRook = type == PieceType::king || type == PieceType::rook;
        const int startRank = color == Color::white ? 1 : 6;
        // Kings and rooks have moved unless a castling right names them; pawns off their start rank have.
        piece.hasMoved = kingOrRook ? !rights.unmoved[i] : (type == PieceType::pawn && i / 8 != startRank);
        piece.canBeTakenByEnPassant = i == *enPassant;
        position.board.setPiece(BoardLocation(i), piece);
    }
    const BoardLocation white = position.board.getKingLocation(Color::white);
    const BoardLocation black = position.board.getKingLocation(Color::black);
    if (std::abs(white.x() - black.x()) <= 1 && std::abs(white.y() - black.y()) <= 1) {
        error = "FEN: the kings stand side by side";
        return std::nullopt;
    }
    // The side that has just moved cannot have left its king attacked.
    if (position.board.isColorInCheck(opposite(toMove))) {
        error = "FEN: " + std::string(name(opposite(toMove))) + " is in check but not to move";
        return std::nullopt;
    }
    return position;
}

}  // namespace zarvik
