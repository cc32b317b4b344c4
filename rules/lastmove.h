#pragma once
// The description of the half-move just made, which the game record turns into its move line, and the
// process-wide "a game is running" flag. Both live until the program ends.
//
// Threads: `gameRunning` is atomic and may be read and written anywhere. `lastMove` is a plain record:
// it is reset and filled by whichever thread is making the half-move (the program thread for a human,
// the computer's background thread, then the main thread in `Game::playerDidMakeMove`), one at a time
// by the turn protocol; other threads read it only after they have seen the turn pass or
// `gameRunning` change, which publishes the writes made before.
#include <atomic>
#include <cstdint>
#include <string>

#include "rules/piece.h"

namespace zarvik {

struct LastMove {
    bool check = false;
    bool checkmate = false;
    bool stalemate = false;
    bool remis = false;
    bool kingSideCastle = false;
    bool queenSideCastle = false;
    bool bookMove = false;
    int fromLocation = -1;
    int toLocation = -1;
    int removedLocation = -1;
    int transformedLocation = -1;
    std::string transformedPiece;  // German initial of the promotion piece: "D", "T", "S", "L", ...

    // Every field back to its initial value.
    void reset() { *this = LastMove{}; }

    // "E2-E4"; empty when either location names no square.
    std::string plainMoveText() const;

    friend bool operator==(const LastMove&, const LastMove&) = default;
};

// The record of the current half-move.
LastMove& lastMove();

// True until a side gives up or the game ends; starts true.
std::atomic<bool>& gameRunning();

// "E2" for 12, "E8" for 60; empty outside 0...63.
std::string squareName(std::int64_t index);

// The German initial of a piece as the game log and `transformedPiece` write it: B T S L D K for
// pawn, rook, knight, bishop, queen, king; upper case for White, lower case for Black ('?' for a
// value outside the six kinds).
char germanLetter(PieceType type, Color color);

}  // namespace zarvik
