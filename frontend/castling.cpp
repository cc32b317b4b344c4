#include "frontend/castling.h"

#include "rules/lastmove.h"

namespace zarvik::frontend {

bool castleIfAllowed(Game& game, Player& player, Color color, CastleSide side) {
    if (!game.board.canColorCastle(color, side)) {
        return false;
    }
    const std::int64_t base = color == Color::white ? 0 : 56;
    const bool kingSide = side == CastleSide::kingSide;
    std::vector<BoardOperation> operations =
        game.board.movePiece(BoardLocation(base + 4), BoardLocation(base + (kingSide ? 6 : 2)));
    const std::vector<BoardOperation> rook = game.board.movePiece(BoardLocation(base + (kingSide ? 7 : 0)),
                                                                  BoardLocation(base + (kingSide ? 5 : 3)));
    operations.insert(operations.end(), rook.begin(), rook.end());
    game.playerDidMakeMove(player, operations);
    (kingSide ? lastMove().kingSideCastle : lastMove().queenSideCastle) = true;
    return true;
}

}  // namespace zarvik::frontend
