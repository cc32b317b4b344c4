#include "frontend/history.h"

#include "frontend/castling.h"
#include "frontend/human.h"
#include "frontend/record.h"
#include "frontend/state.h"
#include "rules/lastmove.h"
#include "toolkit/host.h"

namespace zarvik::frontend {
namespace {

bool isHuman(Color color) {
    return (color == Color::white ? whiteIsHuman() : blackIsHuman()).load();
}

// The record's moves made again on a new game of the current players, on the main thread where
// the computer reports its moves, so that the last-move record is never written twice at once.
void rebuildGame(const std::vector<PlayedMove>& moves, const std::string& startFen, bool running) {
    const std::shared_ptr<Player> white = whitePlayer();
    const std::shared_ptr<Player> black = blackPlayer();
    std::shared_ptr<Game> game;
    host().runOnMainThread([&] { game = gameAfter(white, black, moves, startFen); });
    lastMove().reset();
    setCurrentGame(game);
    gameRunning() = running && game->state() == State::inProgress();
}

}  // namespace

bool applyPlayedMove(Game& game, const PlayedMove& move) {
    const std::shared_ptr<Player> mover = game.currentPlayer();
    if (!mover || !mover->color || game.state() != State::inProgress()) {
        return false;
    }
    const Color color = *mover->color;
    if (move.kingSideCastle || move.queenSideCastle) {
        return castleIfAllowed(game, *mover, color,
                               move.kingSideCastle ? CastleSide::kingSide : CastleSide::queenSide);
    }
    const BoardLocation from(move.from);
    const BoardLocation to(move.to);
    if (!from.isOnBoard() || !to.isOnBoard() || mover->checkMove(from, to)) {
        return false;
    }
    const std::vector<BoardOperation> operations = game.board.movePiece(from, to);
    for (const BoardLocation square : game.board.getLocationsOfPromotablePawns(color)) {
        const std::optional<Piece> pawn = game.board.pieceAt(square);
        game.board.setPiece(square, Piece(promotionPieceFor(move.promotion == 0 ? 'D' : move.promotion).type,
                                          color, pawn ? pawn->tag : std::nullopt, false, false, square));
    }
    game.playerDidMakeMove(*mover, operations);
    return true;
}

std::shared_ptr<Game> gameAfter(const std::shared_ptr<Player>& white, const std::shared_ptr<Player>& black,
                                const std::vector<PlayedMove>& moves, std::string_view startFen) {
    std::shared_ptr<Game> game = makeGame(white, black, startFen);
    for (const PlayedMove& move : moves) {
        lastMove().reset();
        applyPlayedMove(*game, move);
    }
    return game;
}

bool takeBackMoves() {
    std::vector<PlayedMove> moves;
    std::string startFen;
    {
        RecordAccess record;
        if (!takeBackStep(*record)) {
            return false;
        }
        // Against the computer: back to a position where a person moves, as long as there is one.
        for (;;) {
            const Color toMove = sideToMove(*record);
            if (isHuman(toMove) || (whiteIsHuman().load() == blackIsHuman().load()) ||
                record->steps.empty()) {
                break;
            }
            takeBackStep(*record);
        }
        moves = record->moveList;
        startFen = record->startFen;
    }
    rebuildGame(moves, startFen, true);
    return true;
}

void restartFromRecord() {
    const GameRecord record = gameRecordSnapshot();
    rebuildGame(record.moveList, record.startFen, true);
}

bool redoMoves() {
    std::vector<PlayedMove> moves;
    std::string startFen;
    bool ended = false;
    {
        RecordAccess record;
        std::optional<RedoneStep> step = redoStep(*record);
        if (!step) {
            return false;
        }
        ended = step->ended;
        // A person's move comes back with the computer's reply to it.
        const Color toMove = sideToMove(*record);
        if (!ended && !isHuman(toMove) && whiteIsHuman().load() != blackIsHuman().load()) {
            if (const std::optional<RedoneStep> reply = redoStep(*record)) {
                ended = reply->ended;
            }
        }
        moves = record->moveList;
        startFen = record->startFen;
    }
    rebuildGame(moves, startFen, !ended);
    return true;
}

}  // namespace zarvik::frontend
