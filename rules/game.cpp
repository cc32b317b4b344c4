#include "rules/game.h"

#include <string>

#include "rules/lastmove.h"
#include "util/log.h"

namespace zarvik {
namespace {

// Square indexes of `lastMove`: -1 for a location that names no square.
int recordedIndex(std::optional<BoardLocation> location) {
    return location && location->isOnBoard() ? static_cast<int>(location->index) : -1;
}

bool samePlayer(const std::shared_ptr<Player>& a, const std::shared_ptr<Player>& b) {
    if (!a || !b) {
        return !a && !b;
    }
    return *a == *b;
}

std::optional<Color> colorOf(const std::shared_ptr<Player>& player) {
    std::optional<Color> color;
    if (player) {
        color = player->color;
    }
    return color;
}

}  // namespace

Game::Game(PassKey, Board initial) : board(std::move(initial)) {}

std::shared_ptr<Game> Game::create(std::shared_ptr<Player> firstPlayer, std::shared_ptr<Player> secondPlayer,
                                   Board board, Color colorToMove) {
    auto game = std::make_shared<Game>(PassKey{}, std::move(board));
    const std::optional<Color> firstColor = colorOf(firstPlayer);
    const std::optional<Color> secondColor = colorOf(secondPlayer);
    if (firstColor == secondColor) {
        fatal("Both players cannot have the same color");
    }
    game->whitePlayer_ = firstColor == Color::white ? firstPlayer : secondPlayer;
    game->blackPlayer_ = firstColor == Color::black ? firstPlayer : secondPlayer;
    for (const std::shared_ptr<Player>& player : {firstPlayer, secondPlayer}) {
        if (player) {
            player->delegate = std::weak_ptr<PlayerDelegate>(game);
            player->game = game;
        }
    }
    game->setCurrentPlayer(colorToMove == Color::black ? game->blackPlayer_ : game->whitePlayer_);
    return game;
}

std::shared_ptr<Player> Game::currentPlayer() const {
    const Player* current = current_.load();
    if (current == nullptr) {
        return nullptr;
    }
    return current == whitePlayer_.get() ? whitePlayer_ : blackPlayer_;
}

void Game::playerDidMakeMove(Player& player, const std::vector<BoardOperation>& boardOperations) {
    const std::shared_ptr<Player> current = currentPlayer();
    if (!current || current.get() != &player) {
        logline("*** Warning - Wrong player took turn");
    }
    const std::shared_ptr<GameDelegate> observer = delegate.lock();
    if (observer) {
        observer->gameWillBeginUpdates(*this);
    }
    processBoardOperations(boardOperations);

    // The mover is the current player; without one (or without its colour) the reporting player.
    const std::optional<Color> moverColor = current && current->color ? current->color : player.color;
    if (moverColor) {
        const Color opponent = opposite(*moverColor);
        if (board.isColorInCheckMate(opponent)) {
            state_.store(State::won(*moverColor));
            if (observer) {
                observer->gameWonByPlayer(*this, current ? *current : player);
            }
            logline("*** Checkmate");
            lastMove().checkmate = true;
            gameRunning().store(false);
            return;
        }
        if (!board.canColorMoveAnyPiece(opponent)) {
            state_.store(State::staleMate(opponent));
            if (observer) {
                observer->gameEndedInStaleMate(*this);
            }
            logline("*** Stalemate");
            lastMove().stalemate = true;
            gameRunning().store(false);
            return;
        }
        if (board.isColorInCheck(opponent)) {
            logline("*** Check");
            lastMove().check = true;
        }
    }
    if (observer) {
        observer->gameDidEndUpdates(*this);
    }
    // The turn follows the reporting player, not the previous current player.
    setCurrentPlayer(&player == whitePlayer_.get() ? blackPlayer_ : whitePlayer_);
    if (observer) {
        observer->gameDidChangeCurrentPlayer(*this);
    }
}

void Game::processBoardOperations(const std::vector<BoardOperation>& boardOperations) {
    const std::shared_ptr<GameDelegate> observer = delegate.lock();
    LastMove& record = lastMove();
    for (const BoardOperation& op : boardOperations) {
        const std::optional<BoardLocation> pieceLocation =
            op.piece ? std::optional<BoardLocation>(op.piece->location) : std::nullopt;
        switch (op.type.value_or(OperationType::transformPiece)) {
            case OperationType::movePiece:
                if (observer && op.piece && op.location) {
                    observer->gameDidMovePiece(*this, *op.piece, *op.location);
                }
                record.fromLocation = recordedIndex(pieceLocation);
                record.toLocation = recordedIndex(op.location);
                logline("*** Move " + record.plainMoveText());
                break;
            case OperationType::removePiece:
                if (observer && op.piece && op.location) {
                    observer->gameDidRemovePiece(*this, *op.piece, *op.location);
                }
                record.removedLocation = recordedIndex(pieceLocation);
                logline("*** Remove " + squareName(record.removedLocation));
                break;
            case OperationType::transformPiece: {
                if (observer && op.piece && op.location) {
                    observer->gameDidTransformPiece(*this, *op.piece, *op.location);
                }
                const BoardLocation location =
                    pieceLocation.value_or(op.location.value_or(BoardLocation(-1)));
                record.transformedLocation = recordedIndex(location);
                const std::optional<Piece> now = board.pieceAt(location);
                if (!now) {
                    logline("*** Transform Piece = nil, location = " + std::to_string(location.index));
                    break;
                }
                record.transformedPiece = std::string(1, germanLetter(now->type, now->color));
                logline("*** Transform " + squareName(record.transformedLocation) + "/" +
                        record.transformedPiece);
                break;
            }
        }
    }
}

bool operator==(const Game& a, const Game& b) {
    return samePlayer(a.whitePlayer_, b.whitePlayer_) && samePlayer(a.blackPlayer_, b.blackPlayer_) &&
           samePlayer(a.currentPlayer(), b.currentPlayer()) && a.board == b.board && a.state() == b.state();
}

}  // namespace zarvik
