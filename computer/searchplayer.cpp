#include "computer/searchplayer.h"

#include <chrono>

namespace zarvik {

PerftMove toRulesMove(search::Move move) {
    PerftMove result{move.from(), move.to(), std::nullopt, std::nullopt};
    if (move.flag() == search::kCastleShort) {
        result.castle = CastleSide::kingSide;
    } else if (move.flag() == search::kCastleLong) {
        result.castle = CastleSide::queenSide;
    }
    if (move.isPromotion()) {
        static constexpr PieceType kPromoted[] = {PieceType::knight, PieceType::bishop, PieceType::rook,
                                                  PieceType::queen};
        result.promotion = kPromoted[move.flag() & 3];
    }
    return result;
}

SearchPlayer::SearchPlayer(Color color, int level)
    : Player(color), level_(searchLevel(level).number), searcher_(std::make_unique<search::Searcher>(16)) {}

SearchPlayer::~SearchPlayer() {
    cancel();
}

void SearchPlayer::startThinking(const search::Position& position,
                                 std::function<void(const Progress&)> onProgress,
                                 std::function<void(std::optional<PerftMove>)> onDone) {
    const SearchLevel& settings = searchLevel(level_);
    search::Limits limits;
    limits.movetime = settings.thinkingTime;
    limits.overhead = std::chrono::milliseconds(0);
    auto report = [onProgress = std::move(onProgress)](const search::Report& r) {
        if (onProgress && !r.pv.empty()) {
            onProgress(Progress{r.pv.front().text(), search::mateIn(r.score) == 0 ? r.score : 0,
                                search::mateIn(r.score), r.depth});
        }
    };
    dropped_->store(true);
    dropped_ = std::make_shared<std::atomic<bool>>(false);
    auto done = [onDone = std::move(onDone), dropped = dropped_](const search::Outcome& outcome) {
        if (onDone && !dropped->load()) {
            onDone(outcome.best.isNull() ? std::nullopt
                                         : std::optional<PerftMove>(toRulesMove(outcome.best)));
        }
    };
    const auto seed = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    searcher_->start(position, limits, settings.handicap, std::move(report), std::move(done), seed);
}

void SearchPlayer::moveNow() {
    searcher_->stop();
}

void SearchPlayer::cancel() {
    dropped_->store(true);
    searcher_->stop();
}

bool SearchPlayer::isThinking() const {
    return searcher_->thinking();
}

bool SearchPlayer::isEqualTo(const Player& other) const {
    const auto* o = dynamic_cast<const SearchPlayer*>(&other);
    return o != nullptr && Player::isEqualTo(other) && o->level_ == level_;
}

}  // namespace zarvik
