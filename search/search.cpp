#include "search/search.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "search/evaluate.h"
#include "search/see.h"

namespace zarvik::search {
namespace {

using Clock = std::chrono::steady_clock;

// Late moves at depth d, index i are searched log(d) * log(i) / 2 plies shallower first.
const std::array<std::array<int, 64>, 64> kReductions = [] {
    std::array<std::array<int, 64>, 64> table{};
    for (int d = 1; d < 64; ++d) {
        for (int i = 1; i < 64; ++i) {
            table[d][i] = static_cast<int>(0.5 + std::log(d) * std::log(i) / 2.0);
        }
    }
    return table;
}();

constexpr int kHashScore = 4'000'000;
constexpr int kCaptureScore = 2'000'000;
constexpr int kKillerScore = 1'000'000;
constexpr int kHistoryLimit = 16'384;         // above the largest single bonus, so no update overshoots
constexpr int kBadCaptureScore = -2'000'000;  // below every quiet move

int victimKind(const Position& pos, Move m) {
    return m.flag() == kEnPassant ? kPawn : kindOf(pos.pieceOn(m.to()));
}

// Picks the best-scored move at or after `from` and swaps it there.
Move pickNext(MoveList& moves, std::array<int, 256>& scores, int from) {
    int best = from;
    for (int i = from + 1; i < moves.size(); ++i) {
        if (scores[i] > scores[best]) {
            best = i;
        }
    }
    std::swap(moves[from], moves[best]);
    std::swap(scores[from], scores[best]);
    return moves[from];
}

}  // namespace

int mateIn(int score) {
    if (score >= kMateBound) {
        return (kMate - score + 1) / 2;
    }
    if (score <= -kMateBound) {
        return -(kMate + score) / 2;
    }
    return 0;
}

bool Search::timeUp() {
    if (!limitsApply_) {
        return false;
    }
    if (nodeLimit_ != 0 && nodes_ >= nodeLimit_) {
        return true;
    }
    return (nodes_ & 255) == 0 && deadline_ && Clock::now() >= *deadline_;
}

void Search::updatePv(int ply, Move move) {
    pv_[ply][ply] = move;
    for (int i = ply + 1; i < pvLength_[ply + 1]; ++i) {
        pv_[ply][i] = pv_[ply + 1][i];
    }
    pvLength_[ply] = std::max(pvLength_[ply + 1], ply + 1);
}

void Search::orderMoves(MoveList& moves, std::array<int, 256>& scores, Move hashMove, int ply) const {
    const Move counter = ply > 0 && !moveStack_[ply - 1].isNull()
                             ? counterMoves_[movedPiece_[ply - 1]][moveStack_[ply - 1].to()]
                             : Move();
    for (int i = 0; i < moves.size(); ++i) {
        const Move m = moves[i];
        if (m == hashMove) {
            scores[i] = kHashScore;
        } else if (m.isPromotion() && m.promotionKind() != kQueen) {
            scores[i] = kBadCaptureScore - kHistoryLimit;  // under-promotions last
        } else if (m.isCapture() || m.isPromotion()) {
            const int victim = m.isCapture() ? pieceValue(victimKind(*pos_, m)) : 0;
            const int promotion = m.isPromotion() ? pieceValue(m.promotionKind()) : 0;
            const int attacker = kindOf(pos_->pieceOn(m.from()));
            // Taking with a piece worth no more than the victim never loses; the rest are checked.
            const bool sound = pieceValue(attacker) <= victim || staticExchange(*pos_, m) >= 0;
            scores[i] = (sound ? kCaptureScore : kBadCaptureScore) + (victim + promotion) * 8 - attacker;
        } else if (m == killers_[ply][0]) {
            scores[i] = kKillerScore + 2;
        } else if (m == killers_[ply][1]) {
            scores[i] = kKillerScore + 1;
        } else if (m == counter) {
            scores[i] = kKillerScore;
        } else {
            scores[i] = history_[pos_->pieceOn(m.from())][m.to()];
        }
    }
}

void Search::rewardQuiet(Move move, int ply, int depth, const MoveList& tried, int triedCount) {
    if (killers_[ply][0] != move) {
        killers_[ply][1] = killers_[ply][0];
        killers_[ply][0] = move;
    }
    if (ply > 0 && !moveStack_[ply - 1].isNull()) {
        counterMoves_[movedPiece_[ply - 1]][moveStack_[ply - 1].to()] = move;
    }
    const int bonus = std::min(depth * depth, 400);
    const auto adjust = [this](Move m, int delta) {
        int& h = history_[pos_->pieceOn(m.from())][m.to()];
        h += delta - h * std::abs(delta) / kHistoryLimit;
    };
    adjust(move, bonus * 32);
    for (int i = 0; i < triedCount; ++i) {
        if (tried[i] != move) {
            adjust(tried[i], -bonus * 32);
        }
    }
}

bool Search::enterNode(int ply) {
    pvLength_[ply] = ply;
    ++nodes_;
    if (stopping() || timeUp()) {
        stopped_.store(true, std::memory_order_relaxed);
        return false;
    }
    selDepth_ = std::max(selDepth_, ply);
    return true;
}

bool Search::raise(int score, Move move, int ply, int& best, int& alpha, int beta) {
    if (score <= best) {
        return false;
    }
    best = score;
    if (score <= alpha) {
        return false;
    }
    alpha = score;
    updatePv(ply, move);
    return alpha >= beta;
}

void Search::makeMove(Move move, int ply) {
    movedPiece_[ply] = pos_->pieceOn(move.from());
    moveStack_[ply] = move;
    pos_->make(move);
    table_.prefetch(pos_->key());
}

int Search::quiesce(int alpha, int beta, int ply) {
    if (!enterNode(ply)) {
        return 0;
    }
    if (ply >= kMaxPly) {
        return evaluate(*pos_);
    }
    const bool inCheck = pos_->inCheck();
    int best = -kInfinite;
    int standPat = 0;
    if (!inCheck) {
        standPat = evaluate(*pos_);
        if (standPat >= beta) {
            return standPat;
        }
        alpha = std::max(alpha, standPat);
        best = standPat;
    }
    MoveList moves;
    generate(*pos_, inCheck ? Stage::all : Stage::captures, moves);
    std::array<int, 256> scores{};
    orderMoves(moves, scores, Move(), ply);
    int legal = 0;
    for (int i = 0; i < moves.size(); ++i) {
        const Move m = pickNext(moves, scores, i);
        if (!isLegal(*pos_, m)) {
            continue;
        }
        ++legal;
        // Hopeless captures, and captures that lose material in the exchange.
        if (!inCheck && !m.isPromotion() &&
            (standPat + pieceValue(victimKind(*pos_, m)) + 200 < alpha || scores[i] < kCaptureScore)) {
            continue;
        }
        makeMove(m, ply);
        const int score = -quiesce(-beta, -alpha, ply + 1);
        pos_->unmake(m);
        if (stopping()) {
            return 0;
        }
        if (raise(score, m, ply, best, alpha, beta)) {
            break;
        }
    }
    if (inCheck && legal == 0) {
        return -kMate + ply;
    }
    return best;
}

int Search::alphaBeta(int alpha, int beta, int depth, int ply, bool nullAllowed, Move excluded) {
    if (depth <= 0) {
        return quiesce(alpha, beta, ply);
    }
    if (!enterNode(ply)) {
        return 0;
    }
    const bool pvNode = beta - alpha > 1;
    if (pos_->isDrawByRule() || pos_->insufficientMaterial()) {
        return 0;
    }
    alpha = std::max(alpha, -kMate + ply);
    beta = std::min(beta, kMate - ply - 1);
    if (alpha >= beta) {
        return alpha;
    }
    if (ply >= kMaxPly) {
        return evaluate(*pos_);
    }
    const bool inCheck = pos_->inCheck();
    TableEntry entry;
    Move hashMove;
    const bool excluding = !excluded.isNull();
    const bool hashHit = !excluding && table_.probe(pos_->key(), ply, entry);
    if (hashHit) {
        hashMove = entry.move;
        if (!pvNode && entry.depth >= depth &&
            (entry.bound == Bound::exact || (entry.bound == Bound::lower && entry.score >= beta) ||
             (entry.bound == Bound::upper && entry.score <= alpha))) {
            return entry.score;
        }
    }
    const int staticEval = inCheck ? -kInfinite : evaluate(*pos_);
    evalStack_[ply] = staticEval;
    // Better than two plies ago: pruning may be bolder, as the position is getting better.
    const bool improving = !inCheck && ply >= 2 && staticEval > evalStack_[ply - 2];
    const int us = pos_->sideToMove();
    if (!pvNode && !inCheck && !excluding && std::abs(beta) < kMateBound) {
        if (depth <= 6 && staticEval - 90 * (depth - (improving ? 1 : 0)) >= beta) {
            return staticEval;
        }
        if (depth <= 2 && staticEval + 200 * depth < alpha) {
            const int score = quiesce(alpha - 1, alpha, ply);
            if (score < alpha) {
                return score;
            }
        }
        if (nullAllowed && depth >= 3 && staticEval >= beta && pos_->hasNonPawnMaterial(us)) {
            const int reduction = 3 + depth / 4 + std::min((staticEval - beta) / 200, 3);
            moveStack_[ply] = Move();
            pos_->makeNull();
            const int score = -alphaBeta(-beta, -beta + 1, depth - 1 - reduction, ply + 1, false);
            pos_->unmakeNull();
            if (stopping()) {
                return 0;
            }
            if (score >= beta) {
                return score >= kMateBound ? beta : score;
            }
        }
    }
    // A node the table knows nothing of is searched a ply shallower: it is seldom worth the full depth.
    if (!pvNode && !excluding && depth >= 4 && hashMove.isNull()) {
        --depth;
    }
    MoveList moves;
    generate(*pos_, Stage::all, moves);
    std::array<int, 256> scores{};
    orderMoves(moves, scores, hashMove, ply);
    const bool futile = !pvNode && !inCheck && depth <= 2 && staticEval + 90 + 110 * depth <= alpha;
    const int lateCount = (3 + depth * depth) / (improving ? 1 : 2);
    const int alphaAtStart = alpha;
    int bestScore = -kInfinite;
    Move bestMove;
    int legal = 0;
    MoveList quietsTried;
    for (int i = 0; i < moves.size(); ++i) {
        const Move m = pickNext(moves, scores, i);
        if (m == excluded || !isLegal(*pos_, m)) {
            continue;
        }
        ++legal;
        // The table's move is extended when every other move falls clearly short of its score.
        int extension = 0;
        if (m == hashMove && depth >= 8 && entry.depth >= depth - 3 && entry.bound != Bound::upper &&
            std::abs(entry.score) < kMateBound) {
            const int singularBeta = entry.score - 2 * depth;
            const int score = alphaBeta(singularBeta - 1, singularBeta, (depth - 1) / 2, ply, false, m);
            if (stopping()) {
                return 0;
            }
            if (score < singularBeta) {
                extension = 1;
            } else if (singularBeta >= beta) {
                return singularBeta;  // even without it, more than one move reaches beta
            }
        }
        const bool quiet = !m.isCapture() && !m.isPromotion();
        const bool late = !pvNode && !inCheck && quiet && depth <= 5 && quietsTried.size() >= lateCount;
        // Captures that lose much in the exchange are not worth a look near the leaves.
        if (!pvNode && !inCheck && !quiet && depth <= 4 && legal > 1 && scores[i] < kCaptureScore &&
            bestScore > -kMateBound && staticExchange(*pos_, m) < -100 * depth) {
            continue;
        }
        makeMove(m, ply);
        const bool givesCheck = pos_->inCheck();
        if ((futile || late) && quiet && !givesCheck && legal > 1 && bestScore > -kMateBound) {
            pos_->unmake(m);
            continue;
        }
        const int newDepth = depth - 1 + std::max(extension, givesCheck && ply < 2 * depth + 8 ? 1 : 0);
        int score = 0;
        if (legal == 1) {
            score = -alphaBeta(-beta, -alpha, newDepth, ply + 1, true);
        } else {
            int reduction = 0;
            if (depth >= 3 && quiet && !inCheck && !givesCheck && legal > (pvNode ? 4 : 2)) {
                reduction = kReductions[std::min(depth, 63)][std::min(legal, 63)];
                reduction += !pvNode && !improving ? 1 : 0;
                reduction -= pvNode ? 1 : 0;
                reduction -= scores[i] >= kKillerScore ? 1 : scores[i] / (kHistoryLimit / 2);
                reduction = std::clamp(reduction, 0, newDepth - 1);
            }
            score = -alphaBeta(-alpha - 1, -alpha, newDepth - reduction, ply + 1, true);
            if (score > alpha && reduction > 0) {
                score = -alphaBeta(-alpha - 1, -alpha, newDepth, ply + 1, true);
            }
            if (score > alpha && score < beta) {
                score = -alphaBeta(-beta, -alpha, newDepth, ply + 1, true);
            }
        }
        pos_->unmake(m);
        if (stopping()) {
            return 0;
        }
        if (score > bestScore && score > alpha) {
            bestMove = m;
        }
        if (raise(score, m, ply, bestScore, alpha, beta)) {
            if (quiet) {
                rewardQuiet(m, ply, depth, quietsTried, quietsTried.size());
            }
            break;
        }
        if (quiet && quietsTried.size() < 64) {
            quietsTried.push(m);
        }
    }
    if (legal == 0) {
        return excluding ? alpha : inCheck ? -kMate + ply : 0;
    }
    if (excluding) {
        return bestScore;  // a score without the best move belongs in no table
    }
    const Bound bound = bestScore >= beta ? Bound::lower : alpha > alphaAtStart ? Bound::exact : Bound::upper;
    table_.store(pos_->key(), ply, bestMove, bestScore, depth, bound);
    return bestScore;
}

int Search::rootSearch(int depth, int alpha, int beta, bool exactScores) {
    int best = -kInfinite;
    pvLength_[0] = 0;
    for (std::size_t i = 0; i < rootMoves_.size(); ++i) {
        RootMove& rm = rootMoves_[i];
        makeMove(rm.move, 0);
        ++nodes_;
        const int newDepth = depth - 1 + (pos_->inCheck() ? 1 : 0);
        int score = 0;
        if (i == 0 || exactScores) {
            score = -alphaBeta(-beta, exactScores ? kInfinite : -alpha, newDepth, 1, true);
        } else {
            score = -alphaBeta(-alpha - 1, -alpha, newDepth, 1, true);
            if (score > alpha && score < beta) {
                score = -alphaBeta(-beta, -alpha, newDepth, 1, true);
            }
        }
        pos_->unmake(rm.move);
        if (stopping()) {
            break;
        }
        if (i == 0 || exactScores || score > alpha) {
            rm.score = score;
            rm.pv.assign(1, rm.move);
            for (int p = 1; p < pvLength_[1]; ++p) {
                rm.pv.push_back(pv_[1][p]);
            }
        }
        best = std::max(best, score);
        if (score > alpha && !exactScores) {
            alpha = score;
        }
        if (score >= beta) {
            break;
        }
    }
    std::stable_sort(rootMoves_.begin(), rootMoves_.end(),
                     [](const RootMove& a, const RootMove& b) { return a.score > b.score; });
    return best;
}

Outcome Search::run(Position& position, const Limits& limits, const Handicap& handicap,
                    const std::function<void(const Report&)>& onReport, std::uint64_t seed) {
    pos_ = &position;
    start_ = Clock::now();
    nodes_ = 0;
    selDepth_ = 0;
    limitsApply_ = false;
    killers_ = {};
    counterMoves_ = {};
    for (auto& row : history_) {
        for (int& h : row) {
            h /= 4;
        }
    }
    table_.age();
    const TimeBudget budget = budgetFor(limits, position.sideToMove());
    deadline_.reset();
    if (budget.maximum) {
        deadline_ = start_ + *budget.maximum;
    }
    nodeLimit_ = 0;
    for (const std::uint64_t limit : {limits.nodes.value_or(0), handicap.nodes}) {
        if (limit != 0) {
            nodeLimit_ = nodeLimit_ == 0 ? limit : std::min(nodeLimit_, limit);
        }
    }
    int maxDepth = kMaxPly - 8;
    for (const int limit : {limits.depth.value_or(0), handicap.depth}) {
        if (limit > 0) {
            maxDepth = std::min(maxDepth, limit);
        }
    }

    Outcome outcome;
    rootMoves_.clear();
    MoveList legal;
    generateLegal(position, legal);
    for (const Move m : legal) {
        if (limits.searchMoves.empty() ||
            std::find(limits.searchMoves.begin(), limits.searchMoves.end(), m) != limits.searchMoves.end()) {
            rootMoves_.push_back(RootMove{m, -kInfinite, -kInfinite, {}});
        }
    }
    if (rootMoves_.empty()) {
        outcome.score = position.inCheck() ? -kMate : 0;
        return outcome;
    }
    TableEntry entry;
    if (table_.probe(position.key(), 0, entry)) {
        const auto hashed = std::find_if(rootMoves_.begin(), rootMoves_.end(),
                                         [&](const RootMove& rm) { return rm.move == entry.move; });
        if (hashed != rootMoves_.end()) {
            std::rotate(rootMoves_.begin(), hashed, hashed + 1);
        }
    }
    evalStack_[0] = position.inCheck() ? -kInfinite : evaluate(position);
    const bool exactScores = handicap.secondBestPercent > 0;
    std::vector<RootMove> completed;
    int score = 0;
    for (int depth = 1; depth <= maxDepth; ++depth) {
        for (RootMove& rm : rootMoves_) {
            rm.previousScore = rm.score;
            rm.score = -kInfinite;
        }
        int delta = 18;
        int alpha = -kInfinite;
        int beta = kInfinite;
        if (depth >= 5 && !exactScores && std::abs(score) < kMateBound) {
            alpha = score - delta;
            beta = score + delta;
        }
        for (;;) {
            const int result = rootSearch(depth, alpha, beta, exactScores);
            if (stopping()) {
                break;
            }
            if (result <= alpha) {
                alpha = std::max(-kInfinite, alpha - delta);
                beta = (alpha + beta) / 2;
            } else if (result >= beta) {
                beta = std::min(kInfinite, beta + delta);
            } else {
                score = result;
                break;
            }
            delta += delta;
            if (delta > 600) {
                alpha = -kInfinite;
                beta = kInfinite;
            }
        }
        limitsApply_ = true;
        const bool interrupted = stopping();
        if (interrupted && rootMoves_[0].score == -kInfinite) {
            break;  // nothing new learnt; the previous iteration's order stands
        }
        outcome.last.depth = depth;
        outcome.last.selDepth = selDepth_;
        outcome.last.score = rootMoves_[0].score;
        outcome.last.nodes = nodes_;
        outcome.last.time = std::chrono::duration_cast<Milliseconds>(Clock::now() - start_);
        outcome.last.pv = rootMoves_[0].pv;
        outcome.last.hashfull = table_.hashfull();
        if (onReport) {
            onReport(outcome.last);
        }
        if (interrupted) {
            break;
        }
        completed = rootMoves_;
        if (limits.mate && mateIn(score) > 0 && mateIn(score) <= *limits.mate) {
            break;
        }
        if (timeUp()) {
            break;
        }
        const Milliseconds elapsed = outcome.last.time;
        // Between iterations: the next one takes a few times as long as this one.
        if (budget.optimum && budget.optimum < budget.maximum && elapsed * 5 > *budget.optimum * 3) {
            break;
        }
        if (budget.optimum && rootMoves_.size() == 1 && budget.optimum < budget.maximum) {
            break;
        }
    }
    outcome.best = rootMoves_[0].move;
    outcome.score = rootMoves_[0].score == -kInfinite ? rootMoves_[0].previousScore : rootMoves_[0].score;
    if (rootMoves_[0].pv.size() > 1) {
        outcome.ponder = rootMoves_[0].pv[1];
    }
    if (exactScores && completed.size() >= 2) {
        std::mt19937_64 random(seed ^ position.key());
        const bool takeSecond = static_cast<int>(random() % 100) < handicap.secondBestPercent;
        const RootMove& second = completed[1];
        if (takeSecond && second.score > -kMateBound &&
            second.score >= completed[0].score - handicap.secondBestMargin) {
            outcome.best = second.move;
            outcome.score = second.score;
            outcome.ponder = second.pv.size() > 1 ? second.pv[1] : Move();
        }
    }
    pos_ = nullptr;
    return outcome;
}

Searcher::Searcher(std::size_t hashMegabytes) : table_(hashMegabytes), search_(table_) {}

Searcher::~Searcher() {
    stop();
    wait();
}

void Searcher::start(const Position& position, const Limits& limits, const Handicap& handicap,
                     std::function<void(const Report&)> onReport, std::function<void(const Outcome&)> onDone,
                     std::uint64_t seed) {
    stop();
    wait();
    search_.rearm();
    thinking_.store(true);
    thread_ = std::thread([this, position = Position(position), limits, handicap,
                           onReport = std::move(onReport), onDone = std::move(onDone), seed]() mutable {
        const Outcome outcome = search_.run(position, limits, handicap, onReport, seed);
        if (onDone) {
            onDone(outcome);
        }
        thinking_.store(false);
    });
}

void Searcher::stop() {
    search_.stop();
}

void Searcher::wait() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

}  // namespace zarvik::search
