#include "frontend/gameclock.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "frontend/colors.h"
#include "frontend/commands.h"
#include "frontend/record.h"
#include "toolkit/screen/window.h"
#include "toolkit/text/glyph.h"

namespace zarvik::frontend {
namespace {

constexpr std::uint8_t kWindow = 0;
constexpr int kClockLine = 17;
constexpr int kWhiteColumn = 4;
constexpr int kBlackColumn = 27;
constexpr double kLastSecond = 1.0;

struct Clocks {
    std::mutex mutex;
    std::condition_variable changed;
    TimeSource source = &steadySeconds;
    std::optional<TimeControl> control;
    std::unique_ptr<ChessClock> clock;
    std::vector<ClockTimes> history;
    std::optional<Color> fallen;
    bool flagPosted = false;
    bool threadStarted = false;
    std::atomic<bool> tick{false};
};

// Never freed: the clock thread may still wait on it while the process ends.
Clocks& clocks() {
    static Clocks* all = new Clocks;
    return *all;
}

void restart(Clocks& c) {
    c.clock = c.control ? std::make_unique<ChessClock>(*c.control, c.source) : nullptr;
    c.history = c.clock ? std::vector<ClockTimes>{c.clock->times()} : std::vector<ClockTimes>{};
    c.fallen.reset();
    c.flagPosted = false;
}

// The clock thread's work (under the lock): whether to wake the program, whether a flag fell now.
struct Tick {
    bool wake = false;
    bool flag = false;
};
Tick tickLocked(Clocks& c) {
    Tick tick;
    if (!c.clock || !c.clock->running()) {
        return tick;
    }
    c.tick = true;
    tick.wake = true;
    if (const std::optional<Color> flagged = c.clock->flagFallen(); flagged && !c.flagPosted) {
        c.fallen = flagged;
        c.flagPosted = true;
        tick.flag = true;
        c.clock->stop();  // the clock thread sleeps until the game goes on
    }
    return tick;
}

void deliver(Tick tick) {
    if (tick.flag) {
        postGameCommand(GameCommand::timeOut);
    } else if (tick.wake) {
        wakeProgram();
    }
}

// Asleep while no clock runs; otherwise once a second, or at the moment the running flag falls.
void clockThread() {
    Clocks& c = clocks();
    std::unique_lock lock(c.mutex);
    for (;;) {
        c.changed.wait(lock, [&c] { return c.clock && c.clock->running(); });
        const double left = c.clock->secondsLeft().value_or(1.0);
        const double wait = std::clamp(left - std::floor(left), 0.01, 1.0);
        if (c.changed.wait_for(lock, std::chrono::duration<double>(wait)) == std::cv_status::no_timeout) {
            continue;  // the clocks changed: measure again
        }
        const Tick tick = tickLocked(c);
        lock.unlock();
        deliver(tick);
        lock.lock();
    }
}

// Changes the clocks under the lock and lets the clock thread measure again.
template <typename Change>
void change(Change&& work) {
    Clocks& c = clocks();
    {
        const std::lock_guard lock(c.mutex);
        work(c);
        if (c.control && !c.threadStarted) {
            c.threadStarted = true;
            std::thread(clockThread).detach();
        }
    }
    c.changed.notify_all();
}

std::string segment(std::string_view name, double seconds) {
    return " " + std::string(name) + " " + clockText(seconds) + " ";
}

void drawText(int column, std::string_view text, bool inverse) {
    const std::uint8_t background = t_WindowRecord(kWindow).TextColor & 15;
    const auto color = static_cast<std::uint8_t>(inverse ? (background << 4) | kNormalColor
                                                         : (kNormalColor << 4) | background);
    for (std::size_t i = 0; i < text.size(); ++i) {
        t_PrintSymbol(kWindow, static_cast<std::uint8_t>(text[i]), color, column + static_cast<int>(i),
                      kClockLine);
    }
}

}  // namespace

void setGameTimeControl(std::optional<TimeControl> control) {
    change([control](Clocks& c) {
        c.control = control;
        restart(c);
    });
}

std::optional<TimeControl> gameTimeControl() {
    const std::lock_guard lock(clocks().mutex);
    return clocks().control;
}

void setClockTimeSource(TimeSource now) {
    change([&now](Clocks& c) {
        c.source = std::move(now);
        restart(c);
    });
}

void startClock(Color color) {
    change([color](Clocks& c) {
        if (c.clock && c.clock->running() != color && !c.fallen) {
            c.clock->start(color);
        }
    });
}

void stopClocks() {
    change([](Clocks& c) {
        if (c.clock) {
            c.clock->stop();
        }
    });
}

void pressClock(Color mover, std::size_t halfMoves) {
    change([mover, halfMoves](Clocks& c) {
        if (!c.clock) {
            return;
        }
        if (c.clock->flagFallen() == mover) {
            c.fallen = mover;
            c.clock->stop();
        } else {
            c.clock->press(mover);
        }
        const ClockTimes last = c.history.empty() ? c.clock->times() : c.history.back();
        c.history.resize(halfMoves, last);
        c.history.push_back(c.clock->times());
    });
}

void restoreClocks(std::size_t halfMoves) {
    change([halfMoves](Clocks& c) {
        if (c.clock && halfMoves < c.history.size()) {
            c.clock->set(c.history[halfMoves]);
            c.fallen.reset();
            c.flagPosted = false;
        }
    });
}

std::vector<ClockTimes> clockHistory() {
    const std::lock_guard lock(clocks().mutex);
    return clocks().history;
}

void setClockHistory(std::vector<ClockTimes> history) {
    change([&history](Clocks& c) {
        if (c.clock && !history.empty()) {
            c.clock->set(history.back());
            c.history = std::move(history);
        }
    });
}

namespace {

// What stands in the braces at the end of a line.
std::optional<std::string_view> braced(std::string_view line) {
    const std::string_view bare = withoutClock(line);
    if (bare.size() == line.size()) {
        return std::nullopt;
    }
    return line.substr(bare.size() + 2, line.size() - bare.size() - 3);
}

}  // namespace

std::optional<double> lineClock(std::string_view line) {
    const std::optional<std::string_view> reading = braced(line);
    return reading ? secondsFromClockText(*reading) : std::nullopt;
}

std::optional<RecordClocks> recordClocks(std::string_view recordText) {
    std::vector<std::string_view> lines;
    for (std::size_t end = recordText.find('\r'); end != std::string_view::npos;
         end = recordText.find('\r')) {
        lines.push_back(recordText.substr(0, end));
        recordText.remove_prefix(end + 1);
    }
    const std::optional<std::string_view> tag = lines.empty() ? std::nullopt : braced(lines.front());
    const std::optional<TimeControl> control = tag ? timeControlFromTag(*tag) : std::nullopt;
    if (!control) {
        return std::nullopt;
    }
    RecordClocks clocks{*control, {{double(control->baseSeconds), double(control->baseSeconds)}}};
    // The move lines follow the two player lines and the empty line; final lines have no colon.
    for (std::size_t i = 4; i < lines.size(); ++i) {
        const std::string_view line = withoutClock(lines[i]);
        if (line.find(": ") == std::string_view::npos) {
            continue;
        }
        ClockTimes times = clocks.history.back();
        if (const std::optional<double> seconds = lineClock(lines[i])) {
            (line.find("Schwarz") != std::string_view::npos ? times.black : times.white) = *seconds;
        }
        clocks.history.push_back(times);
    }
    return clocks;
}

void takeRecordClocks(std::string_view recordText) {
    const std::optional<RecordClocks> kept = recordClocks(recordText);
    setGameTimeControl(kept ? std::optional(kept->control) : std::nullopt);
    if (kept) {
        setClockHistory(kept->history);
    }
}

std::optional<ClockTimes> clockTimes() {
    const std::lock_guard lock(clocks().mutex);
    return clocks().clock ? std::optional(clocks().clock->times()) : std::nullopt;
}

std::optional<Color> runningClock() {
    const std::lock_guard lock(clocks().mutex);
    return clocks().clock ? clocks().clock->running() : std::nullopt;
}

std::optional<Color> fallenFlag() {
    const std::lock_guard lock(clocks().mutex);
    return clocks().fallen;
}

std::optional<double> thinkingBudget(Color color) {
    const std::lock_guard lock(clocks().mutex);
    const Clocks& c = clocks();
    if (!c.clock) {
        return std::nullopt;
    }
    const double left = c.clock->times().of(color);
    const double budget = left / 30 + 0.75 * c.control->incrementSeconds;
    return std::max(0.1, std::min(budget, left - kLastSecond));
}

std::string clockLine() {
    const std::optional<ClockTimes> times = clockTimes();
    if (!times) {
        return {};
    }
    std::string line(kWhiteColumn - 1, ' ');
    line += segment("Weiss", times->white);
    line.resize(std::max<std::size_t>(line.size(), kBlackColumn - 1), ' ');
    return line + segment("Schwarz", times->black);
}

void showClocks() {
    clocks().tick = false;
    const std::optional<ClockTimes> times = clockTimes();
    if (!times) {
        return;
    }
    const std::optional<Color> running = runningClock();
    drawText(kWhiteColumn, segment("Weiss", times->white), running == Color::white);
    drawText(kBlackColumn, segment("Schwarz", times->black), running == Color::black);
}

bool clockTickPending() {
    return clocks().tick.load();
}

void showClocksIfDue() {
    if (clockTickPending()) {
        showClocks();
    }
}

void nudgeClocks() {
    Clocks& c = clocks();
    Tick tick;
    {
        const std::lock_guard lock(c.mutex);
        tick = tickLocked(c);
    }
    c.changed.notify_all();
    deliver(tick);
}

}  // namespace zarvik::frontend
