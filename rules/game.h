#pragma once
// The game controller: owns the board and the two players, knows whose turn it is and whether the game
// goes on, and after every reported move logs it, fills `lastMove`, tests mate, stalemate and check and
// hands over the turn.
//
// Threads: a human move is checked, applied and reported on the program thread; a computer move is
// computed and applied on a background thread and reported on the main thread. Only one of them
// touches `board` at a time by the turn protocol (nothing locks it). `currentPlayer` and `state` are
// atomic, so other threads may poll them at any time; everything written into `lastMove` before the
// turn passes (or before `gameRunning` is cleared) is visible to a thread that has seen that change.
#include <atomic>
#include <memory>
#include <optional>
#include <vector>

#include "rules/board.h"
#include "rules/color.h"
#include "rules/piece.h"
#include "rules/player.h"

namespace zarvik {

class Game;

// How a game stands. `won` carries the winner's colour, `staleMate` the colour that cannot move.
struct State {
    enum class Kind : std::uint8_t { staleMate, won, inProgress };
    Kind kind = Kind::inProgress;
    Color color = Color::white;  // meaningful for staleMate and won only

    static constexpr State inProgress() { return {}; }
    static constexpr State won(Color winner) { return {Kind::won, winner}; }
    static constexpr State staleMate(Color stuck) { return {Kind::staleMate, stuck}; }

    friend constexpr bool operator==(State a, State b) {
        return a.kind == b.kind && (a.kind == Kind::inProgress || a.color == b.color);
    }
};

// Observer of a game. Every requirement does nothing unless overridden. `gameDidAddPiece` and
// `gameDidReset` are never called by `Game` itself.
class GameDelegate {
  public:
    virtual ~GameDelegate() = default;
    virtual void gameDidChangeCurrentPlayer(Game& /*game*/) {}
    virtual void gameWonByPlayer(Game& /*game*/, Player& /*player*/) {}
    virtual void gameEndedInStaleMate(Game& /*game*/) {}
    virtual void gameWillBeginUpdates(Game& /*game*/) {}
    virtual void gameDidAddPiece(Game& /*game*/, const Piece& /*piece*/, BoardLocation /*location*/) {}
    virtual void gameDidRemovePiece(Game& /*game*/, const Piece& /*piece*/, BoardLocation /*location*/) {}
    virtual void gameDidMovePiece(Game& /*game*/, const Piece& /*piece*/, BoardLocation /*toLocation*/) {}
    virtual void gameDidTransformPiece(Game& /*game*/, const Piece& /*piece*/, BoardLocation /*location*/) {}
    virtual void gameDidEndUpdates(Game& /*game*/) {}
    virtual void gameDidReset(Game& /*game*/) {}
};

class Game : public PlayerDelegate, public std::enable_shared_from_this<Game> {
    struct PassKey {};

  public:
    // Makes a game and attaches both players to it (weakly). Equal player colours are a fatal error.
    static std::shared_ptr<Game> create(std::shared_ptr<Player> firstPlayer,
                                        std::shared_ptr<Player> secondPlayer, Board board, Color colorToMove);
    Game(PassKey, Board board);  // use create()
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    Board board;  // players change it in place
    std::weak_ptr<GameDelegate> delegate;

    const std::shared_ptr<Player>& whitePlayer() const { return whitePlayer_; }
    const std::shared_ptr<Player>& blackPlayer() const { return blackPlayer_; }
    // The player to move (null when none).
    std::shared_ptr<Player> currentPlayer() const;
    bool isCurrentPlayer(const Player& player) const { return current_.load() == &player; }
    State state() const { return state_.load(); }

    void playerDidMakeMove(Player& player, const std::vector<BoardOperation>& boardOperations) override;

    // Equal players (pairwise, by player equality), boards and states.
    friend bool operator==(const Game& a, const Game& b);

  private:
    void processBoardOperations(const std::vector<BoardOperation>& boardOperations);
    void setCurrentPlayer(const std::shared_ptr<Player>& player) { current_.store(player.get()); }

    std::shared_ptr<Player> whitePlayer_;
    std::shared_ptr<Player> blackPlayer_;
    std::atomic<Player*> current_{nullptr};  // always null or one of the two players above
    std::atomic<State> state_{State::inProgress()};
};

}  // namespace zarvik
