#include "tests/rules/reference_rules.h"

#include <utility>
#include <vector>

namespace zarvik::reference {
namespace {

using Steps = std::vector<std::pair<std::int64_t, std::int64_t>>;

const Steps kOrthogonal = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
const Steps kDiagonal = {{1, -1}, {-1, -1}, {1, 1}, {-1, 1}};
const Steps kKnight = {{1, 2}, {2, 1}, {2, -1}, {-2, 1}, {-1, -2}, {-2, -1}, {1, -2}, {-1, 2}};
const Steps kKing = {{0, 1}, {1, 1}, {1, 0}, {1, -1}, {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}};

bool onBoard(std::int64_t x, std::int64_t y) {
    return x >= 0 && x <= 7 && y >= 0 && y <= 7;
}

bool holdsKing(const Board& board, BoardLocation at) {
    const auto piece = board.pieceAt(at);
    return piece && piece->type == PieceType::king;
}

bool direction(std::int64_t from, std::int64_t to, std::int64_t step) {
    return to > from ? step >= 1 : (to == from ? step == 0 : step < 0);
}

bool alongStride(const Board& board, BoardLocation from, BoardLocation to, std::int64_t sx, std::int64_t sy) {
    const auto moving = board.pieceAt(from);
    if (!direction(from.x(), to.x(), sx) || !direction(from.y(), to.y(), sy) || holdsKing(board, to) ||
        !moving) {
        return false;
    }
    for (std::int64_t x = from.x() + sx, y = from.y() + sy; onBoard(x, y); x += sx, y += sy) {
        const auto there = board.pieceAt(BoardLocation(x, y));
        if (there) {
            return there->color != moving->color && BoardLocation(x, y) == to;
        }
        if (BoardLocation(x, y) == to) {
            return true;
        }
    }
    return false;
}

bool anyStride(const Board& board, BoardLocation from, BoardLocation to, const Steps& strides) {
    for (const auto& [sx, sy] : strides) {
        if (alongStride(board, from, to, sx, sy)) {
            return true;
        }
    }
    return false;
}

bool straightLine(const Board& board, BoardLocation from, BoardLocation to) {
    return (from.x() == to.x() || from.y() == to.y()) && anyStride(board, from, to, kOrthogonal);
}

bool diagonal(const Board& board, BoardLocation from, BoardLocation to) {
    return (from.x() + from.y()) % 2 == (to.x() + to.y()) % 2 && anyStride(board, from, to, kDiagonal);
}

bool offsets(const Board& board, BoardLocation from, BoardLocation to, const Steps& table) {
    if (holdsKing(board, to)) {
        return false;
    }
    for (const auto& [dx, dy] : table) {
        if (from.index + dx + 8 * dy == to.index && to.index <= 63 && to.x() - from.x() == dx &&
            to.y() - from.y() == dy) {
            const auto moving = board.pieceAt(from);
            const auto there = board.pieceAt(to);
            if (moving && (!there || there->color != moving->color)) {
                return true;
            }
        }
    }
    return false;
}

bool pawn(const Board& board, BoardLocation from, BoardLocation to) {
    const auto moving = board.pieceAt(from);
    if (!moving) {
        return false;
    }
    const bool white = moving->color == Color::white;
    if (to.y() == (white ? 0 : 7) || holdsKing(board, to)) {
        return false;
    }
    const std::int64_t d = white ? 1 : -1;
    bool advance = true;
    if (onBoard(from.x(), from.y() + d)) {
        const BoardLocation s(from.x(), from.y() + d);
        if (board.pieceAt(s)) {
            advance = false;
        } else if (s == to) {
            return true;
        }
    }
    if (advance && from.y() == (white ? 1 : 6) && to == BoardLocation(from.x(), white ? 3 : 4) &&
        !board.pieceAt(to)) {
        return true;
    }
    for (const std::int64_t dx : {-1, 1}) {
        if (!onBoard(from.x() + dx, from.y() + d) || BoardLocation(from.x() + dx, from.y() + d) != to) {
            continue;
        }
        const auto there = board.pieceAt(to);
        if (there && there->color != moving->color) {
            return true;
        }
        const auto beside = board.pieceAt(BoardLocation(from.x() + dx, from.y()));
        return beside && beside->canBeTakenByEnPassant && beside->color != moving->color;
    }
    return false;
}

}  // namespace

bool isMovementAllowed(const Board& board, BoardLocation from, BoardLocation to) {
    const auto moving = board.pieceAt(from);
    if (!moving || !to.isOnBoard()) {
        return false;
    }
    switch (moving->type) {
        case PieceType::pawn:
            return pawn(board, from, to);
        case PieceType::rook:
            return from != to && straightLine(board, from, to);
        case PieceType::bishop:
            return from != to && diagonal(board, from, to);
        case PieceType::queen:
            return from != to && (straightLine(board, from, to) || diagonal(board, from, to));
        case PieceType::knight:
            return offsets(board, from, to, kKnight);
        case PieceType::king:
            return offsets(board, from, to, kKing);
    }
    return false;
}

bool isColorInCheck(const Board& board, Color color) {
    for (BoardLocation king : BoardLocation::allLocations()) {
        const auto piece = board.pieceAt(king);
        if (!piece || piece->type != PieceType::king || piece->color != color) {
            continue;
        }
        Board copy = board;
        copy.setPiece(king, Piece{PieceType::pawn, color, 0});
        for (BoardLocation l : board.getLocationsOfColor(opposite(color))) {
            if (l != king && isMovementAllowed(copy, l, king)) {
                return true;
            }
        }
        return false;
    }
    return false;
}

bool canColorMoveAnyPiece(const Board& board, Color color) {
    for (BoardLocation l : board.getLocationsOfColor(color)) {
        for (BoardLocation t : BoardLocation::allLocations()) {
            if (t != l && isMovementAllowed(board, l, t)) {
                Board copy = board;
                copy.movePiece(l, t);
                if (!isColorInCheck(copy, color)) {
                    return true;
                }
            }
        }
    }
    return false;
}

bool isColorInCheckMate(const Board& board, Color color) {
    return isColorInCheck(board, color) && !canColorMoveAnyPiece(board, color);
}

bool canColorMoveAnyPieceToLocation(const Board& board, Color color, BoardLocation location) {
    for (BoardLocation l : board.getLocationsOfColor(color)) {
        if (l != location && isMovementAllowed(board, l, location)) {
            return true;
        }
    }
    return false;
}

bool canColorCastle(const Board& board, Color color, CastleSide side) {
    const std::int64_t r = color == Color::white ? 0 : 56;
    const bool kingSide = side == CastleSide::kingSide;
    const auto king = board.pieceAt(BoardLocation(r + 4));
    const auto rook = board.pieceAt(BoardLocation(r + (kingSide ? 7 : 0)));
    if (!king || !rook || king->type != PieceType::king || rook->type != PieceType::rook || king->hasMoved ||
        rook->hasMoved || isColorInCheck(board, color)) {
        return false;
    }
    for (std::int64_t f = kingSide ? 5 : 1; f <= (kingSide ? 6 : 3); ++f) {
        if (board.pieceAt(BoardLocation(r + f))) {
            return false;
        }
    }
    for (std::int64_t f = kingSide ? 5 : 2; f <= (kingSide ? 6 : 3); ++f) {
        Board copy = board;
        copy.movePiece(BoardLocation(r + 4), BoardLocation(r + f));
        if (isColorInCheck(copy, color)) {
            return false;
        }
    }
    return true;
}

}  // namespace zarvik::reference
