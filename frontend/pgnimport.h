#pragma once
// A game from a file of another chess program made into a game of this program: its moves replayed
// on a new game of two humans and recorded line by line as the program records its own moves, with
// the date of the file's Date tag in the header.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/record.h"
#include "frontend/savedgame.h"
#include "notation/pgnread.h"

namespace zarvik::frontend {

// The program takes games of at most this many half-moves; a record of them stays far below the
// size of a saved game that opens again.
inline constexpr std::size_t kImportedHalfMovesLimit = 10000;

struct ImportedGame {
    GameRecord record;
    Replay replay;
    std::size_t halfMoves = 0;  // of the file's moves, those taken
    bool ended = false;         // mate, stalemate or repetition
};

// Replays the moves of `reading` (a game read without failure); stops where the program's rules
// end the game. `dateTime` is the current date and time text: the move lines take their time from
// it, the header its date unless the Date tag names a whole one. Runs where the game's moves are
// reported (it writes the last-move record).
ImportedGame importPgnGame(const PgnReading& reading, std::string_view dateTime);

// The message for a game that was opened only up to a move, naming the move and its number, or ""
// when every move was taken.
std::string partlyImportedMessage(const PgnReading& reading, std::size_t halfMovesTaken,
                                  const std::string& path);

// The whole path test of game files of other programs: the name ends in ".pgn", in any case.
bool hasPgnExtension(std::string_view path);

// A path with the number of a game of a file of several: "Partien.pgn#3" names its third game.
struct GamePath {
    std::string path;
    std::optional<int> game;  // from 1; none for a path without a number
};
GamePath splitGameNumber(std::string_view path);

// The documents the program opens from the host: saved games and files of other chess programs,
// these with a game number or without.
bool isGameFileName(std::string_view path);

// The lines of the list a person chooses a game of a collection from: the players, event, date,
// result and number of moves.
std::vector<std::string> gameListHeadings();
std::vector<std::vector<std::string>> gameListRows(const std::vector<PgnGameEntry>& games);

}  // namespace zarvik::frontend
