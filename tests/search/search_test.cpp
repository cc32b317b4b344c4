// The search's answers: mates found at their true distance (checked against a plain exhaustive mate
// search), tactical positions with one clearly best move, the limits of `go`, and stopping.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <vector>

#include "search/evaluate.h"
#include "search/search.h"
#include "search/see.h"
#include "tests/search/positionat.h"

namespace zarvik::search {
namespace {

// Whether the side to move mates within `moves` moves, by trying everything.
bool matesWithin(Position& p, int moves) {
    MoveList list;
    generateLegal(p, list);
    for (const Move m : list) {
        p.make(m);
        MoveList replies;
        generateLegal(p, replies);
        bool mated = replies.size() == 0 && p.inCheck();
        if (!mated && replies.size() > 0 && moves > 1) {
            mated = true;
            for (const Move r : replies) {
                p.make(r);
                const bool still = matesWithin(p, moves - 1);
                p.unmake(r);
                if (!still) {
                    mated = false;
                    break;
                }
            }
        }
        p.unmake(m);
        if (mated) {
            return true;
        }
    }
    return false;
}

Outcome searchOf(Position& p, const Limits& limits) {
    TranspositionTable table(4);
    Search search(table);
    return search.run(p, limits, Handicap{}, nullptr);
}

struct MateCase {
    const char* name;
    const char* fen;
    int moves;
};

class Mates : public testing::TestWithParam<MateCase> {};

TEST_P(Mates, FoundAtTheirDistance) {
    Position p = at(GetParam().fen);
    const int n = GetParam().moves;
    ASSERT_TRUE(matesWithin(p, n)) << "the table's mate exists";
    if (n > 1) {
        ASSERT_FALSE(matesWithin(p, n - 1)) << "and no shorter one";
    }
    Limits limits;
    limits.depth = 2 * n + 4;
    const Outcome outcome = searchOf(p, limits);
    EXPECT_EQ(mateIn(outcome.score), n) << outcome.best.text();
    p.make(outcome.best);
    EXPECT_TRUE(n == 1 ? !hasLegalMove(p) && p.inCheck() : matesWithin(p, n) == false);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Mates,
    testing::Values(MateCase{"Smothered", "6rk/6pp/8/6N1/8/8/8/6K1 w - - 0 1", 1},
                    MateCase{"QueenTakesF7",
                             "r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 0 1", 1},
                    MateCase{"BackRankForBlack", "3r2k1/8/8/8/8/8/5PPP/6K1 b - - 0 1", 1},
                    MateCase{"RookLadder", "7k/8/8/8/8/8/R7/1R4K1 w - - 0 1", 2},
                    MateCase{"QueenAndKing", "7k/8/5K2/8/8/8/8/Q7 w - - 0 1", 2},
                    MateCase{"RookAndKing", "7k/8/6K1/8/8/8/8/R7 w - - 0 1", 1},
                    MateCase{"RookCorner", "k7/8/2K5/8/8/8/8/7R w - - 0 1", 2},
                    MateCase{"RookThree", "k7/8/8/3K4/8/8/8/7R w - - 0 1", 3},
                    MateCase{"QueenFour", "7k/8/8/8/5K2/8/8/1Q6 w - - 0 1", 4},
                    MateCase{"QueenFourOtherCorner", "k7/8/8/8/2K5/8/8/6Q1 w - - 0 1", 4}),
    [](const testing::TestParamInfo<MateCase>& info) { return std::string(info.param.name); });

struct TacticCase {
    const char* name;
    const char* fen;
    const char* best;  // a move, or its squares where any promotion does as well
};

class Tactics : public testing::TestWithParam<TacticCase> {};

TEST_P(Tactics, FindsTheWinningMove) {
    Position p = at(GetParam().fen);
    Limits limits;
    limits.depth = 7;
    const std::string best = GetParam().best;
    EXPECT_EQ(searchOf(p, limits).best.text().substr(0, best.size()), best);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Tactics,
    testing::Values(TacticCase{"KnightForksKingAndQueen", "4k3/8/8/1q6/4N3/8/8/4K3 w - - 0 1", "e4d6"},
                    TacticCase{"TakesTheLooseQueen", "4k3/8/8/3q4/8/8/3R4/4K3 w - - 0 1", "d2d5"},
                    TacticCase{"PawnForksTwoPieces", "4k3/8/8/2r1n3/8/3P4/8/K7 w - - 0 1", "d3d4"},
                    TacticCase{"PromotesAtOnce", "8/5P1k/8/8/8/8/6K1/8 w - - 0 1", "f7f8q"},
                    TacticCase{"DoesNotTakeThePoisonedPawn", "4k3/8/8/8/8/1p6/p7/KQ6 b - - 0 1", "a2b1"}),
    [](const testing::TestParamInfo<TacticCase>& info) { return std::string(info.param.name); });

TEST(SearchLimits, DepthNodesAndSearchMoves) {
    Position p;
    Limits limits;
    limits.depth = 3;
    EXPECT_EQ(searchOf(p, limits).last.depth, 3);
    limits = Limits{};
    limits.nodes = 5000;
    const Outcome limited = searchOf(p, limits);
    EXPECT_LE(limited.last.nodes, 5000u);
    EXPECT_FALSE(limited.best.isNull());
    limits = Limits{};
    limits.depth = 4;
    limits.searchMoves = {*p.moveNamed("a2a3"), *p.moveNamed("h2h4")};
    const std::string chosen = searchOf(p, limits).best.text();
    EXPECT_TRUE(chosen == "a2a3" || chosen == "h2h4") << chosen;
}

TEST(SearchLimits, NoMoveGivesMatedOrStalemateScore) {
    Position mated = at("R5k1/5ppp/8/8/8/8/8/6K1 b - - 0 1");
    const Outcome m = searchOf(mated, Limits{});
    EXPECT_TRUE(m.best.isNull());
    EXPECT_EQ(m.score, -kMate);
    Position stalemate = at("7k/5Q2/6K1/8/8/8/8/8 b - - 0 1");
    const Outcome s = searchOf(stalemate, Limits{});
    EXPECT_TRUE(s.best.isNull());
    EXPECT_EQ(s.score, 0);
}

struct DrawCase {
    const char* name;
    const char* fen;
    std::vector<const char*> moves;
    bool draw;
};

// Inside the search one repetition is a draw, and so are a hundred half-moves unless they end in mate.
TEST(SearchDraws, RepetitionAndFiftyMoves) {
    const char* start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
    for (const DrawCase& c :
         {DrawCase{"knights out and back", start, {"g1f3", "g8f6", "f3g1", "f6g8"}, true},
          DrawCase{"out and back, other knight", start, {"g1f3", "g8f6", "f3g1", "b8c6"}, false},
          DrawCase{"hundredth half-move", "4k3/8/8/8/8/8/3R4/4K3 w - - 99 80", {"d2c2"}, true},
          DrawCase{"ninety-ninth", "4k3/8/8/8/8/8/3R4/4K3 w - - 98 80", {"d2c2"}, false},
          DrawCase{"mate on the hundredth", "4k3/R7/8/8/8/8/8/4K2R w - - 99 80", {"h1h8"}, false}}) {
        Position p = at(c.fen);
        for (const char* text : c.moves) {
            const std::optional<Move> m = p.moveNamed(text);
            ASSERT_TRUE(m) << c.name << " " << text;
            p.make(*m);
        }
        EXPECT_EQ(p.isDrawByRule(), c.draw) << c.name;
    }
}

// The exchange on a square: defenders, the x-ray of a rook behind a rook, en passant.
TEST(SearchExchange, WinsAndLossesOfCaptures) {
    const int pawn = pieceValue(kPawn);
    const struct {
        const char* fen;
        const char* move;
        int gain;
    } cases[] = {
        {"4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1", "e4d5", pawn},
        {"4k3/8/2p5/3p4/4P3/8/8/4K3 w - - 0 1", "e4d5", 0},
        {"4k3/8/2p5/3p4/8/8/8/3QK3 w - - 0 1", "d1d5", pawn - pieceValue(kQueen)},
        {"4k3/8/2p5/3p4/8/8/3R4/3RK3 w - - 0 1", "d2d5", pawn - pieceValue(kRook) + pawn},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5d6", pawn},
    };
    for (const auto& c : cases) {
        const Position p = at(c.fen);
        const std::optional<Move> m = p.moveNamed(c.move);
        ASSERT_TRUE(m) << c.fen;
        EXPECT_EQ(staticExchange(p, *m), c.gain) << c.fen;
    }
}

using Clock = std::chrono::steady_clock;

#ifdef ZARVIK_SLOW_BUILD
// Instrumented builds on a busy machine are slow and scheduled late; their bounds only catch a runaway.
constexpr std::chrono::milliseconds kSlack(1500);
#else
// A thread of a loaded machine may wait this long for its core after its time is up.
constexpr std::chrono::milliseconds kSlack(100);
#endif

// The search keeps inside its clock; the bounds leave room for a loaded machine.
TEST(SearchClock, StaysInsideItsTime) {
    const char* fen = "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP2BPPP/R2QKB1R w KQ - 0 8";
    struct Row {
        Limits limits;
        std::chrono::milliseconds most;
    };
    Limits movetime;
    movetime.movetime = std::chrono::milliseconds(300);
    Limits clock;
    clock.time[kWhite] = std::chrono::milliseconds(2000);
    clock.increment[kWhite] = std::chrono::milliseconds(20);
    Limits tight;
    tight.time[kWhite] = std::chrono::milliseconds(60);
    for (const Row& row :
         {Row{movetime, std::chrono::milliseconds(300 + 50)},
          Row{clock, std::chrono::milliseconds(2000 / 3 + 50)}, Row{tight, std::chrono::milliseconds(60)}}) {
        Position p = at(fen);
        const auto begin = Clock::now();
        const Outcome o = searchOf(p, row.limits);
        EXPECT_LE(Clock::now() - begin, row.most + kSlack);
        EXPECT_FALSE(o.best.isNull());
    }
}

TEST(SearchClock, StopsAtOnceOnItsThread) {
    Searcher searcher(4);
    std::promise<Outcome> done;
    Limits limits;
    limits.infinite = true;
    searcher.start(Position(), limits, Handicap{}, nullptr, [&done](const Outcome& o) { done.set_value(o); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(searcher.thinking());
    const auto asked = Clock::now();
    searcher.stop();
    const Outcome o = done.get_future().get();
    EXPECT_LE(Clock::now() - asked, std::chrono::milliseconds(50) + kSlack);
    EXPECT_FALSE(o.best.isNull());
    searcher.wait();
    EXPECT_FALSE(searcher.thinking());
}

}  // namespace
}  // namespace zarvik::search
