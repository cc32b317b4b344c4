#include "clock/chessclock.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace zarvik {

double steadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

ChessClock::ChessClock(TimeControl control, TimeSource now)
    : control_(control),
      now_(std::move(now)),
      stored_{static_cast<double>(control.baseSeconds), static_cast<double>(control.baseSeconds)} {}

ClockTimes ChessClock::times() const {
    ClockTimes current = stored_;
    if (running_) {
        double& side = *running_ == Color::white ? current.white : current.black;
        side = std::max(0.0, side - (now_() - since_));
    }
    return current;
}

void ChessClock::start(Color color) {
    stored_ = times();
    running_ = color;
    since_ = now_();
}

void ChessClock::stop() {
    stored_ = times();
    running_.reset();
}

void ChessClock::press(Color mover) {
    stored_ = times();
    (mover == Color::white ? stored_.white : stored_.black) += control_.incrementSeconds;
    running_ = opposite(mover);
    since_ = now_();
}

void ChessClock::set(ClockTimes times) {
    stored_ = times;
    running_.reset();
}

std::optional<Color> ChessClock::flagFallen() const {
    if (running_ && times().of(*running_) <= 0) {
        return running_;
    }
    return std::nullopt;
}

std::optional<double> ChessClock::secondsLeft() const {
    if (!running_) {
        return std::nullopt;
    }
    return times().of(*running_);
}

}  // namespace zarvik
