#pragma once
// The repetition rule: a game is drawn when the last two, three or four moves of each side were
// played three times in a row. Half-moves are compared as played (squares, capture, promotion,
// castling side and the check they gave), so the rule needs no move texts.
#include <string>
#include <vector>

#include "rules/lastmove.h"

namespace zarvik {

// One half-move as the rule compares it. Castling is its side alone, as two castlings of a side are
// the same move whatever squares the rook passed.
struct PlayedMove {
    int from = -1;
    int to = -1;
    bool capture = false;
    char promotion = 0;  // German letter of the new piece, 0 for none
    bool kingSideCastle = false;
    bool queenSideCastle = false;
    bool check = false;
    bool checkmate = false;

    // The half-move that `move` describes.
    static PlayedMove of(const LastMove& move);

    friend bool operator==(const PlayedMove&, const PlayedMove&) = default;
};

// Which of the three periods (2, 3 or 4 moves of each side, three times in a row) ends the list.
struct Repetition {
    bool twoMoves = false;
    bool threeMoves = false;
    bool fourMoves = false;
    bool any() const { return twoMoves || threeMoves || fourMoves; }
};
Repetition findRepetition(const std::vector<PlayedMove>& moves);

}  // namespace zarvik
