#pragma once
// The form of a move typed at the prompt: the coordinates "E2-E4" (also "e2e4", "E7-E8D"), castling
// "O-O" / "0-0", algebraic moves with German or English piece letters ("Sf3", "Lxe5", "exd5", "e8=D",
// "Nf3"), or an empty line to give up. Algebraic text is read by the notation library against the
// position; this unit only settles the letters and their case before it.
//
// Case: coordinates count in any case. Otherwise the text is first read as written (upper-case
// letter a piece, lower-case letter a file: "bc3" is a pawn, "Bc3" a bishop); only when that gives
// no legal move are the other readings of the first letter tried (piece or file), and a move is
// made when exactly one of them is legal. German "D" (Dame) and English "B" (Bishop) are pieces.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "notation/san.h"
#include "rules/board.h"
#include "rules/location.h"

namespace zarvik::frontend {

struct TypedMove {
    enum class Kind {
        giveUp,
        castle,
        move,
        ambiguous,
        illegal,
        missingSeparator,
        badCoordinates,
        unreadable
    };
    Kind kind = Kind::giveUp;
    CastleSide side = CastleSide::kingSide;  // castle
    BoardLocation from{};                    // move
    BoardLocation to{};                      // move
    // The German record letter of a promotion piece named in the text (T, S, L, D); none: ask.
    std::optional<char> promotion;
    std::vector<PerftMove> candidates;  // ambiguous
    std::optional<SanNamed> named;      // illegal algebraic text: what it named
};

// Reads the input for `toMove` on `board` (characters are Unicode scalars, so an umlaut is one).
TypedMove parseTypedMove(std::string_view input, const Board& board, Color toMove);

// The English letter of a piece letter of either language (German D, T, L, S or English Q, R, B, N,
// and K), in upper case; none for other letters.
std::optional<char> englishPiece(char letter);

// ASCII letters in upper case; everything else unchanged.
std::string upperCase(std::string_view text);

}  // namespace zarvik::frontend
