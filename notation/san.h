#pragma once
// Standard algebraic notation: the move text that chess players and other chess programs read
// ("Nbd7", "exd6", "e8=Q+", "O-O-O#"). Written and read against the program's own move rules, so a
// move is named by what is legal here, with English piece letters.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rules/board.h"
#include "rules/color.h"
#include "rules/perft.h"

namespace zarvik {

// The move of `toMove` in minimal form: piece letter (none for a pawn), the origin's file, rank or
// both only where another piece of the kind could legally go to the same square, "x" for a capture
// (a pawn names its file), "=Q" for a promotion, then "+" or "#". `move` must be legal.
std::string sanText(const Board& board, Color toMove, const PerftMove& move);

// Why a move text was refused.
enum class SanProblem { unreadable, illegal, ambiguous };

// What a readable text names: the piece kind (a pawn without a letter), the origin's file and rank
// where given (0...7), and the target square.
struct SanNamed {
    PieceType piece = PieceType::pawn;
    std::optional<int> fromFile;
    std::optional<int> fromRank;
    int to = -1;
};

struct SanReading {
    std::optional<PerftMove> move;
    SanProblem problem = SanProblem::unreadable;  // when there is no move
    std::vector<PerftMove> candidates;            // the legal moves an ambiguous text fits
    std::optional<SanNamed> named;                // set for every readable text other than castling
};

// Reads one move text leniently: "+", "#", "!" and "?" marks may be present or missing, "0-0" stands
// for "O-O", superfluous origin hints and capture marks are taken as they come, a hyphen between
// the squares is allowed ("Ng1-f3", "e2-e4"), and a promotion without its piece makes a queen, as
// the program's own records do.
SanReading readSan(const Board& board, Color toMove, std::string_view text);

// The side of a castling text: "O-O", "0-0", "o-o" and the same with three.
std::optional<CastleSide> castlingText(std::string_view text);

// Whether `move` is one that `toMove` may make here, promotion piece included.
bool isLegalMove(const Board& board, Color toMove, const PerftMove& move);

// The piece kind of an upper-case English letter "K", "Q", "R", "B", "N" or "P"; none for others.
std::optional<PieceType> pieceForEnglishLetter(char letter);

// "K", "Q", "R", "B", "N" for the English letter of a piece kind; none for a pawn.
std::string_view englishLetter(PieceType type);

}  // namespace zarvik
