#pragma once
// The two clocks of a game: the side to move's clock runs, a move stops it, adds the increment and
// starts the other. Times are read from a time source, so that tests move time themselves.
#include <functional>
#include <optional>

#include "clock/timecontrol.h"
#include "rules/color.h"

namespace zarvik {

// Seconds from a fixed origin; only differences count.
using TimeSource = std::function<double()>;
// The monotonic clock of the system.
double steadySeconds();

// Both sides' remaining seconds.
struct ClockTimes {
    double white = 0;
    double black = 0;
    double of(Color color) const { return color == Color::white ? white : black; }
    friend bool operator==(const ClockTimes&, const ClockTimes&) = default;
};

class ChessClock {
  public:
    ChessClock(TimeControl control, TimeSource now);

    const TimeControl& control() const { return control_; }
    // The remaining times as they stand now (the running side's reaches 0 and stays there).
    ClockTimes times() const;
    std::optional<Color> running() const { return running_; }

    // Starts the side's clock (stopping the other's).
    void start(Color color);
    // Stops both clocks, keeping their times.
    void stop();
    // The mover finished a move: its clock stops and gets the increment; the other side's starts.
    void press(Color mover);
    // Puts both clocks at these times, stopped.
    void set(ClockTimes times);
    // The running side's time is up.
    std::optional<Color> flagFallen() const;
    // Seconds until the running side's flag falls (none when no clock runs).
    std::optional<double> secondsLeft() const;

  private:
    TimeControl control_;
    TimeSource now_;
    ClockTimes stored_;  // the times at `since`
    std::optional<Color> running_;
    double since_ = 0;
};

}  // namespace zarvik
