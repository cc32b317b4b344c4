#include "rules/player.h"

#include <typeinfo>

#include "rules/game.h"
#include "rules/movement.h"

namespace zarvik {

std::string_view name(MoveError error) {
    switch (error) {
        case MoveError::notThisPlayersTurn:
            return "notThisPlayersTurn";
        case MoveError::movingToSameLocation:
            return "movingToSameLocation";
        case MoveError::noPieceToMove:
            return "noPieceToMove";
        case MoveError::pieceColorDoesNotMatchPlayerColor:
            return "pieceColorDoesNotMatchPlayerColor";
        case MoveError::pieceUnableToMoveToLocation:
            return "pieceUnableToMoveToLocation";
        case MoveError::playerMustMoveOutOfCheck:
            return "playerMustMoveOutOfCheck";
        case MoveError::cannotMoveInToCheck:
            return "cannotMoveInToCheck";
        case MoveError::gameIsNotInProgress:
            return "gameIsNotInProgress";
    }
    return "unknown";
}

bool Player::canMovePiece(BoardLocation from, BoardLocation to) const {
    if (const std::optional<MoveError> error = checkMove(from, to)) {
        throw *error;
    }
    return true;
}

std::optional<MoveError> Player::checkMove(BoardLocation from, BoardLocation to) const {
    const std::shared_ptr<Game> attached = game.lock();
    if (!attached) {
        return MoveError::gameIsNotInProgress;
    }
    if (from == to) {
        return MoveError::movingToSameLocation;
    }
    const Board& board = attached->board;
    const std::optional<Piece> piece = board.pieceAt(from);
    if (!piece) {
        return MoveError::noPieceToMove;
    }
    if (!color || piece->color != *color) {
        return MoveError::pieceColorDoesNotMatchPlayerColor;
    }
    if (!piece->movement().canPieceMove(from, to, board, false)) {
        return MoveError::pieceUnableToMoveToLocation;
    }
    const bool before = board.isColorInCheck(*color);
    const bool after = board.wouldBeInCheckAfterMove(from, to);
    if (before && after) {
        return MoveError::playerMustMoveOutOfCheck;
    }
    if (after) {
        return MoveError::cannotMoveInToCheck;
    }
    return std::nullopt;
}

bool Player::ownsPiece(BoardLocation at) const {
    const std::shared_ptr<Game> attached = game.lock();
    if (!attached || !color) {
        return false;
    }
    const std::optional<Piece> piece = attached->board.pieceAt(at);
    return piece && piece->color == *color;
}

bool Player::isEqualTo(const Player& other) const {
    return typeid(*this) == typeid(other) && color == other.color;
}

}  // namespace zarvik
