#include "frontend/human.h"

#include "frontend/prompts.h"
#include "frontend/state.h"
#include "rules/game.h"
#include "rules/lastmove.h"
#include "util/log.h"

namespace zarvik::frontend {

PromotionPiece promotionPieceFor(char choice) {
    switch (choice >= 'a' && choice <= 'z' ? static_cast<char>(choice - 'a' + 'A') : choice) {
        case 'R':
        case 'T':
            return {PieceType::rook, 'T'};
        case 'K':
        case 'S':
            return {PieceType::knight, 'S'};
        case 'B':
        case 'L':
            return {PieceType::bishop, 'L'};
        default:
            return {PieceType::queen, 'D'};
    }
}

bool isPromotionKey(char32_t key) {
    switch (key) {
        case U'T':
        case U'S':
        case U'L':
        case U'D':
        case U'R':
        case U'K':
        case U'B':
        case U'Q':
            return true;
        default:
            return false;
    }
}

bool Human::makeMove(BoardLocation from, BoardLocation to, Promotion promotion) {
    return movePieceFor(*this, from, to, promotion);
}

bool movePieceFor(Player& player, BoardLocation from, BoardLocation to, Human::Promotion promotion) {
    const std::shared_ptr<Game> playing = player.game.lock();
    if (!playing || playing->state() != State::inProgress()) {
        throw MoveError::gameIsNotInProgress;
    }
    if (!playing->isCurrentPlayer(player)) {
        throw MoveError::notThisPlayersTurn;
    }
    player.canMovePiece(from, to);
    const Board before = playing->board;
    const std::vector<BoardOperation> operations = playing->board.movePiece(from, to);
    const std::shared_ptr<PlayerDelegate> reportTo = player.delegate.lock();

    const std::vector<BoardLocation> promotable = playing->board.getLocationsOfPromotablePawns(*player.color);
    if (promotable.empty()) {
        if (reportTo) {
            reportTo->playerDidMakeMove(player, operations);
        }
        return true;
    }

    const BoardLocation square = promotable.front();
    const bool onScreen = promotion == Human::Promotion::mayAsk;
    const int promptLine = onScreen ? promotionPromptLine() : 0;
    std::string choice = promotionChoice();
    if (choice.empty() && onScreen) {
        const std::optional<std::string> asked = askPromotionChoice(*playing, promptLine);
        if (!asked) {
            playing->board = before;
            endPromotionPrompt();
            return false;
        }
        choice = *asked;
    }
    const PromotionPiece piece = promotionPieceFor(choice.empty() ? 'D' : choice.front());
    const char letter =
        *player.color == Color::white ? piece.letter : static_cast<char>(piece.letter - 'A' + 'a');
    lastMove().transformedPiece = std::string(1, letter);
    if (onScreen) {
        showPromotionLetter(letter);
    }
    setPromotionChoice("");

    const std::optional<Piece> pawn = playing->board.pieceAt(square);
    playing->board.setPiece(
        square, Piece(piece.type, *player.color, pawn ? pawn->tag : std::nullopt, false, false, square));
    if (reportTo) {
        reportTo->playerDidMakeMove(player, operations);
    }
    lastMove().transformedLocation = static_cast<int>(square.index);
    logline("*** Transform " + squareName(square.index) + "/" + std::string(1, letter));
    if (onScreen) {
        endPromotionPrompt();
    }
    return true;
}

}  // namespace zarvik::frontend
