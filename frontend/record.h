#pragma once
// The game record ("Spielverlauf"): a header with the date and the players, then one numbered,
// time-stamped line per half-move and an optional final line. The same text is shown beside the
// board, sent to the printer window and saved as the saved-game file; lines end with a carriage
// return only.
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "notation/pgnwrite.h"
#include "rules/color.h"
#include "rules/drawrules.h"
#include "rules/lastmove.h"
#include "rules/repetition.h"

namespace zarvik::frontend {

// Where the record stood after one of its steps (a half-move, or a side giving up), so that a
// take-back can return there and a redo come back.
struct RecordStep {
    std::size_t textEnd = 0;
    int lineCount = 0;
    std::size_t moves = 0;  // entries of moveList
    bool ended = false;     // the step ended the game
};

struct GameRecord {
    std::string text;
    int lineCount = 0;                 // numbered move lines and final lines since the header
    std::vector<PlayedMove> moveList;  // one per half-move that made a move
    bool unsaved = false;              // changed since the record was begun, saved or opened
    RecordStep start;                  // before the first step: header and player lines only
    std::vector<RecordStep> steps;
    // What the last take-backs removed, newest step first out: the text as it was and the steps and
    // moves that a redo brings back. Emptied by every new step.
    std::string redoText;
    std::vector<RecordStep> redoSteps;
    std::vector<PlayedMove> redoMoves;
    // The notation of the file of another chess program the game was opened from (tags, comments,
    // variations, result), kept for saving the game in that form again.
    std::shared_ptr<const PgnExport> imported;
    // The position before the first move, in FEN; empty for the starting position. The record's text
    // names it in the line after the header.
    std::string startFen;
};

// --- pure formatting and rules over values

// The move text of a half-move: "O-O", "O-O-O", or "E2-E4" with the marks X (capture), /letter
// (promotion), # or + and * (book move); empty when the move names no squares.
std::string moveText(const LastMove& move);

// "Weiss" or "Schwarz", as the move lines name the mover.
std::string_view colorWord(Color color);

// Line number, blank, time of day, blank and the colour word with ": " padded to 9 characters.
std::string moveLinePrefix(int lineNumber, std::string_view timeOfDay, std::string_view colorWord);

// "Spielverlauf am 05.12.2026" and a line end, from the 19-character date and time text.
std::string recordHeader(std::string_view dateTime);

// The line after the header of a game from a position of its own: "Stellung: " and the FEN.
std::string startPositionLine(std::string_view fen);

// The FEN of a record's start position line; empty when the record has none.
std::string_view startFenOf(std::string_view recordText);

// The number of the white player's line, from 0: 1, or 2 after a start position line.
int whitePlayerLine(std::string_view recordText);

// The side that makes the record's next half-move: the start position's side to move and the half-moves
// made since.
Color sideToMove(const GameRecord& record);

// The two player lines and the empty line.
std::string configurationLines(bool whiteIsHuman, int whiteDifficulty, bool blackIsHuman,
                               int blackDifficulty);

// "*** Zarvikmatt ***", "*** Patt ***" or "*** Remis ***" in that order of precedence, or none.
std::optional<std::string> finalText(const LastMove& move);

// The draws that end a record with a final line of their own, and the termination a portable game
// file gives each: the draw rules of the chess rules of play, and a draw agreed at the board (no rule).
struct DrawEnding {
    std::optional<DrawRule> rule;
    std::string_view finalText;
    std::string_view termination;
    std::string_view cause;  // English, as in "draw by repetition" on the standard output
};
std::span<const DrawEnding> drawEndings();
// The draw ending whose final line the record text has; null when none.
const DrawEnding* drawEndingIn(std::string_view recordText);
// The ending of that rule; none: the agreed draw.
const DrawEnding& drawEndingOf(std::optional<DrawRule> rule);

// Whether a half-move is judged by the draw rules of the chess rules of play too (a move made now),
// by the game's own rules only, as older versions did (a saved game read again), or by none (a game
// of another program whose players went on after a repetition).
enum class DrawRules { all, ownOnly, none };

// Appends the move line for the half-move in `move` (with the mover's clock reading as " {4:59}"
// when given), tests for repetition (setting `remis` and logging the period) and the other draw
// rules when asked, and appends the centred final line. True when the game has ended.
bool appendHalfMove(GameRecord& record, LastMove& move, std::string_view colorWord, std::string_view timeOfDay,
                    DrawRules rules = DrawRules::all, std::string_view clock = {});

// Ends the record with the final line of a draw (agreed, or read from a file).
void appendDrawEnding(GameRecord& record, const DrawEnding& ending);

// The record ends with the final line of a draw by repetition.
bool endedByRepetition(std::string_view recordText);

// The final lines of a flag fall: lost by the side to move, or drawn as its opponent cannot mate.
inline constexpr std::string_view kTimeOutLine = "*** Zeit überschritten ***";
inline constexpr std::string_view kTimeOutDrawLine = "*** Remis (Zeit) ***";
void appendTimeOut(GameRecord& record, bool drawn);
// Writes the game's time control after the header's date as " {900+10}".
void addTimeControl(GameRecord& record, std::string_view control);
// A line without its clock reading or time control " {...}" at the end.
std::string_view withoutClock(std::string_view line);

// Ends the record with the centred final line "*** Weiss gibt auf ***" or "*** Schwarz gibt auf ***".
void appendResignation(GameRecord& record, Color color);

// Marks the record as it stands as the start of its steps (after the header and player lines).
void markRecordStart(GameRecord& record);

// Takes the last step back (false when there is none): the text, line count and moves return to
// where they stood before it, and the step waits for a redo.
bool takeBackStep(GameRecord& record);

// Brings the step taken back last again; none when there is none. The step's half-move, when it made
// one, is to be made again on the board.
struct RedoneStep {
    std::optional<PlayedMove> move;
    bool ended = false;
};
std::optional<RedoneStep> redoStep(GameRecord& record);

// The lines the record panel shows: the end of the record, at most 23 complete lines.
std::vector<std::string> panelLines(const GameRecord& record);

// A record line as the panel prints it, literally: control characters as "?", cut after 30
// characters so that no line reaches the panel's last column and wraps.
std::string panelText(std::string_view line);

// --- the process-wide record

// Exclusive access to the record for the length of the handle's life.
class RecordAccess {
  public:
    RecordAccess();
    GameRecord* operator->() { return &record_; }
    GameRecord& operator*() { return record_; }

  private:
    std::unique_lock<std::mutex> lock_;
    GameRecord& record_;
};

// A copy of the record as it stands.
GameRecord gameRecordSnapshot();

// Discards the record and starts the next one with the header of today's date.
void beginRecord();

// After each half-move: writes the move line with the time of day, ends the game (clears
// `gameRunning`) on checkmate, stalemate or repetition.
void recordHalfMove(std::string_view colorWord, std::string_view clock = {});

// Appends the player lines of the current configuration.
void appendConfigurationLines();

}  // namespace zarvik::frontend
