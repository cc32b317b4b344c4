#pragma once
// A direct, slow transcription of the evaluation terms and of the rating choice, step by step as they
// are written down, on the board's public operations. The fast player is compared against it.
#include <vector>

#include "computer/configuration.h"
#include "computer/move.h"
#include "rules/board.h"

namespace zarvik::reference {

// The nine terms in the player's order, each weighted.
std::vector<double> termRatings(const Board& board, Color color, const AIConfiguration& configuration);
double boardRating(const Board& board, Color color, const AIConfiguration& configuration);
// Every candidate in candidate order with its rating.
std::vector<Move> ratedCandidates(const Board& board, Color color, const AIConfiguration& configuration);

}  // namespace zarvik::reference
