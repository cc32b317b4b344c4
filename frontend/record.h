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

namespace zarvik::frontend {

struct GameRecord {
    std::string text;
    int lineCount = 0;                  // numbered move lines and final lines since the header
    std::vector<std::string> moveList;  // move texts with their marks, one per half-move that had one
    bool unsaved = false;               // half-moves were added since the record was begun, saved or opened
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

// Which of the three repetition periods (2, 3 or 4 moves of each side, three times in a row) the end
// of the list shows.
struct Repetition {
    bool twoMoves = false;
    bool threeMoves = false;
    bool fourMoves = false;
    bool any() const { return twoMoves || threeMoves || fourMoves; }
};
Repetition findRepetition(const std::vector<std::string>& moveList);

// "*** Zarvikmatt ***", "*** Patt ***" or "*** Remis ***" in that order of precedence, or none.
std::optional<std::string> finalText(const LastMove& move);

// Appends the move line for the half-move in `move`, tests for repetition (setting `remis` and
// logging the period) and appends the centred final line. True when the game has ended.
bool appendHalfMove(GameRecord& record, LastMove& move, std::string_view colorWord,
                    std::string_view timeOfDay);

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
void recordHalfMove(std::string_view colorWord);

// Appends the player lines of the current configuration.
void appendConfigurationLines();

}  // namespace zarvik::frontend
