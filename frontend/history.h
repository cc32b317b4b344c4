#pragma once
// Taking moves back and making them again. The game is rebuilt from the record's start position by making
// the record's remaining half-moves again with the same players, so that board, turn, castling and
// en passant rights are exactly those of the shorter game; the record returns to its earlier text.
#include <memory>
#include <string_view>
#include <vector>

#include "rules/game.h"
#include "rules/repetition.h"

namespace zarvik::frontend {

// Makes a half-move of the record again for the game's current player, whoever that is; false when
// the board refuses it.
bool applyPlayedMove(Game& game, const PlayedMove& move);

// A game of the two players after the half-moves from the position of `startFen` (empty: the starting
// position).
std::shared_ptr<Game> gameAfter(const std::shared_ptr<Player>& white, const std::shared_ptr<Player>& black,
                                const std::vector<PlayedMove>& moves, std::string_view startFen = {});

// Takes back the last step of the record (a half-move or giving up); against the computer also
// the steps before it until a person is to move. False when there was nothing to take back.
bool takeBackMoves();

// Puts the game back on the record's position with a new game object, so that a move the computer
// still computes for the old one is dropped.
void restartFromRecord();

// Makes the step taken back last again (with the computer's reply after a person's move); false
// when nothing was taken back.
bool redoMoves();

}  // namespace zarvik::frontend
