#pragma once
// The computer player's move for a position in the terms other chess programs read: the move in long
// algebraic form, a score in centipawns and how many moves were rated.
#include <cstddef>
#include <optional>
#include <string>

#include "computer/aiplayer.h"
#include "rules/board.h"
#include "rules/perft.h"

namespace zarvik::engine {

struct EngineChoice {
    std::optional<PerftMove> move;  // none: the side to move has no legal move
    bool bookMove = false;
    bool mates = false;     // the move checkmates
    int centipawns = 0;     // the move's rating for the mover, a pawn being 100
    std::size_t nodes = 0;  // positions rated
};

// The move `player` makes for its colour on `board`, chosen exactly as in the game (book first).
EngineChoice chooseFor(AIPlayer& player, const Board& board);

// A rating in centipawns: the material term values a pawn at its weighting, so one rating point is
// 100 / weighting centipawns. Clamped to +-30000; a rating that is not a number gives 0.
int centipawnsOf(double rating, const AIConfiguration& configuration);

// "info depth 1 nodes N score cp S pv MOVE" (or "score mate 1"); for no move "info depth 0 score
// mate 0" when the side to move is mated, "score cp 0" when stalemated.
std::string infoLine(const EngineChoice& choice, bool inCheck);

// "bestmove MOVE", or "bestmove 0000" without a move.
std::string bestMoveLine(const EngineChoice& choice);

}  // namespace zarvik::engine
