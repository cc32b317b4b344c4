#include "rules/movement.h"

#include <string>

#include "util/log.h"

namespace zarvik {
namespace {

constexpr std::string_view kWalkFromEmpty = "Cannot from an index that does not contain a piece";
constexpr std::string_view kStepFromEmpty = "Cannot move from an index that does not contain a piece";

constexpr bool onBoard(std::int64_t x, std::int64_t y) {
    return x >= 0 && x < 8 && y >= 0 && y < 8;
}

constexpr SquareSet bit(std::int64_t square) {
    return SquareSet{1} << square;
}

// A square a piece of colour `own` may land on: empty, or holding an opposing piece that is not a king.
constexpr bool mayLandOn(std::uint8_t target, Color own) {
    return target == 0 || (cell::color(target) != own && !cell::is(target, PieceType::king));
}

// The developer lines for a rule asked about an empty from-square, printed where the literal walk or
// offset test would reach that square: once for a straight line or diagonal pointing at the target,
// once for an offset that matches it.
void reportStraightWalk(BoardLocation from, BoardLocation to) {
    if (from.x() == to.x() || from.y() == to.y()) {
        logline(kWalkFromEmpty);
    }
}

void reportDiagonalWalk(BoardLocation from, BoardLocation to) {
    const bool sameParity = (from.x() + from.y()) % 2 == (to.x() + to.y()) % 2;
    if (sameParity && from.x() != to.x() && from.y() != to.y()) {
        logline(kWalkFromEmpty);
    }
}

template <std::size_t N>
void reportStep(BoardLocation from, BoardLocation to,
                const std::array<std::pair<std::int64_t, std::int64_t>, N>& offsets) {
    for (const auto& [dx, dy] : offsets) {
        if (to.x() - from.x() == dx && to.y() - from.y() == dy) {
            logline(kStepFromEmpty);
        }
    }
}

}  // namespace

const PieceMovement& PieceMovement::pieceMovement(PieceType type) {
    // One function-local instance per kind: made on the first request for that kind, thread-safe.
    switch (type) {
        case PieceType::pawn: {
            static const PieceMovementPawn pawn;
            return pawn;
        }
        case PieceType::rook: {
            static const PieceMovementRook rook;
            return rook;
        }
        case PieceType::knight: {
            static const PieceMovementKnight knight;
            return knight;
        }
        case PieceType::bishop: {
            static const PieceMovementBishop bishop;
            return bishop;
        }
        case PieceType::queen: {
            static const PieceMovementQueen queen;
            return queen;
        }
        case PieceType::king: {
            static const PieceMovementKing king;
            return king;
        }
    }
    fatal("No movement rule for piece type " + std::to_string(static_cast<int>(type)));
}

bool PieceMovement::canPieceMove(BoardLocation from, BoardLocation to, const Board& board,
                                 bool accountForCheckState) const {
    if (from == to || !isMovementAllowed(from, to, board)) {
        return false;
    }
    return !accountForCheckState || !board.wouldBeInCheckAfterMove(from, to);
}

bool PieceMovement::isMovementAllowed(BoardLocation from, BoardLocation to, const Board& board) const {
    if (!from.isOnBoard() || !to.isOnBoard() || from == to) {
        return false;
    }
    const Cells& cells = board.cells();
    if (cell::is(cells[to.index], PieceType::king)) {
        return false;
    }
    if (cells[from.index] == 0) {
        reportEmptyOrigin(from, to);
        return false;
    }
    return (targets(static_cast<int>(from.index), cells) & bit(to.index)) != 0;
}

SquareSet PieceMovement::allowedTargets(BoardLocation from, const Board& board) const {
    return from.isOnBoard() ? allowedTargets(static_cast<int>(from.index), board.cells()) : 0;
}

SquareSet PieceMovement::allowedTargets(int from, const Cells& cells) const {
    return cells[from] == 0 ? 0 : targets(from, cells);
}

bool PieceMovement::canPieceMoveAlongStride(BoardLocation from, BoardLocation to, const Board& board,
                                            BoardStride stride) {
    const auto directionMatches = [](std::int64_t fromCoordinate, std::int64_t toCoordinate,
                                     std::int64_t step) {
        if (toCoordinate > fromCoordinate) {
            return step >= 1;
        }
        if (toCoordinate == fromCoordinate) {
            return step == 0;
        }
        return step < 0;
    };
    if (!from.isOnBoard() || !to.isOnBoard() || !directionMatches(from.x(), to.x(), stride.x) ||
        !directionMatches(from.y(), to.y(), stride.y)) {
        return false;
    }
    const Cells& cells = board.cells();
    if (cell::is(cells[to.index], PieceType::king)) {
        return false;
    }
    const std::uint8_t moving = cells[from.index];
    if (moving == 0) {
        logline(kWalkFromEmpty);
        return false;
    }
    std::int64_t x = from.x() + stride.x;
    std::int64_t y = from.y() + stride.y;
    while (onBoard(x, y)) {
        const std::uint8_t c = cells[x + 8 * y];
        const bool isTarget = x + 8 * y == to.index;
        if (c != 0) {
            return isTarget && cell::color(c) != cell::color(moving);
        }
        if (isTarget) {
            return true;
        }
        x += stride.x;
        y += stride.y;
    }
    return false;
}

void PieceMovement::reportEmptyOrigin(BoardLocation, BoardLocation) const {}

SquareSet PieceMovement::strideTargets(int from, const Cells& cells,
                                       const std::array<BoardStride, 4>& strides) {
    const Color own = cell::color(cells[from]);
    SquareSet result = 0;
    for (const BoardStride& s : strides) {
        std::int64_t x = from % 8 + s.x;
        std::int64_t y = from / 8 + s.y;
        while (onBoard(x, y)) {
            const std::uint8_t c = cells[x + 8 * y];
            if (mayLandOn(c, own)) {
                result |= bit(x + 8 * y);
            }
            if (c != 0) {
                break;
            }
            x += s.x;
            y += s.y;
        }
    }
    return result;
}

template <std::size_t N>
SquareSet PieceMovement::offsetTargets(int from, const Cells& cells,
                                       const std::array<std::pair<std::int64_t, std::int64_t>, N>& offsets) {
    const Color own = cell::color(cells[from]);
    SquareSet result = 0;
    for (const auto& [dx, dy] : offsets) {
        const std::int64_t x = from % 8 + dx;
        const std::int64_t y = from / 8 + dy;
        if (onBoard(x, y) && mayLandOn(cells[x + 8 * y], own)) {
            result |= bit(x + 8 * y);
        }
    }
    return result;
}

SquareSet PieceMovementStraightLine::targets(int from, const Cells& cells) const {
    return strideTargets(from, cells, strides);
}

void PieceMovementStraightLine::reportEmptyOrigin(BoardLocation from, BoardLocation to) const {
    reportStraightWalk(from, to);
}

SquareSet PieceMovementDiagonal::targets(int from, const Cells& cells) const {
    return strideTargets(from, cells, strides);
}

void PieceMovementDiagonal::reportEmptyOrigin(BoardLocation from, BoardLocation to) const {
    reportDiagonalWalk(from, to);
}

SquareSet PieceMovementRook::targets(int from, const Cells& cells) const {
    return straightLineMovement.allowedTargets(from, cells);
}

void PieceMovementRook::reportEmptyOrigin(BoardLocation from, BoardLocation to) const {
    reportStraightWalk(from, to);
}

SquareSet PieceMovementBishop::targets(int from, const Cells& cells) const {
    return diagonalMovement.allowedTargets(from, cells);
}

void PieceMovementBishop::reportEmptyOrigin(BoardLocation from, BoardLocation to) const {
    reportDiagonalWalk(from, to);
}

PieceMovementQueen::PieceMovementQueen() : movements_{&straightLine_, &diagonal_} {}

SquareSet PieceMovementQueen::targets(int from, const Cells& cells) const {
    SquareSet result = 0;
    for (const PieceMovement* movement : movements_) {
        result |= movement->allowedTargets(from, cells);
    }
    return result;
}

void PieceMovementQueen::reportEmptyOrigin(BoardLocation from, BoardLocation to) const {
    reportStraightWalk(from, to);
    reportDiagonalWalk(from, to);
}

SquareSet PieceMovementKnight::targets(int from, const Cells& cells) const {
    return offsetTargets(from, cells, offsets);
}

void PieceMovementKnight::reportEmptyOrigin(BoardLocation from, BoardLocation to) const {
    reportStep(from, to, offsets);
}

SquareSet PieceMovementPawn::targets(int from, const Cells& cells) const {
    const std::uint8_t pawn = cells[from];
    const Color own = cell::color(pawn);
    const bool white = own == Color::white;
    const int d = white ? 1 : -1;
    const int x = from % 8;
    const int y = from / 8;
    SquareSet result = 0;
    const int ahead = y + d;
    if (ahead >= 0 && ahead < 8 && cells[x + 8 * ahead] == 0) {
        result |= bit(x + 8 * ahead);
        // The double step depends on the rank alone, not on whether the pawn has moved.
        const int startRank = white ? 1 : 6;
        const int doubleRank = white ? 3 : 4;
        if (y == startRank && cells[x + 8 * doubleRank] == 0) {
            result |= bit(x + 8 * doubleRank);
        }
    }
    for (const auto& [dx, dy] : white ? whiteCaptures : blackCaptures) {
        const std::int64_t nx = x + dx;
        const std::int64_t ny = y + dy;
        if (!onBoard(nx, ny)) {
            continue;
        }
        const std::uint8_t target = cells[nx + 8 * ny];
        if (cell::is(target, PieceType::king)) {
            continue;
        }
        const bool opposingTarget = target != 0 && cell::color(target) != own;
        // En passant looks at the piece beside the pawn, whatever stands on the target.
        const std::uint8_t beside = cells[nx + 8 * y];
        const bool enPassant = beside != 0 && (beside & cell::kEnPassant) != 0 && cell::color(beside) != own;
        if (opposingTarget || enPassant) {
            result |= bit(nx + 8 * ny);
        }
    }
    return result;
}

SquareSet PieceMovementKing::targets(int from, const Cells& cells) const {
    return offsetTargets(from, cells, offsets);
}

void PieceMovementKing::reportEmptyOrigin(BoardLocation from, BoardLocation to) const {
    reportStep(from, to, offsets);
}

}  // namespace zarvik
