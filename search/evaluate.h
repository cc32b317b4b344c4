#pragma once
// The static evaluation: material and piece-square terms blended from middlegame to endgame by the
// material left, mobility, pawn structure, king safety, the bishop pair and rooks on open files.
// Centipawns from the side to move's point of view.
#include "search/position.h"

namespace zarvik::search {

int evaluate(const Position& position);

// The middlegame value of a kind, for ordering captures and pruning.
int pieceValue(int kind);

}  // namespace zarvik::search
