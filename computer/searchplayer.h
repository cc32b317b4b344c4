#pragma once
// The searching computer player: a `Player` that thinks on a thread of its own at one of the levels
// "Stufe 1" to "Stufe 10". The game starts it, hears the best move so far while it thinks, can make
// it move at once, and can drop the search without waiting for it.
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "computer/searchlevel.h"
#include "rules/board.h"
#include "rules/perft.h"
#include "rules/player.h"
#include "search/search.h"

namespace zarvik {

class SearchPlayer : public Player {
  public:
    SearchPlayer(Color color, int level);
    ~SearchPlayer() override;

    int level() const { return level_; }

    // What the player tells while it thinks: the best move so far in long algebraic form, its score
    // in centipawns for the player and the depth reached.
    struct Progress {
        std::string bestMove;
        int centipawns = 0;
        int mateIn = 0;  // moves; negative when the player is mated
        int depth = 0;
    };

    // Starts thinking about `position` (best made from the game's start and its moves, so that the search
    // sees repetitions and the half-move clock); returns at once. `onProgress` and `onDone` run on the
    // search thread; `onDone` gets no move when the player has none. A search still running is dropped
    // first.
    void startThinking(const search::Position& position, std::function<void(const Progress&)> onProgress,
                       std::function<void(std::optional<PerftMove>)> onDone);
    // Ends the thinking now; `onDone` gets the best move found so far.
    void moveNow();
    // Ends the thinking without its answer: `onDone` is not called for it. Returns at once.
    void cancel();
    bool isThinking() const;

  protected:
    bool isEqualTo(const Player& other) const override;

  private:
    int level_;
    std::shared_ptr<std::atomic<bool>> dropped_ = std::make_shared<std::atomic<bool>>(false);
    std::unique_ptr<search::Searcher> searcher_;
};

// The rules' move for a move of the search (castling as the king's two-square step).
PerftMove toRulesMove(search::Move move);

}  // namespace zarvik
