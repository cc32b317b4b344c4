#include "rules/board.h"

#include <string>

#include "rules/movement.h"
#include "util/log.h"

namespace zarvik {
namespace {

constexpr PieceType kBackRank[] = {PieceType::rook, PieceType::knight, PieceType::bishop, PieceType::queen,
                                   PieceType::king, PieceType::bishop, PieceType::knight, PieceType::rook};

Piece pieceFrom(std::uint8_t code, std::int64_t tag, int index) {
    return Piece(cell::type(code), cell::color(code),
                 (code & cell::kHasTag) != 0 ? std::optional<std::int64_t>(tag) : std::nullopt,
                 (code & cell::kHasMoved) != 0, (code & cell::kEnPassant) != 0, BoardLocation(index));
}

BoardOperation operation(OperationType type, const Piece& piece, BoardLocation location) {
    return BoardOperation{type, piece, location};
}

}  // namespace

Board::Board(bool setupPieces) {
    if (!setupPieces) {
        return;
    }
    // Tags follow the order of the four passes: White's back rank, White's pawns, Black's, Black's pawns.
    for (int file = 0; file < 8; ++file) {
        place(file, kBackRank[file], Color::white);
    }
    for (int i = 8; i < 16; ++i) {
        place(i, PieceType::pawn, Color::white);
    }
    for (int file = 0; file < 8; ++file) {
        place(56 + file, kBackRank[file], Color::black);
    }
    for (int i = 48; i < 56; ++i) {
        place(i, PieceType::pawn, Color::black);
    }
}

void Board::place(int index, PieceType type, Color color) {
    cells_[index] = cell::make(type, color) | cell::kHasTag;
    tags_[index] = assignPieceTag();
}

std::vector<BoardOperation> Board::movePiece(BoardLocation from, BoardLocation to) {
    if (from == to) {
        return {};
    }
    if (isEmpty(from)) {
        fatal("There is no piece on at (" + std::to_string(from.index % 8) + "," +
              std::to_string(from.index / 8) + ")");
    }
    if (!to.isOnBoard()) {
        return {};
    }
    const int f = static_cast<int>(from.index);
    const int t = static_cast<int>(to.index);
    std::vector<BoardOperation> operations;
    operations.reserve(3);
    operations.push_back(operation(OperationType::movePiece, pieceFrom(cells_[f], tags_[f], f), to));
    if (cells_[t] != 0) {
        operations.push_back(operation(OperationType::removePiece, pieceFrom(cells_[t], tags_[t], t), to));
    }
    const Cells before = cells_;
    const int takenEnPassant = applyRawMove(cells_, f, t);
    tags_[t] = tags_[f];
    tags_[f] = 0;
    if (takenEnPassant >= 0) {
        operations.push_back(
            operation(OperationType::removePiece,
                      pieceFrom(before[takenEnPassant], tags_[takenEnPassant], takenEnPassant),
                      BoardLocation(takenEnPassant)));
        tags_[takenEnPassant] = 0;
    }
    return operations;
}

std::vector<BoardOperation> Board::performCastle(Color color, CastleSide side) {
    const std::int64_t base = color == Color::white ? 0 : 56;
    const bool kingSide = side == CastleSide::kingSide;
    std::vector<BoardOperation> operations =
        movePiece(BoardLocation(base + 4), BoardLocation(base + (kingSide ? 6 : 2)));
    const std::vector<BoardOperation> rook =
        movePiece(BoardLocation(base + (kingSide ? 7 : 0)), BoardLocation(base + (kingSide ? 5 : 3)));
    operations.insert(operations.end(), rook.begin(), rook.end());
    return operations;
}

Square Board::square(BoardLocation location) const {
    return Square{pieceAt(location)};
}

std::optional<Piece> Board::pieceAt(BoardLocation location) const {
    if (isEmpty(location)) {
        return std::nullopt;
    }
    const int i = static_cast<int>(location.index);
    return pieceFrom(cells_[i], tags_[i], i);
}

bool Board::isEmpty(BoardLocation location) const {
    return !location.isOnBoard() || cells_[location.index] == 0;
}

void Board::setPiece(BoardLocation location, const std::optional<Piece>& piece) {
    // An off-board square or a type outside the six kinds (a cast from a bad raw value) changes nothing.
    if (!location.isOnBoard() || (piece && !pieceTypeFromRawValue(rawValue(piece->type)))) {
        return;
    }
    const auto i = location.index;
    if (!piece) {
        cells_[i] = 0;
        tags_[i] = 0;
        return;
    }
    std::uint8_t code = cell::make(piece->type, piece->color);
    if (piece->hasMoved) {
        code |= cell::kHasMoved;
    }
    if (piece->canBeTakenByEnPassant) {
        code |= cell::kEnPassant;
    }
    if (piece->tag) {
        code |= cell::kHasTag;
    }
    cells_[i] = code;
    tags_[i] = piece->tag.value_or(0);
}

std::array<Square, 64> Board::squares() const {
    std::array<Square, 64> all;
    for (int i = 0; i < 64; ++i) {
        all[i] = square(BoardLocation(i));
    }
    return all;
}

BoardLocation Board::getKingLocation(Color color) const {
    const int king = firstKingSquare(cells_, color);
    if (king < 0) {
        fatal("Couldn't find " + std::string(name(color)) + " king. Kings should always exist");
    }
    return BoardLocation(king);
}

std::vector<Piece> Board::getPieces(Color color) const {
    std::vector<Piece> pieces;
    pieces.reserve(16);
    for (int i = 0; i < 64; ++i) {
        if (cell::isColor(cells_[i], color)) {
            pieces.push_back(pieceFrom(cells_[i], tags_[i], i));
        }
    }
    return pieces;
}

std::vector<BoardLocation> Board::getLocationsOfColor(Color color) const {
    std::vector<BoardLocation> locations;
    locations.reserve(16);
    for (int i = 0; i < 64; ++i) {
        if (cell::isColor(cells_[i], color)) {
            locations.emplace_back(i);
        }
    }
    return locations;
}

std::vector<BoardLocation> Board::getLocationsOfPromotablePawns(Color color) const {
    std::vector<BoardLocation> locations;
    const int first = color == Color::white ? 56 : 0;
    for (int i = first; i < first + 8; ++i) {
        if (cell::is(cells_[i], PieceType::pawn, color)) {
            locations.emplace_back(i);
        }
    }
    return locations;
}

std::string Board::boardDescription() const {
    std::string text;
    text.reserve(8 * (8 * 2 + 1));
    for (int y = 7; y >= 0; --y) {
        for (int x = 0; x < 8; ++x) {
            const std::optional<char> letter = square(BoardLocation(x, y)).boardCharacter();
            if (letter) {
                text.push_back(*letter);
            } else {
                text.append("\u00B7");
            }
        }
        text.push_back('\r');
    }
    return text;
}

bool Board::isColorInCheck(Color color) const {
    return isInCheck(cells_, color);
}

bool Board::isColorInCheckMate(Color color) const {
    return isInCheck(cells_, color) && !hasLegalMove(cells_, color);
}

bool Board::canColorMoveAnyPiece(Color color) const {
    return hasLegalMove(cells_, color);
}

bool Board::canColorMoveAnyPieceToLocation(Color color, BoardLocation location) const {
    if (!location.isOnBoard()) {
        return false;
    }
    const SquareSet target = SquareSet{1} << location.index;
    for (int i = 0; i < 64; ++i) {
        const std::uint8_t c = cells_[i];
        if (i != location.index && cell::isColor(c, color) &&
            (PieceMovement::pieceMovement(cell::type(c)).allowedTargets(i, cells_) & target) != 0) {
            return true;
        }
    }
    return false;
}

bool Board::canColorCastle(Color color, CastleSide side) const {
    return mayCastle(cells_, color, side);
}

bool Board::wouldBeInCheckAfterMove(BoardLocation from, BoardLocation to) const {
    if (isEmpty(from)) {
        return false;
    }
    if (from == to || !to.isOnBoard()) {
        return isInCheck(cells_, cell::color(cells_[from.index]));
    }
    return isInCheckAfterMove(cells_, static_cast<int>(from.index), static_cast<int>(to.index));
}

bool operator==(const Board& a, const Board& b) {
    for (int i = 0; i < 64; ++i) {
        if ((a.cells_[i] & cell::kIdentityMask) != (b.cells_[i] & cell::kIdentityMask)) {
            return false;
        }
    }
    return true;
}

}  // namespace zarvik
