// The searching player: its level ladder, and thinking on its own thread that a game can cut short.
#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include "computer/searchplayer.h"

namespace zarvik {
namespace {

#ifdef ZARVIK_SLOW_BUILD
// Instrumented builds on a busy machine are slow and scheduled late; their bound only catches a runaway.
constexpr std::chrono::milliseconds kSlack(1500);
#else
constexpr std::chrono::milliseconds kSlack(0);
#endif

TEST(SearchLevels, EachLevelSearchesAtLeastAsMuchAsTheOneBelow) {
    for (int n = kLowestSearchLevel + 1; n <= kHighestSearchLevel; ++n) {
        const SearchLevel& lower = searchLevel(n - 1);
        const SearchLevel& upper = searchLevel(n);
        const auto unlimited = [](int value) { return value == 0 ? 1 << 30 : value; };
        EXPECT_LE(upper.handicap.secondBestPercent, lower.handicap.secondBestPercent) << n;
        // Choosing a second-best move needs every root move scored exactly, which costs more than
        // a smaller node budget: budgets grow only among levels alike in that.
        if ((upper.handicap.secondBestPercent > 0) == (lower.handicap.secondBestPercent > 0)) {
            EXPECT_GE(unlimited(upper.handicap.depth), unlimited(lower.handicap.depth)) << n;
            EXPECT_GE(unlimited(static_cast<int>(upper.handicap.nodes)),
                      unlimited(static_cast<int>(lower.handicap.nodes)))
                << n;
        }
        EXPECT_GT(upper.elo, lower.elo) << n;
    }
    EXPECT_EQ(searchLevelName(7), "Stufe 7");
    EXPECT_EQ(searchLevel(0).number, 1);
    EXPECT_EQ(searchLevel(99).number, 10);
}

TEST(SearchLevels, EloChoosesTheNearestLevel) {
    EXPECT_EQ(searchLevelForElo(0), 1);
    EXPECT_EQ(searchLevelForElo(lowestLevelElo()), 1);
    EXPECT_EQ(searchLevelForElo(highestLevelElo()), 10);
    EXPECT_EQ(searchLevelForElo(100000), 10);
    for (int n = kLowestSearchLevel; n <= kHighestSearchLevel; ++n) {
        EXPECT_EQ(searchLevelForElo(searchLevel(n).elo), n);
    }
}

TEST(SearchPlayer, FindsTheMateAndReportsWhileThinking) {
    std::string error;
    const auto position = search::Position::fromFen("6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", error);
    ASSERT_TRUE(position) << error;
    SearchPlayer player(Color::white, 5);
    std::promise<std::optional<PerftMove>> done;
    std::atomic<int> reports{0};
    player.startThinking(
        *position, [&reports](const SearchPlayer::Progress&) { ++reports; },
        [&done](std::optional<PerftMove> move) { done.set_value(move); });
    const std::optional<PerftMove> move = done.get_future().get();
    ASSERT_TRUE(move);
    EXPECT_EQ(move->text(), "a1a8");
    EXPECT_GT(reports.load(), 0);
}

TEST(SearchPlayer, MoveNowAnswersAtOnceAndCancelDropsTheAnswer) {
    SearchPlayer player(Color::white, 10);
    std::promise<std::optional<PerftMove>> done;
    player.startThinking(search::Position(), nullptr,
                         [&done](std::optional<PerftMove> move) { done.set_value(move); });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const auto asked = std::chrono::steady_clock::now();
    player.moveNow();
    const std::optional<PerftMove> move = done.get_future().get();
    EXPECT_LE(std::chrono::steady_clock::now() - asked, std::chrono::milliseconds(50) + kSlack);
    EXPECT_TRUE(move);

    std::atomic<bool> called{false};
    player.startThinking(search::Position(), nullptr, [&called](std::optional<PerftMove>) { called = true; });
    player.cancel();
    player.startThinking(search::Position(), nullptr, nullptr);
    player.cancel();
    EXPECT_FALSE(called.load());
}

}  // namespace
}  // namespace zarvik
