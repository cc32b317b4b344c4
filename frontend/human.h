#pragma once
// The player at the keyboard. Its ordinary moves are checked by the shared player rules; a pawn that
// reaches its last rank is promoted to the piece the user picks (or to the letter a replayed record
// stored beforehand).
#include "rules/location.h"
#include "rules/player.h"

namespace zarvik::frontend {

class Human : public Player {
  public:
    explicit Human(Color color) : Player(color) {}

    // Whether a promotion may ask the user when no letter is stored.
    enum class Promotion { mayAsk, neverAsk };

    // Makes the move on the game's board and reports it to the game; throws the MoveError of the
    // refusal and changes nothing then. With `neverAsk`, a promotion without a stored letter makes a
    // queen (a replay must not wait for a key that the program thread may take first). False when a
    // command interrupted the promotion question: the move is cancelled and the board as before.
    bool makeMove(BoardLocation from, BoardLocation to, Promotion promotion = Promotion::mayAsk);
};

// The same move for any player of the game (the searching computer passes `neverAsk` and stores its
// promotion letter first).
bool movePieceFor(Player& player, BoardLocation from, BoardLocation to, Human::Promotion promotion);

// The piece and the record letter (upper case) of a promotion letter: T/R rook, S/K knight,
// L/B bishop, anything else queen.
struct PromotionPiece {
    PieceType type;
    char letter;
};
PromotionPiece promotionPieceFor(char choice);

// Keys that answer the promotion question, upper case.
bool isPromotionKey(char32_t key);

}  // namespace zarvik::frontend
