#pragma once
// The alpha-beta search: iterative deepening with principal-variation search, a transposition
// table, quiescence, null move, late-move reductions and check extensions. `Search` runs on the
// caller's thread and stops at its limits or at `stop()` from any thread; `Searcher` runs it on a
// thread of its own, so a caller never waits for it.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

#include "search/movegen.h"
#include "search/position.h"
#include "search/timeman.h"
#include "search/tt.h"

namespace zarvik::search {

// What a finished iteration knows.
struct Report {
    int depth = 0;
    int selDepth = 0;
    int score = 0;  // centipawns, or a mate score (see `mateIn`)
    std::uint64_t nodes = 0;
    Milliseconds time{0};
    std::vector<Move> pv;
    int hashfull = 0;
};

// Moves to mate from a score: positive when the side to move mates, negative when it is mated, 0 when
// the score is no mate.
int mateIn(int score);

// How a weaker level holds back: fewer plies and nodes, and now and then the second-best move when it
// is not much worse. Zero fields mean no limit.
struct Handicap {
    int depth = 0;
    std::uint64_t nodes = 0;
    int secondBestPercent = 0;
    int secondBestMargin = 0;  // centipawns the second-best move may lose at most
};

struct Outcome {
    Move best;  // null: no legal move
    Move ponder;
    int score = 0;
    Report last;
};

class Search {
  public:
    explicit Search(TranspositionTable& table) : table_(table) {}

    // Searches `position` (it is made and unmade on, and left as it was). `onReport` hears each
    // finished iteration. `seed` picks the handicapped second-best moves.
    Outcome run(Position& position, const Limits& limits, const Handicap& handicap,
                const std::function<void(const Report&)>& onReport, std::uint64_t seed = 0);
    // Ends the search as soon as possible (after the first iteration); its best move so far is the
    // answer.
    void stop() { stopped_.store(true, std::memory_order_relaxed); }
    // Clears an earlier stop; the next `run` searches until its limits.
    void rearm() { stopped_.store(false, std::memory_order_relaxed); }

  private:
    struct RootMove {
        Move move;
        int score = -kInfinite;
        int previousScore = -kInfinite;
        std::vector<Move> pv;
    };

    int rootSearch(int depth, int alpha, int beta, bool exactScores);
    // `excluded`: a move left out, to learn whether the others reach as far (singular extension).
    int alphaBeta(int alpha, int beta, int depth, int ply, bool nullAllowed, Move excluded = Move());
    int quiesce(int alpha, int beta, int ply);
    // Counts a node and checks the limits; false when the search must stop.
    bool enterNode(int ply);
    // Takes `score` of `move` as the node's best and raises alpha where it is better; true on a cutoff.
    bool raise(int score, Move move, int ply, int& best, int& alpha, int beta);
    void makeMove(Move move, int ply);
    void orderMoves(MoveList& moves, std::array<int, 256>& scores, Move hashMove, int ply) const;
    bool timeUp();
    // A stop counts only once the first iteration is complete, so that even an instant stop answers
    // with a searched move.
    bool stopping() const { return limitsApply_ && stopped_.load(std::memory_order_relaxed); }
    void updatePv(int ply, Move move);
    void rewardQuiet(Move move, int ply, int depth, const MoveList& tried, int triedCount);

    TranspositionTable& table_;
    Position* pos_ = nullptr;
    std::atomic<bool> stopped_{false};
    std::uint64_t nodes_ = 0;
    std::uint64_t nodeLimit_ = 0;
    bool limitsApply_ = false;  // the first iteration always finishes
    int selDepth_ = 0;
    std::chrono::steady_clock::time_point start_;
    std::optional<std::chrono::steady_clock::time_point> deadline_;
    std::vector<RootMove> rootMoves_;
    std::array<std::array<Move, 2>, kMaxPly + 1> killers_{};
    std::array<std::array<int, 64>, 12> history_{};
    // The quiet move that last refuted a piece arriving on a square, by that piece and square.
    std::array<std::array<Move, 64>, 12> counterMoves_{};
    std::array<Move, kMaxPly + 1> moveStack_{};  // the move made at each ply (null for a null move)
    std::array<int, kMaxPly + 1> movedPiece_{};
    std::array<int, kMaxPly + 1> evalStack_{};
    std::array<std::array<Move, kMaxPly + 1>, kMaxPly + 1> pv_{};
    std::array<int, kMaxPly + 1> pvLength_{};
};

// A search on its own thread. `start` returns at once; `onReport` and `onDone` are called on the
// search thread. `stop` asks the running search to finish; `wait` joins it. Destruction stops and
// joins, so a caller that goes away never waits longer than one check of the stop flag.
class Searcher {
  public:
    explicit Searcher(std::size_t hashMegabytes = 16);
    ~Searcher();
    Searcher(const Searcher&) = delete;
    Searcher& operator=(const Searcher&) = delete;

    void start(const Position& position, const Limits& limits, const Handicap& handicap,
               std::function<void(const Report&)> onReport, std::function<void(const Outcome&)> onDone,
               std::uint64_t seed = 0);
    void stop();
    void wait();
    bool thinking() const { return thinking_.load(); }

  private:
    TranspositionTable table_;
    Search search_;
    std::thread thread_;
    std::atomic<bool> thinking_{false};
};

}  // namespace zarvik::search
