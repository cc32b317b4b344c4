#include "computer/selfplay.h"

#include <cctype>
#include <chrono>
#include <thread>

#include "computer/aiplayer.h"
#include "rules/game.h"
#include "rules/lastmove.h"

namespace zarvik {
namespace {

char promotionLetter(const std::string& germanInitial) {
    switch (germanInitial.empty() ? ' ' : static_cast<char>(std::tolower(germanInitial[0]))) {
        case 'd':
            return 'q';
        case 't':
            return 'r';
        case 's':
            return 'n';
        case 'l':
            return 'b';
        default:
            return '\0';
    }
}

std::string squareText(int index) {
    return {static_cast<char>('a' + index % 8), static_cast<char>('1' + index / 8)};
}

// The half-move just made, read back from the last-move record.
std::string moveFromRecord(Color mover) {
    const LastMove& record = lastMove();
    const int base = mover == Color::white ? 0 : 56;
    if (record.kingSideCastle || record.queenSideCastle) {
        return squareText(base + 4) + squareText(base + (record.kingSideCastle ? 6 : 2));
    }
    std::string text = squareText(record.fromLocation) + squareText(record.toLocation);
    if (const char letter = promotionLetter(record.transformedPiece)) {
        text += letter;
    }
    return text;
}

}  // namespace

std::string_view resultText(SelfPlayResult result) {
    switch (result) {
        case SelfPlayResult::whiteWins:
            return "white wins";
        case SelfPlayResult::blackWins:
            return "black wins";
        case SelfPlayResult::stalemate:
            return "stalemate";
        case SelfPlayResult::drawByRepetition:
            return "draw by repetition";
        case SelfPlayResult::unfinished:
            return "unfinished";
    }
    return "unfinished";
}

SelfPlayResult selfPlay(const SelfPlayOptions& options, const std::shared_ptr<Dispatcher>& dispatcher) {
    auto white = std::make_shared<AIPlayer>(Color::white, AIConfiguration(options.white), dispatcher);
    auto black = std::make_shared<AIPlayer>(Color::black, AIConfiguration(options.black), dispatcher);
    white->seedRandom(options.seed);
    black->seedRandom(options.seed + 1);
    const std::shared_ptr<Game> game = Game::create(white, black, options.start, options.toMove);
    bool repeated = false;
    for (int ply = 0; ply < options.maxPlies && game->state() == State::inProgress(); ++ply) {
        const std::shared_ptr<Player> mover = game->currentPlayer();
        auto* player = dynamic_cast<AIPlayer*>(mover.get());
        if (player == nullptr || !player->color) {
            break;
        }
        const Board before = game->board;
        lastMove().reset();
        player->makeMove();
        // Polling as the front end does: the computation ends on the main thread.
        while (player->isThinking()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        if (game->board.cells() == before.cells()) {
            break;  // no candidate: the player leaves the board as it is
        }
        if (options.onMove) {
            options.onMove(before, *player->color, moveFromRecord(*player->color));
        }
        if (options.drawnByRepetition && options.drawnByRepetition()) {
            repeated = true;
            break;
        }
    }
    const State state = game->state();
    if (state.kind == State::Kind::won) {
        return state.color == Color::white ? SelfPlayResult::whiteWins : SelfPlayResult::blackWins;
    }
    if (state.kind == State::Kind::staleMate) {
        return SelfPlayResult::stalemate;
    }
    if (repeated) {
        return SelfPlayResult::drawByRepetition;
    }
    // A side to move without any legal move that the game has not yet judged.
    const Color toMove = game->isCurrentPlayer(*white) ? Color::white : Color::black;
    if (!game->board.canColorMoveAnyPiece(toMove)) {
        if (game->board.isColorInCheck(toMove)) {
            return toMove == Color::white ? SelfPlayResult::blackWins : SelfPlayResult::whiteWins;
        }
        return SelfPlayResult::stalemate;
    }
    return SelfPlayResult::unfinished;
}

}  // namespace zarvik
