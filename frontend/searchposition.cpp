#include "frontend/searchposition.h"

#include "frontend/typedmove.h"

#include <cctype>
#include <string>

namespace zarvik::frontend {
namespace {

// The half-move in long algebraic form, castling as the king's step from its home square.
std::string moveName(const PlayedMove& move, const search::Position& position) {
    const int king = position.kingSquare(position.sideToMove());
    if (move.kingSideCastle || move.queenSideCastle) {
        return squareName(king) + squareName(king + (move.kingSideCastle ? 2 : -2));
    }
    std::string name = squareName(move.from) + squareName(move.to);
    if (const std::optional<char> piece = englishPiece(move.promotion)) {
        name += *piece;
    }
    for (char& c : name) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return name;
}

}  // namespace

search::Position searchPositionOf(const GameRecord& record, const Board& board, Color toMove) {
    search::Position now = search::Position::fromBoard(board, toMove);
    std::string error;
    std::optional<search::Position> replayed =
        record.startFen.empty() ? search::Position() : search::Position::fromFen(record.startFen, error);
    if (!replayed) {
        return now;
    }
    for (const PlayedMove& move : record.moveList) {
        if (!replayed->makeNamed(moveName(move, *replayed))) {
            return now;
        }
    }
    return replayed->key() == now.key() ? *replayed : now;
}

}  // namespace zarvik::frontend
