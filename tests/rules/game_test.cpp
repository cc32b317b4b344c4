// Game flow: construction, the players' move check, the report of a move and what the game makes of it.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "rules/fen.h"
#include "rules/game.h"
#include "rules/lastmove.h"
#include "tests/support/logcapture.h"
#include "tests/support/positions.h"

namespace zarvik {
namespace {

// A player that moves as the concrete players do: state, turn, own check, board, promotion, report.
class TestPlayer : public Player {
  public:
    using Player::Player;

    std::vector<BoardOperation> move(GridPosition from, GridPosition to) {
        const std::shared_ptr<Game> g = game.lock();
        if (g->state() != State::inProgress()) {
            throw MoveError::gameIsNotInProgress;
        }
        if (!g->isCurrentPlayer(*this)) {
            throw MoveError::notThisPlayersTurn;
        }
        canMovePiece(from, to);
        std::vector<BoardOperation> ops = g->board.movePiece(from, to);
        report(ops);
        return ops;
    }

    void report(const std::vector<BoardOperation>& ops) {
        if (const auto d = delegate.lock()) {
            d->playerDidMakeMove(*this, ops);
        }
    }
};

class OtherPlayer : public Player {
  public:
    using Player::Player;
};

struct Table {
    std::shared_ptr<TestPlayer> white = std::make_shared<TestPlayer>(Color::white);
    std::shared_ptr<TestPlayer> black = std::make_shared<TestPlayer>(Color::black);
    std::shared_ptr<Game> game;

