// The asynchronous turn: the choice on the background thread, the move carried out and reported on
// the main thread, and games that went away or were replaced left alone.
#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <functional>
#include <thread>

#include "computer/aiplayer.h"
#include "rules/lastmove.h"
#include "tests/support/positions.h"

namespace zarvik {
namespace {

// Keeps the tasks until the test runs them, one queue at a time.
class ManualDispatcher : public Dispatcher {
  public:
    void runOnMainThread(std::function<void()> task) override { main.push_back(std::move(task)); }
    void runInBackground(std::function<void()> task) override { background.push_back(std::move(task)); }

    static void runAll(std::deque<std::function<void()>>& queue) {
        while (!queue.empty()) {
            std::function<void()> task = std::move(queue.front());
            queue.pop_front();
            task();
        }
    }

    std::deque<std::function<void()>> main;
    std::deque<std::function<void()>> background;
};

// Notes the thread on which the game hears of a move.
class ThreadWitness : public GameDelegate {
  public:
    void gameWillBeginUpdates(Game&) override { reportThread = std::this_thread::get_id(); }
    std::thread::id reportThread;
};

struct Match {
    std::shared_ptr<AIPlayer> white;
    std::shared_ptr<Player> black;
    std::shared_ptr<Game> game;
};

Match match(const std::shared_ptr<Dispatcher>& dispatcher, const Board& board = Board(true)) {
    Match m;
    m.white = std::make_shared<AIPlayer>(Color::white, AIConfiguration(Difficulty::hard), dispatcher);
    m.white->openingMoves.clear();
    m.black = std::make_shared<Player>(Color::black);
    m.game = Game::create(m.white, m.black, board, Color::white);
    return m;
}

TEST(HandOver, MakeMoveReturnsAtOnceAndTheMoveArrivesOnTheMainQueue) {
    auto dispatcher = std::make_shared<ManualDispatcher>();
    Match m = match(dispatcher);
    m.white->makeMove();
    EXPECT_TRUE(m.white->isThinking());
    EXPECT_TRUE(m.game->board == Board(true));
    ManualDispatcher::runAll(dispatcher->background);
    // Chosen but not yet carried out: the board changes only on the main thread.
    EXPECT_TRUE(m.game->board == Board(true));
    EXPECT_TRUE(m.game->isCurrentPlayer(*m.white));
    ManualDispatcher::runAll(dispatcher->main);
    EXPECT_FALSE(m.game->board == Board(true));
    EXPECT_TRUE(m.game->isCurrentPlayer(*m.black));
    EXPECT_FALSE(m.white->isThinking());
}

TEST(HandOver, BookMoveIsMarked) {
    auto dispatcher = std::make_shared<ManualDispatcher>();
    Match m = match(dispatcher);
    m.white->openingMoves = openingBook(Color::white);
    lastMove().reset();
    m.white->makeMove();
    ManualDispatcher::runAll(dispatcher->background);
    ManualDispatcher::runAll(dispatcher->main);
    EXPECT_TRUE(lastMove().bookMove);
    EXPECT_TRUE(lastMove().toLocation == 28 || lastMove().toLocation == 27);
}

TEST(HandOver, AGameThatIsGoneOrReplacedIsNotTouched) {
    enum class Change { freedBeforeChoice, freedBeforeReport, replacedBeforeReport, boardChanged, gameOver };
    for (const Change change : {Change::freedBeforeChoice, Change::freedBeforeReport,
                                Change::replacedBeforeReport, Change::boardChanged, Change::gameOver}) {
        SCOPED_TRACE(static_cast<int>(change));
        auto dispatcher = std::make_shared<ManualDispatcher>();
        Match m = match(dispatcher);
        std::weak_ptr<Game> old = m.game;
        if (change == Change::gameOver) {
            // A mated side: the game is over before the player is asked.
            m = match(dispatcher, test::fenBoard("4k3/8/8/8/8/8/5PPP/3r2K1 w - - 0 1"));
            m.game->playerDidMakeMove(*m.black, {});
        }
        m.white->makeMove();
        if (change == Change::freedBeforeChoice) {
            m.game.reset();
        }
        ManualDispatcher::runAll(dispatcher->background);
        std::shared_ptr<Game> replacement;
        if (change == Change::freedBeforeReport) {
            m.game.reset();
        }
        if (change == Change::replacedBeforeReport) {
            replacement = Game::create(m.white, m.black, Board(true), Color::black);
        }
        if (change == Change::boardChanged) {
            m.game->board.movePiece(BoardLocation(GridPosition::b1), BoardLocation(GridPosition::c3));
        }
        const Board seenBeforeReport = m.game ? m.game->board : Board();
        ManualDispatcher::runAll(dispatcher->main);
        EXPECT_FALSE(m.white->isThinking());
        if (change == Change::freedBeforeChoice || change == Change::freedBeforeReport) {
            EXPECT_TRUE(old.expired());
        } else {
            EXPECT_EQ(m.game->board.cells(), seenBeforeReport.cells());
            EXPECT_TRUE(m.game->isCurrentPlayer(*m.white) || change == Change::gameOver);
        }
        if (replacement) {
            EXPECT_TRUE(replacement->board == Board(true));
            EXPECT_TRUE(replacement->isCurrentPlayer(*m.black));
        }
    }
}

TEST(HandOver, ThreadedReportArrivesOnTheDispatchersMainThread) {
    auto dispatcher = std::make_shared<ThreadDispatcher>();
    {
        Match m = match(dispatcher);
        auto witness = std::make_shared<ThreadWitness>();
        m.game->delegate = witness;
        m.white->makeMove();
        while (m.white->isThinking()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        EXPECT_TRUE(m.game->isCurrentPlayer(*m.black));
        EXPECT_EQ(witness->reportThread, dispatcher->mainThreadId());
        EXPECT_NE(witness->reportThread, std::this_thread::get_id());
    }
}

TEST(HandOver, PlayerWithoutCandidateLeavesTheBoardAndReportsNothing) {
    auto dispatcher = std::make_shared<ManualDispatcher>();
    // White to move is stalemated, but the game has not judged it.
    Match m = match(dispatcher, test::fenBoard("8/8/8/8/8/5k2/5p2/5K2 w - - 0 1"));
    lastMove().reset();
    const Board before = m.game->board;
    m.white->makeMove();
    ManualDispatcher::runAll(dispatcher->background);
    ManualDispatcher::runAll(dispatcher->main);
    EXPECT_EQ(m.game->board.cells(), before.cells());
    EXPECT_TRUE(m.game->isCurrentPlayer(*m.white));
    EXPECT_TRUE(lastMove().stalemate);
}

}  // namespace
}  // namespace zarvik
