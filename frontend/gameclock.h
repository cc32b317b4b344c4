#pragma once
// The game's clocks: the time control chosen for the game (none: no clocks), the two clocks shown on
// line 17 of window 0, their times after every half-move for take-backs and saved games, and the
// flag fall. A thread of their own sleeps while no clock runs; while one runs it wakes every second,
// asks the program thread to show the clocks and posts the flag fall as a game command.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "clock/chessclock.h"
#include "rules/board.h"

namespace zarvik::frontend {

// The time control of the game; setting it starts the clocks afresh, stopped and full.
void setGameTimeControl(std::optional<TimeControl> control);
std::optional<TimeControl> gameTimeControl();
// Replaces the time source of the clocks (the tests' stand-in); the clocks start afresh.
void setClockTimeSource(TimeSource now);

// The side to move's clock runs (the other stops).
void startClock(Color color);
// Both clocks stop, keeping their times.
void stopClocks();
// After a half-move of `mover`, the record now holding `halfMoves` moves: its clock gets the
// increment and the other side's runs; the times are kept as those after that half-move.
void pressClock(Color mover, std::size_t halfMoves);
// The clocks as they were after `halfMoves` half-moves (stopped), for a take-back or a redo.
void restoreClocks(std::size_t halfMoves);
// The kept times after each half-move from the start (the first entry: before any move).
std::vector<ClockTimes> clockHistory();
// Puts the clocks on kept times, as read from a saved game: the last entry is the position's.
void setClockHistory(std::vector<ClockTimes> history);

// The clocks a record's text keeps: the time control after the header's date (" {900+10}") and the
// mover's reading after each move line (" {4:59}"); none for a record without a time control. A
// move line without a reading keeps the times before it.
struct RecordClocks {
    TimeControl control;
    std::vector<ClockTimes> history;
};
std::optional<RecordClocks> recordClocks(std::string_view recordText);
// The reading at the end of a move line, in seconds.
std::optional<double> lineClock(std::string_view line);
// An opened record's clocks take the place of the game's (no clocks when it has none).
void takeRecordClocks(std::string_view recordText);

std::optional<ClockTimes> clockTimes();
std::optional<Color> runningClock();
// The side whose flag has fallen, once the clock thread or a move noticed it.
std::optional<Color> fallenFlag();
// Seconds the searching computer may think now: a share of its remaining time and most of its
// increment, never its last second; none without clocks.
std::optional<double> thinkingBudget(Color color);

// The clocks' line (program thread): empty without a time control; the running clock in inverse.
std::string clockLine();
void showClocks();
// A second has passed on a running clock: the program thread shows the clocks again.
bool clockTickPending();
void showClocksIfDue();
// The clock thread's work done now, for tests that moved their stand-in time: the tick and the flag.
void nudgeClocks();

}  // namespace zarvik::frontend
