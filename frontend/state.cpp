#include "frontend/state.h"

#include <mutex>
#include <utility>

#include "frontend/human.h"
#include "rules/board.h"
#include "rules/fen.h"

namespace zarvik::frontend {
namespace {

struct Objects {
    std::shared_ptr<Player> white;
    std::shared_ptr<Player> black;
    std::shared_ptr<Game> game;
    std::string promotionChoice;
};

std::mutex& objectsMutex() {
    static std::mutex mutex;
    return mutex;
}

// Created on first use, under the lock.
Objects& objects() {
    static Objects all = [] {
        Objects first;
        first.white = makeHuman(Color::white);
        first.black = makeComputer(Color::black, 2);
        first.game = makeGame(first.white, first.black);
        return first;
    }();
    return all;
}

}  // namespace

std::atomic<bool>& gameOpened() {
    static std::atomic<bool> flag{false};
    return flag;
}

std::atomic<bool>& whiteIsHuman() {
    static std::atomic<bool> flag{true};
    return flag;
}

std::atomic<bool>& blackIsHuman() {
    static std::atomic<bool> flag{true};
    return flag;
}

std::atomic<int>& whiteDifficulty() {
    static std::atomic<int> value{2};
    return value;
}

std::atomic<int>& blackDifficulty() {
    static std::atomic<int> value{2};
    return value;
}

std::shared_ptr<Player> whitePlayer() {
    const std::lock_guard lock(objectsMutex());
    return objects().white;
}

std::shared_ptr<Player> blackPlayer() {
    const std::lock_guard lock(objectsMutex());
    return objects().black;
}

std::shared_ptr<Player> playerOf(Color color) {
    return color == Color::white ? whitePlayer() : blackPlayer();
}

std::shared_ptr<Game> currentGame() {
    const std::lock_guard lock(objectsMutex());
    return objects().game;
}

void setPlayers(std::shared_ptr<Player> white, std::shared_ptr<Player> black) {
    std::shared_ptr<Player> oldWhite;
    std::shared_ptr<Player> oldBlack;
    {
        const std::lock_guard lock(objectsMutex());
        oldWhite = std::exchange(objects().white, std::move(white));
        oldBlack = std::exchange(objects().black, std::move(black));
    }
    // The old players are released here, outside the lock.
}

void setCurrentGame(std::shared_ptr<Game> game) {
    std::shared_ptr<Game> old;
    {
        const std::lock_guard lock(objectsMutex());
        old = std::exchange(objects().game, std::move(game));
    }
}

void replaceGame(std::shared_ptr<Player> white, std::shared_ptr<Player> black, std::shared_ptr<Game> game) {
    Objects old;
    {
        const std::lock_guard lock(objectsMutex());
        old.white = std::exchange(objects().white, std::move(white));
        old.black = std::exchange(objects().black, std::move(black));
        old.game = std::exchange(objects().game, std::move(game));
    }
}

std::shared_ptr<Game> makeGame(const std::shared_ptr<Player>& white, const std::shared_ptr<Player>& black,
                               std::string_view startFen) {
    std::string error;
    if (const std::optional<FenPosition> start = startFen.empty() ? std::nullopt : readFen(startFen, error)) {
        return Game::create(white, black, start->board, start->toMove);
    }
    return Game::create(white, black, Board(true), Color::white);
}

std::shared_ptr<Game> makeNewGame() {
    std::shared_ptr<Player> white;
    std::shared_ptr<Player> black;
    {
        const std::lock_guard lock(objectsMutex());
        white = objects().white;
        black = objects().black;
    }
    return makeGame(white, black);
}

std::string promotionChoice() {
    const std::lock_guard lock(objectsMutex());
    return objects().promotionChoice;
}

void setPromotionChoice(std::string letter) {
    const std::lock_guard lock(objectsMutex());
    objects().promotionChoice = std::move(letter);
}

std::shared_ptr<Player> makeHuman(Color color) {
    return std::make_shared<Human>(color);
}

}  // namespace zarvik::frontend
