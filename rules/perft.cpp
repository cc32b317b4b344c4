#include "rules/perft.h"

#include "rules/movement.h"

namespace zarvik {
namespace {

constexpr PieceType kPromotions[] = {PieceType::queen, PieceType::rook, PieceType::bishop, PieceType::knight};

bool reachesLastRank(std::uint8_t moving, int to) {
    if (!cell::is(moving, PieceType::pawn)) {
        return false;
    }
    return cell::color(moving) == Color::white ? to >= 56 : to < 8;
}

// The promoted piece replaces the pawn and keeps its tag, as the players do it.
void promote(Cells& cells, int square, PieceType type, Color color) {
    cells[square] = cell::make(type, color) | (cells[square] & cell::kHasTag);
}

// Calls visit(from, to, castle, promotes, after) for every legal move of `color`, in the order of
// `legalMoves`; `after` is the position with the move made but a promotion not yet carried out.
template <typename Visit>
void forEachLegalMove(const Cells& cells, Color color, Visit&& visit) {
    for (int from = 0; from < 64; ++from) {
        const std::uint8_t moving = cells[from];
        if (!cell::isColor(moving, color)) {
            continue;
        }
        const SquareSet targets =
            PieceMovement::pieceMovement(cell::type(moving)).allowedTargets(from, cells);
        forEachSquare(targets, [&](int to) {
            Cells after = cells;
            applyRawMove(after, from, to);
            if (!isInCheck(after, color)) {
                visit(from, to, std::optional<CastleSide>(), reachesLastRank(moving, to), after);
            }
        });
    }
    const int base = color == Color::white ? 0 : 56;
    for (CastleSide side : {CastleSide::kingSide, CastleSide::queenSide}) {
        if (!mayCastle(cells, color, side)) {
            continue;
        }
        const bool kingSide = side == CastleSide::kingSide;
        Cells after = cells;
        applyRawMove(after, base + 4, base + (kingSide ? 6 : 2));
        applyRawMove(after, base + (kingSide ? 7 : 0), base + (kingSide ? 5 : 3));
        visit(base + 4, base + (kingSide ? 6 : 2), std::optional<CastleSide>(side), false, after);
    }
}

std::uint64_t perftCells(const Cells& cells, Color color, int depth) {
    std::uint64_t nodes = 0;
    const Color next = opposite(color);
    forEachLegalMove(cells, color,
                     [&](int, int to, std::optional<CastleSide>, bool promotes, const Cells& after) {
                         if (depth == 1) {
                             nodes += promotes ? 4 : 1;
                         } else if (!promotes) {
                             nodes += perftCells(after, next, depth - 1);
                         } else {
                             for (PieceType type : kPromotions) {
                                 Cells promoted = after;
                                 promote(promoted, to, type, color);
                                 nodes += perftCells(promoted, next, depth - 1);
                             }
                         }
                     });
    return nodes;
}

}  // namespace

std::string PerftMove::text() const {
    std::string text{static_cast<char>('a' + from % 8), static_cast<char>('1' + from / 8),
                     static_cast<char>('a' + to % 8), static_cast<char>('1' + to / 8)};
    if (promotion) {
        static constexpr char kLetters[] = {'p', 'r', 'n', 'b', 'q', 'k'};
        text.push_back(kLetters[static_cast<int>(*promotion)]);
    }
    return text;
}

std::vector<PerftMove> legalMoves(const Board& board, Color toMove) {
    std::vector<PerftMove> moves;
    forEachLegalMove(board.cells(), toMove,
                     [&](int from, int to, std::optional<CastleSide> castle, bool promotes, const Cells&) {
                         if (!promotes) {
                             moves.push_back(PerftMove{from, to, castle, std::nullopt});
                             return;
                         }
                         for (PieceType type : kPromotions) {
                             moves.push_back(PerftMove{from, to, std::nullopt, type});
                         }
                     });
    return moves;
}

Board afterMove(const Board& board, Color toMove, const PerftMove& move) {
    Board after = board;
    if (move.castle) {
        after.performCastle(toMove, *move.castle);
    } else {
        after.movePiece(BoardLocation(move.from), BoardLocation(move.to));
    }
    if (move.promotion) {
        for (BoardLocation location : after.getLocationsOfPromotablePawns(toMove)) {
            const std::optional<Piece> pawn = after.pieceAt(location);
            after.setPiece(location, Piece{*move.promotion, toMove, pawn->tag, false, false, location});
        }
    }
    return after;
}

std::uint64_t perft(const Board& board, Color toMove, int depth) {
    return depth <= 0 ? 1 : perftCells(board.cells(), toMove, depth);
}

std::vector<DivideLine> divide(const Board& board, Color toMove, int depth) {
    std::vector<DivideLine> lines;
    for (const PerftMove& move : legalMoves(board, toMove)) {
        lines.push_back(DivideLine{move, perft(afterMove(board, toMove, move), opposite(toMove), depth - 1)});
    }
    return lines;
}

}  // namespace zarvik
