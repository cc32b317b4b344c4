#include "clock/chessclock.h"

#include <gtest/gtest.h>

namespace zarvik {
namespace {

// A clock on a stand-in time source that the test moves.
struct Clock {
    double now = 1000;
    ChessClock clock{TimeControl{300, 5}, [this] { return now; }};
};

TEST(ChessClock, RunsForTheSideToMoveAndAddsTheIncrement) {
    Clock c;
    EXPECT_EQ(c.clock.times(), (ClockTimes{300, 300}));
    EXPECT_EQ(c.clock.running(), std::nullopt);
    c.now += 50;
    EXPECT_EQ(c.clock.times(), (ClockTimes{300, 300})) << "no clock runs before the start";
    c.clock.start(Color::white);
    c.now += 10.5;
    EXPECT_EQ(c.clock.times(), (ClockTimes{289.5, 300}));
    c.clock.press(Color::white);
    EXPECT_EQ(c.clock.running(), Color::black);
    EXPECT_EQ(c.clock.times(), (ClockTimes{294.5, 300}));
    c.now += 20;
    c.clock.press(Color::black);
    EXPECT_EQ(c.clock.times(), (ClockTimes{294.5, 285}));
    c.clock.stop();
    c.now += 100;
    EXPECT_EQ(c.clock.times(), (ClockTimes{294.5, 285})) << "a stopped clock keeps its times";
    EXPECT_EQ(c.clock.secondsLeft(), std::nullopt);
}

TEST(ChessClock, FlagFallsAtZeroAndTimesCanBeSet) {
    Clock c;
    c.clock.set({2, 100});
    c.clock.start(Color::white);
    c.now += 1.5;
    EXPECT_EQ(c.clock.flagFallen(), std::nullopt);
    EXPECT_DOUBLE_EQ(*c.clock.secondsLeft(), 0.5);
    c.now += 1;
    EXPECT_EQ(c.clock.flagFallen(), Color::white);
    EXPECT_EQ(c.clock.times(), (ClockTimes{0, 100})) << "never below zero";
    c.clock.set({50, 60});
    EXPECT_EQ(c.clock.running(), std::nullopt);
    EXPECT_EQ(c.clock.flagFallen(), std::nullopt);
}

}  // namespace
}  // namespace zarvik
