#pragma once
// Why a move was refused, in the words the person reads on the message line (49 columns beside the
// record panel). The reasons come from
// the rules model (MoveError, CastlingObstacle); this unit only puts them into German sentences.
#include <string>
#include <vector>

#include "notation/san.h"
#include "rules/player.h"

namespace zarvik::frontend {

// "Auf E3 steht keine eigene Figur.", "Der Läufer kann nicht nach G4 ziehen.", "Der König stünde im
// Schach.", ...; "Unzulässiger Zug." where the move itself is not at fault (turn, game over).
std::string refusalText(MoveError error, const Board& board, BoardLocation from, BoardLocation to);

// "Rochade nicht möglich: der König steht im Schach." and the like.
std::string castlingRefusalText(const Board& board, Color color, CastleSide side);

// An algebraic move that names no legal move of `player`: the reason of the one piece of the named
// kind that could go there by its rule, otherwise "Kein Läufer kann nach G4 ziehen.".
std::string algebraicRefusalText(const Player& player, const Board& board, const SanNamed& named);

// A move as the person reads it on the message line: the German letter of the piece (none for a
// pawn), the squares with "-" or "X", a promotion as "/D"; castling "O-O" or "O-O-O".
std::string moveName(const Board& board, const PerftMove& move);

// "Mehrdeutig: SB1-D2 oder SF3-D2": the candidates in the record's way of writing squares.
std::string ambiguityText(const Board& board, const std::vector<PerftMove>& candidates);

}  // namespace zarvik::frontend
