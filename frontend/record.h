#pragma once
// The game record ("Spielverlauf"): a header with the date and the players, then one numbered,
// time-stamped line per half-move and an optional final line. The same text is shown beside the
// board, sent to the printer window and saved as the saved-game file; lines end with a carriage
// return only.
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rules/color.h"
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

// The two player lines and the empty line.
std::string configurationLines(bool whiteIsHuman, int whiteDifficulty, bool blackIsHuman,
                               int blackDifficulty);

// "*** Zarvikmatt ***", "*** Patt ***" or "*** Remis ***" in that order of precedence, or none.
std::optional<std::string> finalText(const LastMove& move);

// Appends the move line for the half-move in `move` (with the mover's clock reading as " {4:59}"
// when given), tests for repetition (setting `remis` and logging the period) and appends the
// centred final line. True when the game has ended.
bool appendHalfMove(GameRecord& record, LastMove& move, std::string_view colorWord,
                    std::string_view timeOfDay, std::string_view clock = {});

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
