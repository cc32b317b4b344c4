#include "tests/rules/reference_rules.h"

#include <utility>
#include <vector>

namespace zarvik::reference {
namespace {

using Offset = std::pair<std::int64_t, std::int64_t>;

const std::vector<BoardStride> kOrthogonal = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
const std::vector<BoardStride> kDiagonal = {{1, -1}, {-1, -1}, {1, 1}, {-1, 1}};
const std::vector<Offset> kKnight = {{1, 2}, {2, 1}, {2, -1}, {-2, 1}, {-1, -2}, {-2, -1}, {1, -2}, {-1, 2}};
const std::vector<Offset> kKing = {{0, 1}, {1, 1}, {1, 0}, {1, -1}, {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}};

bool holdsKing(const Board& board, BoardLocation at) {
    const auto piece = board.pieceAt(at);
    return piece && piece->type == PieceType::king;
}

bool onBoard(std::int64_t x, std::int64_t y) {
    return x >= 0 && x <= 7 && y >= 0 && y <= 7;
}

bool directionOk(std::int64_t from, std::int64_t to, std::int64_t step) {
    if (to > from) {
        return step >= 1;
    }
    if (to == from) {
        return step == 0;
    }
    return step < 0;
}

bool alongStride(const Board& board, BoardLocation from, BoardLocation to, BoardStride s) {
    if (!directionOk(from.x(), to.x(), s.x) || !directionOk(from.y(), to.y(), s.y)) {
        return false;
    }
    if (holdsKing(board, to)) {
        return false;
    }
    const auto moving = board.pieceAt(from);
    if (!moving) {
        return false;
    }
    std::int64_t x = from.x() + s.x;
    std::int64_t y = from.y() + s.y;
    if (!onBoard(x, y)) {
        return false;
    }
    while (true) {
        const BoardLocation p(x, y);
        const auto there = board.pieceAt(p);
        if (there && there->color == moving->color) {
            return false;
        }
        if (there) {
            return p == to;
        }
        if (p == to) {
            return true;
        }
        x += s.x;
        y += s.y;
        if (!onBoard(x, y)) {
            return false;
        }
    }
}

bool straightLine(const Board& board, BoardLocation from, BoardLocation to) {
    if (from.x() != to.x() && from.y() != to.y()) {
        return false;
    }
    for (const BoardStride& s : kOrthogonal) {
        if (alongStride(board, from, to, s)) {
            return true;
        }
    }
    return false;
}

bool diagonal(const Board& board, BoardLocation from, BoardLocation to) {
    if ((from.x() + from.y()) % 2 != (to.x() + to.y()) % 2) {
        return false;
    }
    for (const BoardStride& s : kDiagonal) {
        if (alongStride(board, from, to, s)) {
            return true;
        }
    }
    return false;
}

bool offsets(const Board& board, BoardLocation from, BoardLocation to, const std::vector<Offset>& table) {
    if (holdsKing(board, to)) {
        return false;
    }
    for (const auto& [dx, dy] : table) {
        if (from.index + dx + 8 * dy == to.index && to.index <= 63 && to.x() - from.x() == dx &&
            to.y() - from.y() == dy) {
            const auto moving = board.pieceAt(from);
            if (!moving) {
                continue;
            }
            const auto there = board.pieceAt(to);
            if (!there || there->color != moving->color) {
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
    if ((white && to.y() == 0) || (!white && to.y() == 7)) {
        return false;
    }
    if (holdsKing(board, to)) {
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
    if (advance) {
        if (white && from.y() == 1 && to == BoardLocation(from.x(), 3) && !board.pieceAt(to)) {
            return true;
        }
        if (!white && from.y() == 6 && to == BoardLocation(from.x(), 4) && !board.pieceAt(to)) {
            return true;
        }
    }
    const std::vector<Offset> captures =
        white ? std::vector<Offset>{{-1, 1}, {1, 1}} : std::vector<Offset>{{-1, -1}, {1, -1}};
    for (const auto& [dx, dy] : captures) {
        const std::int64_t nx = from.x() + dx;
        const std::int64_t ny = from.y() + dy;
        if (!onBoard(nx, ny) || BoardLocation(nx, ny) != to) {
            continue;
        }
        const auto there = board.pieceAt(to);
        if (there && there->color != moving->color) {
            return true;
        }
        const auto beside = board.pieceAt(BoardLocation(nx, from.y()));
        if (!beside) {
            return false;
        }
        if (beside->canBeTakenByEnPassant && beside->color != moving->color) {
            return true;
        }
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
    std::optional<BoardLocation> king;
    for (BoardLocation l : BoardLocation::allLocations()) {
        const auto piece = board.pieceAt(l);
        if (piece && piece->type == PieceType::king && piece->color == color) {
            king = l;
            break;
        }
    }
    if (!king) {
        return false;
    }
    Board copy = board;
    copy.setPiece(*king, Piece{PieceType::pawn, color, 0, false, false, BoardLocation(0)});
    for (BoardLocation l : board.getLocationsOfColor(opposite(color))) {
        if (l != *king && isMovementAllowed(copy, l, *king)) {
            return true;
        }
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
        rook->hasMoved) {
        return false;
    }
    const std::vector<std::int64_t> between =
        kingSide ? std::vector<std::int64_t>{5, 6} : std::vector<std::int64_t>{1, 2, 3};
    for (std::int64_t f : between) {
        if (board.pieceAt(BoardLocation(r + f))) {
            return false;
        }
    }
    if (isColorInCheck(board, color)) {
        return false;
    }
    const std::vector<std::int64_t> crossed =
        kingSide ? std::vector<std::int64_t>{5, 6} : std::vector<std::int64_t>{3, 2};
    for (std::int64_t f : crossed) {
        Board copy = board;
        copy.movePiece(BoardLocation(r + 4), BoardLocation(r + f));
        if (isColorInCheck(copy, color)) {
            return false;
        }
    }
    return true;
}

}  // namespace zarvik::reference
