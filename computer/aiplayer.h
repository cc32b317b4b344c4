#pragma once
// The computer opponent. It takes a book move when the position is in its opening book, otherwise it
// tries every legal move on a copy of the board and plays the one whose resulting position the nine
// evaluation terms rate highest (one ply, no look-ahead).
//
// Threads: `makeMove()` returns at once. The choice is made on the dispatcher's background thread on a
// copy of the game's board, with the game kept alive for that computation only; the move is then
// carried out on the game's board and reported to the game on the dispatcher's main thread. A game
// that has been freed, that the player has left for another game, or whose board changed meanwhile
// is not touched.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <utility>
#include <vector>

#include "computer/boardrater.h"
#include "computer/configuration.h"
#include "computer/dispatch.h"
#include "computer/move.h"
#include "computer/opening.h"
#include "rules/board.h"
#include "rules/game.h"
#include "rules/player.h"

namespace zarvik {

class AIPlayer : public Player, public std::enable_shared_from_this<AIPlayer> {
  public:
    // Builds the nine terms (each with its own configuration copy) and the book of the colour. The
    // dispatcher is the installed one unless given; the book's random picks are seeded from the time.
    AIPlayer(Color color, AIConfiguration configuration,
             std::shared_ptr<Dispatcher> dispatcher = installedDispatcher());

    // The book entries of this player's colour (empty: every move is chosen by rating).
    std::vector<OpeningMove> openingMoves;

    const std::optional<AIConfiguration>& configuration() const { return configuration_; }
    const std::vector<std::unique_ptr<BoardRater>>& boardRaters() const { return boardRaters_; }

    // Starts the computation of one move for the attached game and returns at once. Nothing happens
    // when the game is gone or not in progress.
    void makeMove();
    // A computation started by `makeMove()` has not yet finished on the main thread.
    bool isThinking() const { return thinking_.load() > 0; }

    // A book move for the position, picked at random among the matching entries (duplicates count).
    std::optional<std::pair<BoardLocation, BoardLocation>> openingBookMove(const Board& board);
    // Rates every candidate, logs the choice and marks castling (or no move at all) in `lastMove`.
    // None when the colour has no candidate.
    std::optional<Move> highestRatedMove(const Board& board);
    // Every candidate of the player's colour in candidate order, rated; nothing logged.
    std::vector<Move> ratedCandidates(const Board& board) const;
    // The sum of the terms for the player's colour; the greatest finite number when the opponent is mated.
    double boardRating(const Board& board) const;
    // The board with the player's first promotable pawn replaced by the best-rated piece.
    Board bestPromotion(const Board& board) const;

    // The index of the first candidate with the strictly highest rating; none for an empty list.
    static std::optional<std::size_t> bestCandidate(const std::vector<Move>& candidates);

    // Makes the book's random picks repeatable.
    void seedRandom(std::uint32_t seed);

    // What the player's turn decides for a position.
    struct Choice {
        std::optional<Move> move;  // none: no candidate
        bool bookMove = false;
        std::size_t candidates = 0;  // moves rated for the choice (none for a book move)
    };
    // The turn's choice, made at once on the calling thread: a book move when the position is in the
    // book, otherwise the highest-rated candidate with its log lines. `lastMove` is left alone.
    Choice chooseMove(const Board& board);
    // Carries out a chosen move on `board` as the turn does: the move itself, then a pawn of the
    // player's on its far rank becomes the best-rated piece. Answers the operations for the game.
    std::vector<BoardOperation> perform(Board& board, const MoveType& move) const;

  protected:
    bool isEqualTo(const Player& other) const override;

  private:
    struct Promotion {
        PieceType type;
        double rating;
    };

    double rate(const Cells& cells, Color own) const;
    Promotion bestPromotionFor(const Cells& cells, int square, Color own) const;
    // The rating choice with its log lines; `lastMove` is left alone.
    std::optional<Move> chooseByRating(const std::vector<Move>& candidates) const;
    void compute(const std::weak_ptr<Game>& target);
    void carryOut(const std::weak_ptr<Game>& target, const Board& seen, const Choice& choice);

    std::optional<AIConfiguration> configuration_;
    std::vector<std::unique_ptr<BoardRater>> boardRaters_;
    std::shared_ptr<Dispatcher> dispatcher_;
    std::mutex randomMutex_;
    std::mt19937 random_;
    std::atomic<int> thinking_{0};
};

}  // namespace zarvik
