#pragma once
// Castling as the front end carries it out: typed "O-O" / "O-O-O" and replayed castling lines move
// king and rook directly on the game's board, after the board's own castling test.
#include "rules/color.h"
#include "rules/game.h"

namespace zarvik::frontend {

// When the board allows it: moves the king, then the rook, reports both to the game as one move of
// `player`, marks the side in `lastMove` and returns true. Otherwise changes nothing.
bool castleIfAllowed(Game& game, Player& player, Color color, CastleSide side);

}  // namespace zarvik::frontend