    explicit Table(const std::string& fen = std::string(kStartFen)) {
        const FenPosition position = test::fenPosition(fen);
        game = Game::create(black, white, position.board, position.toMove);
    }
};

class GameTest : public testing::Test {
  protected:
    void SetUp() override {
        lastMove().reset();
        gameRunning() = true;
    }
};

TEST_F(GameTest, PlayersBySideAndAttachedWeakly) {
    Table s;
    EXPECT_EQ(s.game->whitePlayer(), s.white);
    EXPECT_EQ(s.game->blackPlayer(), s.black);
    EXPECT_EQ(s.game->currentPlayer(), s.white);
    EXPECT_EQ(s.game->state(), State::inProgress());
    EXPECT_EQ(s.white->game.lock(), s.game);
    EXPECT_EQ(s.black->delegate.lock().get(), static_cast<PlayerDelegate*>(s.game.get()));
    EXPECT_TRUE(s.game->delegate.expired());

    const std::weak_ptr<Game> weak = s.game;
    s.game.reset();
    EXPECT_TRUE(weak.expired()) << "players must not keep their game alive";
    EXPECT_TRUE(s.white->game.expired());
    EXPECT_TRUE(s.white->delegate.expired());
    EXPECT_EQ(Table("4k3/8/8/8/8/8/8/4K3 b - - 0 1").game->currentPlayer()->color, Color::black);
}

TEST_F(GameTest, TurnAlternates) {
    Table s;
    s.white->move(GridPosition::e2, GridPosition::e4);
    EXPECT_EQ(s.game->currentPlayer(), s.black);
    s.black->move(GridPosition::e7, GridPosition::e5);
    EXPECT_EQ(s.game->currentPlayer(), s.white);
    EXPECT_EQ(lastMove().plainMoveText(), "E7-E5");
}

TEST_F(GameTest, RefusedMoveLeavesEverythingUntouched) {
    Table s;
    const Board before = s.game->board;
    EXPECT_THROW(s.white->move(GridPosition::e2, GridPosition::e5), MoveError);
    EXPECT_THROW(s.black->move(GridPosition::e7, GridPosition::e5), MoveError);
    EXPECT_TRUE(s.game->board == before);
    EXPECT_EQ(s.game->currentPlayer(), s.white);
    EXPECT_EQ(lastMove(), LastMove{});
}

struct MoveCheckCase {
    const char* name;
    const char* fen;
    GridPosition from;
    GridPosition to;
    std::optional<MoveError> error;
};

class MoveCheck : public testing::TestWithParam<MoveCheckCase> {};

TEST_P(MoveCheck, FirstFailingTestWins) {
    const MoveCheckCase& c = GetParam();
    Table s(c.fen);
    EXPECT_EQ(s.white->checkMove(c.from, c.to), c.error);
    if (c.error) {
        try {
            s.white->canMovePiece(c.from, c.to);
            ADD_FAILURE() << "no error thrown";
        } catch (MoveError e) {
            EXPECT_EQ(e, *c.error) << name(e);
        }
    } else {
        EXPECT_TRUE(s.white->canMovePiece(c.from, c.to));
    }
}

constexpr const char* kPinned = "4r1k1/8/8/8/8/8/4B3/4K3 w - - 0 1";
constexpr const char* kChecked = "4r1k1/8/8/8/8/8/3B4/4K3 w - - 0 1";

INSTANTIATE_TEST_SUITE_P(
    Rules, MoveCheck,
    testing::Values(
        MoveCheckCase{"SameSquareBeforeAnythingElse", kPinned, GridPosition::a3, GridPosition::a3,
                      MoveError::movingToSameLocation},
        MoveCheckCase{"EmptySquare", kPinned, GridPosition::a3, GridPosition::a4, MoveError::noPieceToMove},
        MoveCheckCase{"OpponentsPiece", kPinned, GridPosition::e8, GridPosition::e7,
                      MoveError::pieceColorDoesNotMatchPlayerColor},
        MoveCheckCase{"RuleRefuses", kPinned, GridPosition::e2, GridPosition::e4,
                      MoveError::pieceUnableToMoveToLocation},
        MoveCheckCase{"PinnedPiece", kPinned, GridPosition::e2, GridPosition::d3,
                      MoveError::cannotMoveInToCheck},
        MoveCheckCase{"KingStepsOffThePin", kPinned, GridPosition::e1, GridPosition::d2, std::nullopt},
        MoveCheckCase{"StillInCheck", kChecked, GridPosition::d2, GridPosition::c3,
                      MoveError::playerMustMoveOutOfCheck},
        MoveCheckCase{"KingStaysOnCheckedFile", kChecked, GridPosition::e1, GridPosition::e2,
                      MoveError::playerMustMoveOutOfCheck},
        MoveCheckCase{"BlockTheCheck", kChecked, GridPosition::d2, GridPosition::e3, std::nullopt},
        MoveCheckCase{"StepAside", kChecked, GridPosition::e1, GridPosition::f2, std::nullopt},
        MoveCheckCase{"WalkIntoRook", "4k3/8/8/8/8/8/r7/4K3 w - - 0 1", GridPosition::e1, GridPosition::e2,
                      MoveError::cannotMoveInToCheck},
        MoveCheckCase{"TakeTheRook", "4k3/8/8/8/8/8/8/3rK3 w - - 0 1", GridPosition::e1, GridPosition::d1,
                      std::nullopt}),
    [](const testing::TestParamInfo<MoveCheckCase>& info) { return std::string(info.param.name); });

TEST_F(GameTest, PlayerWithoutColourOrGame) {
    Table s;
    s.white->color.reset();
    EXPECT_EQ(s.white->checkMove(GridPosition::e2, GridPosition::e4),
              MoveError::pieceColorDoesNotMatchPlayerColor);
    EXPECT_FALSE(s.white->ownsPiece(GridPosition::e2));
    const TestPlayer loose(Color::white);
    EXPECT_EQ(loose.checkMove(GridPosition::e2, GridPosition::e4), MoveError::gameIsNotInProgress);
    EXPECT_THROW(loose.canMovePiece(GridPosition::e2, GridPosition::e4), MoveError);
    EXPECT_FALSE(loose.ownsPiece(GridPosition::e2));
}

TEST_F(GameTest, OwnsPiece) {
    Table s;
    EXPECT_TRUE(s.white->ownsPiece(GridPosition::e2));
    EXPECT_FALSE(s.white->ownsPiece(GridPosition::e7));
    EXPECT_FALSE(s.white->ownsPiece(GridPosition::e4));
    EXPECT_TRUE(s.black->ownsPiece(GridPosition::h8));
    EXPECT_FALSE(s.black->ownsPiece(BoardLocation(64)));
}

// What the game makes of a move: the record of the half-move, the state and whose turn it is. An
// ended game keeps the turn of the side that ended it and takes no further move.
TEST_F(GameTest, TheMoveIsRecordedAndJudged) {
    struct Case {
        const char* name;
        const char* fen;
        GridPosition from;
        GridPosition to;
        LastMove recorded;
        State state;
        Color next;
    };
    const auto move = [](int from, int to, void (*change)(LastMove&)) {
        LastMove m;
        m.fromLocation = from;
        m.toLocation = to;
        change(m);
        return m;
    };
    const Case cases[] = {
        {"checkmate", "rnbqkbnr/pppp1ppp/8/4p3/6P1/5P2/PPPPP2P/RNBQKBNR b KQkq - 0 2", GridPosition::d8,
         GridPosition::h4, move(59, 31, [](LastMove& m) { m.checkmate = true; }), State::won(Color::black),
         Color::black},
        {"stalemate", "7k/8/8/8/8/8/8/5QK1 w - - 0 1", GridPosition::f1, GridPosition::f7,
         move(5, 53, [](LastMove& m) { m.stalemate = true; }), State::staleMate(Color::black), Color::white},
        {"check", "4k3/8/8/8/8/8/8/R3K3 w - - 0 1", GridPosition::a1, GridPosition::a8,
         move(0, 56, [](LastMove& m) { m.check = true; }), State::inProgress(), Color::black},
        {"capture", "4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1", GridPosition::e4, GridPosition::d5,
         move(28, 35, [](LastMove& m) { m.removedLocation = 35; }), State::inProgress(), Color::black},
        {"en passant", "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", GridPosition::e5, GridPosition::d6,
         move(36, 43, [](LastMove& m) { m.removedLocation = 35; }), State::inProgress(), Color::black},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        lastMove().reset();
        gameRunning() = true;
        Table s(c.fen);
        const bool whiteMoves = s.game->currentPlayer() == s.white;
        test::LogCapture quiet;
        (whiteMoves ? s.white : s.black)->move(c.from, c.to);
        EXPECT_EQ(lastMove(), c.recorded);
        EXPECT_EQ(s.game->state(), c.state);
        EXPECT_EQ(gameRunning(), c.state == State::inProgress());
        if (c.state == State::inProgress()) {
            EXPECT_EQ(s.game->currentPlayer(), c.next == Color::white ? s.white : s.black);
        } else {
            EXPECT_THROW((whiteMoves ? s.black : s.white)->move(GridPosition::e2, GridPosition::e4),
                         MoveError);
        }
    }
    EXPECT_NE(State::staleMate(Color::black), State::staleMate(Color::white));
}

TEST_F(GameTest, WrongPlayerIsWarnedAndProcessed) {
    Table s;
    test::LogCapture log;
    std::vector<BoardOperation> ops = s.game->board.movePiece(GridPosition::e7, GridPosition::e5);
    s.black->report(ops);
    EXPECT_EQ(log.lines(),
              (std::vector<std::string>{"*** Warning - Wrong player took turn", "*** Move E7-E5"}));
    EXPECT_EQ(s.game->currentPlayer(), s.white) << "the turn follows the reporting player";
}

TEST_F(GameTest, TransformIsRecorded) {
    Table s("7k/4P3/8/8/8/8/8/4K3 w - - 0 1");
    Board& board = s.game->board;
    std::vector<BoardOperation> ops = board.movePiece(GridPosition::e7, GridPosition::e8);
    const Piece pawn = *board.pieceAt(GridPosition::e8);
    const Piece queen{
        PieceType::queen, Color::white, pawn.tag, false, false, BoardLocation(GridPosition::e8)};
    board.setPiece(GridPosition::e8, queen);
    ops.push_back(BoardOperation{OperationType::transformPiece, queen, BoardLocation(GridPosition::e8)});
    test::LogCapture quiet;
    s.white->report(ops);
    EXPECT_EQ(lastMove().transformedLocation, 60);
    EXPECT_EQ(lastMove().transformedPiece, "D");
    EXPECT_TRUE(lastMove().check);

    // A transform of a square without a piece is told in the log.
    const Piece ghost{PieceType::rook, Color::black, std::nullopt,
                      false,           false,        BoardLocation(GridPosition::a1)};
    test::LogCapture log;
    s.black->report({BoardOperation{std::nullopt, ghost, std::nullopt}});
    EXPECT_EQ(log.lines().front(), "*** Transform Piece = nil, location = 0");
}

struct Recorder : GameDelegate {
    std::vector<std::string> calls;
    void gameDidChangeCurrentPlayer(Game&) override { calls.push_back("changePlayer"); }
    void gameWonByPlayer(Game&, Player& p) override {
        calls.push_back(std::string("won ") + std::string(name(*p.color)));
    }
    void gameEndedInStaleMate(Game&) override { calls.push_back("stalemate"); }
    void gameWillBeginUpdates(Game&) override { calls.push_back("begin"); }
    void gameDidRemovePiece(Game&, const Piece&, BoardLocation l) override {
        calls.push_back("remove " + squareName(l.index));
    }
    void gameDidMovePiece(Game&, const Piece& p, BoardLocation l) override {
        calls.push_back("move " + squareName(p.location.index) + squareName(l.index));
    }
    void gameDidTransformPiece(Game&, const Piece&, BoardLocation) override { calls.push_back("transform"); }
    void gameDidEndUpdates(Game&) override { calls.push_back("end"); }
};

TEST_F(GameTest, DelegateHearsTheMoveInOrder) {
    Table s("4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1");
    const auto recorder = std::make_shared<Recorder>();
    s.game->delegate = recorder;
    s.white->move(GridPosition::e4, GridPosition::d5);
    EXPECT_EQ(recorder->calls,
              (std::vector<std::string>{"begin", "move E4D5", "remove D5", "end", "changePlayer"}));

    Table mate("rnbqkbnr/pppp1ppp/8/4p3/6P1/5P2/PPPPP2P/RNBQKBNR b KQkq - 0 2");
    mate.game->delegate = recorder;
    recorder->calls.clear();
    mate.black->move(GridPosition::d8, GridPosition::h4);
    EXPECT_EQ(recorder->calls, (std::vector<std::string>{"begin", "move D8H4", "won black"}));
}

TEST_F(GameTest, Equality) {
    Table a;
    Table b;
    EXPECT_TRUE(*a.game == *b.game);
    b.white->move(GridPosition::e2, GridPosition::e4);
    EXPECT_FALSE(*a.game == *b.game);
    a.white->move(GridPosition::e2, GridPosition::e4);
    EXPECT_TRUE(*a.game == *b.game);

    EXPECT_TRUE(TestPlayer(Color::white) == TestPlayer(Color::white));
    EXPECT_TRUE(TestPlayer() == TestPlayer());
    EXPECT_FALSE(TestPlayer(Color::white) == TestPlayer(Color::black));
    EXPECT_FALSE(TestPlayer(Color::white) == OtherPlayer(Color::white));
}

// Another thread may poll whose turn it is and whether the game runs while moves are reported.
TEST_F(GameTest, PollingFromAnotherThread) {
    Table s;
    std::atomic<bool> done{false};
    std::atomic<int> polls{0};
    std::thread poller([&] {
        do {
            const std::shared_ptr<Player> current = s.game->currentPlayer();
            EXPECT_TRUE(current == s.white || current == s.black);
            (void)s.game->state();
            (void)gameRunning().load();
            ++polls;
        } while (!done.load());
    });
    test::LogCapture log;
    const GridPosition shuffle[][2] = {{GridPosition::g1, GridPosition::f3},
                                       {GridPosition::g8, GridPosition::f6},
                                       {GridPosition::f3, GridPosition::g1},
                                       {GridPosition::f6, GridPosition::g8}};
    for (int i = 0; i < 200; ++i) {
        const auto& m = shuffle[i % 4];
        (i % 2 == 0 ? s.white : s.black)->move(m[0], m[1]);
    }
    done = true;
    poller.join();
    EXPECT_GE(polls.load(), 1);
    EXPECT_EQ(s.game->currentPlayer(), s.white);
}

TEST(GameDeathTest, PlayersOfOneColourAreFatal) {
    EXPECT_DEATH(
        {
            setlogsink([](std::string_view line) {
                std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
            });
            Game::create(std::make_shared<TestPlayer>(Color::white),
                         std::make_shared<TestPlayer>(Color::white), Board(true), Color::white);
        },
        "Both players cannot have the same color");
}

}  // namespace
}  // namespace zarvik
