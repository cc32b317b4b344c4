#pragma once
// The base of the human and computer players: the player's own move check and its weak links to the
// game it plays in and to the delegate that hears of its moves.
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "rules/color.h"
#include "rules/location.h"
#include "rules/piece.h"

namespace zarvik {

class Game;
class Player;

// Why a move was refused. Thrown by value (`throw MoveError::noPieceToMove`, `catch (MoveError e)`).
enum class MoveError : int {
    notThisPlayersTurn = 0,
    movingToSameLocation = 1,
    noPieceToMove = 2,
    pieceColorDoesNotMatchPlayerColor = 3,
    pieceUnableToMoveToLocation = 4,
    playerMustMoveOutOfCheck = 5,
    cannotMoveInToCheck = 6,
    gameIsNotInProgress = 7,
};

// The case name, e.g. "noPieceToMove".
std::string_view name(MoveError error);

// Hears of the moves a player has made. `Game` is the adopter.
class PlayerDelegate {
  public:
    virtual ~PlayerDelegate() = default;
    virtual void playerDidMakeMove(Player& player, const std::vector<BoardOperation>& boardOperations) = 0;
};

// Players are owned by their game (and by the front end); they hold the game and the delegate weakly,
// so dropping the game frees it. Not copyable: players are compared by identity where it matters.
class Player {
  public:
    explicit Player(std::optional<Color> color = std::nullopt) : color(color) {}
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;
    virtual ~Player() = default;

    std::optional<Color> color;
    std::weak_ptr<Game> game;                // set when the player joins a game
    std::weak_ptr<PlayerDelegate> delegate;  // set by the game to itself

    // True, or throws the first failing MoveError: same square, no piece, wrong colour, the rule refuses,
    // still in check, into check. Without an attached game it throws `gameIsNotInProgress`.
    bool canMovePiece(BoardLocation from, BoardLocation to) const;

    // The same test without throwing: the error `canMovePiece` would throw, or none.
    std::optional<MoveError> checkMove(BoardLocation from, BoardLocation to) const;

    // The game's board holds a piece of the player's colour there (false without a colour or game).
    bool ownsPiece(BoardLocation at) const;

    friend bool operator==(const Player& a, const Player& b) { return a.isEqualTo(b); }

  protected:
    // Equal when of the same concrete class with equal colours; a subclass adds its own fields.
    virtual bool isEqualTo(const Player& other) const;
};

}  // namespace zarvik
