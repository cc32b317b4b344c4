#pragma once
// A whole game between two computer players through `Game`, as the front end would drive it: ask the
// player to move, wait until its computation is done, go on while the game is running.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "computer/configuration.h"
#include "computer/dispatch.h"
#include "rules/board.h"
#include "rules/color.h"

namespace zarvik {

enum class SelfPlayResult { whiteWins, blackWins, stalemate, drawByRepetition, unfinished };

struct SelfPlayOptions {
    Difficulty white = Difficulty::hard;
    Difficulty black = Difficulty::hard;
    std::uint32_t seed = 1;  // White's book picks use it, Black's the next number
    int maxPlies = 300;
    Board start = Board(true);
    Color toMove = Color::white;
    // Called after every half-move with the board before it, the mover and its move in long algebraic
    // notation ("e2e4", "e1g1", "e7e8q").
    std::function<void(const Board& before, Color mover, const std::string& move)> onMove;
    // Asked after every half-move and its onMove: true ends the game drawn by repetition. The caller
    // judges it from the record it keeps; a checkmate or stalemate on the same move still counts as such.
    std::function<bool()> drawnByRepetition;
};

SelfPlayResult selfPlay(const SelfPlayOptions& options, const std::shared_ptr<Dispatcher>& dispatcher);

// "white wins", "black wins", "stalemate", "draw by repetition", "unfinished".
std::string_view resultText(SelfPlayResult result);

}  // namespace zarvik
