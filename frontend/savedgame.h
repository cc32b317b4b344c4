#pragma once
// Reading a saved game: the game record written to a ".zarvik" file. The reader checks the header,
// the start position line where there is one, and the two player lines, then replays the move lines on a new
// board with two human players so that the position at the end of the file is on the board.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/human.h"
#include "frontend/record.h"
#include "rules/game.h"

namespace zarvik::frontend {

// The text starts with "Spielverlauf am" or "Game progress on".
bool hasRecordHeader(std::string_view text);

// The complete move lines (without line ends) that follow the header, the two player lines and the
// empty line, possibly none (a game saved before any move); nothing when a player line is missing.
// `start`, when given, gets the position of the first move line.
std::optional<std::vector<std::string>> savedMoveLines(std::string_view text, std::size_t* start = nullptr);

// The players a record's player lines name: a computer line ("Computer (leicht)") plays on as the
// computer at that level, everything else is a person. Difficulty as frontend/strength.h keeps it.
struct SavedPlayers {
    bool whiteIsHuman = true;
    int whiteDifficulty = 2;
    bool blackIsHuman = true;
    int blackDifficulty = 2;
};
SavedPlayers savedPlayers(std::string_view text);

// The move of a line: the text after its first ": " (the whole line without one) and before a clock
// reading " {4:59}", trimmed; a move containing "O-O-O" or "O-O" becomes just that.
std::string savedMove(std::string_view line);

// The result of replaying the move lines on a new game of two humans.
struct Replay {
    std::shared_ptr<Human> white;
    std::shared_ptr<Human> black;
    std::shared_ptr<Game> game;
    int lineCount = 0;
    std::vector<PlayedMove> moveList;
    std::vector<RecordStep> steps;  // one per replayed half-move and for a final line
    bool ended = false;             // mate, stalemate or a final line
    int refusedLines = 0;           // each got its message and a bell
};

// Runs a part of the replay; the default runs it at once.
using ReplayStepRunner = std::function<void(const std::function<void()>&)>;

// Replays the lines in order; each refused line (illegal move, bad coordinates, impossible castling)
// is skipped after `refused` has been told its message. Stops when the game has ended or at a final
// line ("*** ... ***"). The lines are replayed in parts of a few hundred, each through `runStep`.
// `start` is the position of the first line in the record's text, from which the steps count;
// `startFen` the position before the first move (empty: the starting position).
Replay replayMoveLines(const std::vector<std::string>& lines,
                       const std::function<void(const std::string&)>& refused,
                       const ReplayStepRunner& runStep = {}, std::size_t start = 0,
                       std::string_view startFen = {});

// The whole path test of documents: the last 7 characters in lower case are ".zarvik".
bool hasSavedGameExtension(std::string_view path);

// Opens and replays a saved game into the front end's state; a file of several games of other chess
// programs opens the game its number names ("Partien.pgn#3") or the one the person chooses from a list. Only
// a file that passes every check replaces the record, the players and the game; true then. Otherwise nothing
// changes and the person is told why in a message dialog (an empty path fails silently). Reports on the
// standard output.
bool chess_Open(const std::string& path);

// The same for the text of a saved game read from `path` (the path is only named in messages).
bool openSavedGameText(const std::string& path, std::string text);

// Puts an opened game in place of the current one: the record, the printer, the players the record
// names (computers go on as computers) and the game on the replayed position.
void takeOpenedGame(GameRecord record, const Replay& replay, const SavedPlayers& players);

// Asks for a file with the save dialog and writes the record to it; true when it was written. A
// failed write is told in a message dialog. Any thread.
bool saveGameAs();

// The record has half-moves that were not saved since the last save or open.
bool hasUnsavedMoves();

}  // namespace zarvik::frontend
