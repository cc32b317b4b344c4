#pragma once
// The draw rules of the chess rules of play, beside the game's own repetition rule: no mating
// material left, fifty moves of each side without a capture or a pawn move, and the third occurrence
// of a position. They are read off the half-moves played from the starting position.
#include <optional>
#include <vector>

#include "rules/board.h"
#include "rules/repetition.h"

namespace zarvik {

enum class DrawRule { insufficientMaterial, fiftyMoves, repeatedPosition };

// Neither side can mate by any series of legal moves: bare kings, a single knight or bishop, or
// bishops only, all on squares of one colour.
bool hasInsufficientMaterial(const Cells& cells);

// After a flag fall: whether the opponent of `flagged` still has material to mate with. Without it
// (a bare king, or a king and one bishop or knight against a bare king) the game is drawn.
bool opponentCanMate(const Board& board, Color flagged);

// The rule that draws the game after the last of `moves`, played from `start` (the starting
// position with White first unless given); none when the game goes on. A move the board refuses
// ends the reading there. A position counts again when the same pieces stand on the same squares
// with the same side to move, the same castling rights and the same en passant capture possible.
std::optional<DrawRule> findDrawRule(const std::vector<PlayedMove>& moves,
                                     const Cells& start = Board(true).cells(),
                                     Color startToMove = Color::white);

}  // namespace zarvik
