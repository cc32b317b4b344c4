#pragma once
// A direct, slow transcription of the movement rules and board queries, step by step as the rules
// are written down, against which the compact implementation is compared on many positions.
#include "rules/board.h"

namespace zarvik::reference {

bool isMovementAllowed(const Board& board, BoardLocation from, BoardLocation to);
bool isColorInCheck(const Board& board, Color color);
bool isColorInCheckMate(const Board& board, Color color);
bool canColorMoveAnyPiece(const Board& board, Color color);
bool canColorMoveAnyPieceToLocation(const Board& board, Color color, BoardLocation location);
bool canColorCastle(const Board& board, Color color, CastleSide side);

}  // namespace zarvik::reference
