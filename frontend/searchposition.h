#pragma once
// The position a search is asked about: the game from its start with every half-move of the record,
// so that the search sees the game's repetitions and its half-move clock.
#include "frontend/record.h"
#include "rules/board.h"
#include "search/position.h"

namespace zarvik::frontend {

// The record's start and half-moves made on the search's position; the board alone (with `toMove`)
// when the record does not lead to it.
search::Position searchPositionOf(const GameRecord& record, const Board& board, Color toMove);

}  // namespace zarvik::frontend
