#include "frontend/boardmarks.h"

#include <algorithm>
#include <atomic>
#include <mutex>

#include "frontend/settings.h"
#include "rules/perft.h"

namespace zarvik::frontend {
namespace {

constexpr std::string_view kTurnedSetting = "brett-gedreht";

std::mutex& marksMutex() {
    static std::mutex mutex;
    return mutex;
}
BoardMarks& marks() {
    static BoardMarks all;
    return all;
}
std::atomic<bool>& turned() {
    static std::atomic<bool> flag{false};
    return flag;
}
std::atomic<bool>& redraw() {
    static std::atomic<bool> flag{false};
    return flag;
}

}  // namespace

std::vector<int> lastMoveSquares(const std::vector<PlayedMove>& moves) {
    if (moves.empty()) {
        return {};
    }
    const PlayedMove& move = moves.back();
    if (move.kingSideCastle || move.queenSideCastle) {
        const int home = moves.size() % 2 == 1 ? 4 : 60;
        return {home, home + (move.kingSideCastle ? 2 : -2)};
    }
    if (move.from < 0 || move.from > 63 || move.to < 0 || move.to > 63) {
        return {};
    }
    return {move.from, move.to};
}

std::vector<int> legalTargets(const Board& board, Color color, int from) {
    std::vector<int> targets;
    for (const PerftMove& move : legalMoves(board, color)) {
        if (move.from == from && std::find(targets.begin(), targets.end(), move.to) == targets.end()) {
            targets.push_back(move.to);
        }
    }
    return targets;
}

BoardMarks boardMarks() {
    const std::lock_guard lock(marksMutex());
    return marks();
}

void setLastMoveMarks(std::vector<int> squares) {
    const std::lock_guard lock(marksMutex());
    if (marks().lastMove != squares) {
        marks().hint.clear();  // a move was made or taken back: the hint is about another position
    }
    marks().lastMove = std::move(squares);
}

void setPickedMarks(std::optional<int> picked, std::vector<int> targets) {
    const std::lock_guard lock(marksMutex());
    if (picked) {
        marks().hint.clear();
    }
    marks().picked = picked;
    marks().targets = std::move(targets);
}

void setHintMarks(std::vector<int> squares) {
    const std::lock_guard lock(marksMutex());
    marks().hint = std::move(squares);
}

bool boardTurned() {
    return turned().load();
}

void setBoardTurned(bool turn) {
    turned() = turn;
    writeSetting(kTurnedSetting, turn ? "1" : "0");
}

void requestBoardTurn() {
    setBoardTurned(!boardTurned());
    redraw() = true;
}

bool boardRedrawPending() {
    return redraw().load();
}

bool takeBoardRedraw() {
    return redraw().exchange(false);
}

void loadBoardTurned() {
    turned() = readSetting(kTurnedSetting) == "1";
}

void turnBoardForPlayers(bool whiteIsHuman, bool blackIsHuman) {
    if (whiteIsHuman != blackIsHuman && boardTurned() != blackIsHuman) {
        setBoardTurned(blackIsHuman);
    }
}

}  // namespace zarvik::frontend
