#pragma once
// What the boards show besides the pieces: the squares of the last move, the piece a click has
// picked with its legal targets, and whether the boards are seen from Black's side.
#include <optional>
#include <vector>

#include "rules/board.h"
#include "rules/color.h"
#include "rules/repetition.h"

namespace zarvik::frontend {

struct BoardMarks {
    std::vector<int> lastMove;  // from and to; for castling the king's two squares
    std::optional<int> picked;
    std::vector<int> targets;  // the picked piece's legal targets
    std::vector<int> hint;     // "Tipp": the suggested move's from and to, until a move or a pick
};

// The squares of the last of the half-moves played from the starting position (white first).
std::vector<int> lastMoveSquares(const std::vector<PlayedMove>& moves);
// The squares the piece on `from` may legally go to for `color` (castling: the king's target).
std::vector<int> legalTargets(const Board& board, Color color, int from);

// The marks as they stand; the setters replace their part. Any thread.
BoardMarks boardMarks();
void setLastMoveMarks(std::vector<int> squares);
void setPickedMarks(std::optional<int> picked, std::vector<int> targets);
void setHintMarks(std::vector<int> squares);

// The boards seen from Black's side: rank 1 at the top, file H on the left.
bool boardTurned();
// Turns the boards and remembers the choice for the next run.
void setBoardTurned(bool turned);
// "Brett drehen" (any thread): turns the boards, remembers it and leaves a redraw for the program
// thread, which takes it with takeBoardRedraw wherever it waits.
void requestBoardTurn();
bool boardRedrawPending();
bool takeBoardRedraw();
// At start-up: the orientation remembered from the last run.
void loadBoardTurned();
// After the players were chosen: a person alone against the computer sees the board from their side;
// otherwise the remembered orientation stays.
void turnBoardForPlayers(bool whiteIsHuman, bool blackIsHuman);

}  // namespace zarvik::frontend
