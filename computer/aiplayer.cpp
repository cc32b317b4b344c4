#include "computer/aiplayer.h"

#include <cmath>
#include <ctime>
#include <limits>
#include <typeinfo>

#include "computer/ratingtext.h"
#include "rules/lastmove.h"
#include "util/log.h"

namespace zarvik {
namespace {

constexpr double kGreatest = std::numeric_limits<double>::max();

constexpr PieceType kPromotionOrder[] = {PieceType::queen, PieceType::knight, PieceType::rook,
                                         PieceType::bishop};

// The colour's first pawn on its far rank, or -1.
int firstPromotablePawn(const Cells& cells, Color color) {
    const int first = color == Color::white ? 56 : 0;
    for (int i = first; i < first + 8; ++i) {
        if (cell::is(cells[i], PieceType::pawn, color)) {
            return i;
        }
    }
    return -1;
}

// A promoted piece keeps the pawn's identity number but none of its flags.
std::uint8_t promotedCell(std::uint8_t pawn, PieceType type) {
    return static_cast<std::uint8_t>(cell::make(type, cell::color(pawn)) | (pawn & cell::kHasTag));
}

bool opponentReaches(const Cells& cells, Color opponent, int square) {
    for (int i = 0; i < 64; ++i) {
        if (i != square && cell::isColor(cells[i], opponent) &&
            (ruleTargets(cells, i) & squareBit(square)) != 0) {
            return true;
        }
    }
    return false;
}

void castle(Cells& cells, Color color, CastleSide side) {
    const int base = color == Color::white ? 0 : 56;
    const bool kingSide = side == CastleSide::kingSide;
    applyRawMove(cells, base + 4, base + (kingSide ? 6 : 2));
    applyRawMove(cells, base + (kingSide ? 7 : 0), base + (kingSide ? 5 : 3));
}

std::uint32_t timeSeed() {
    return static_cast<std::uint32_t>(std::time(nullptr) & 0x7FFFFFFF);
}

// Marks a chosen castling in the last-move record, from which the front end writes "O-O" / "O-O-O".
void recordCastling(const Move& move) {
    if (const auto* castling = std::get_if<CastleMove>(&move.type)) {
        (castling->side == CastleSide::kingSide ? lastMove().kingSideCastle : lastMove().queenSideCastle) =
            true;
    }
}

}  // namespace

AIPlayer::AIPlayer(Color playerColor, AIConfiguration configuration, std::shared_ptr<Dispatcher> dispatcher)
    : Player(playerColor),
      configuration_(configuration),
      dispatcher_(std::move(dispatcher)),
      random_(timeSeed()) {
    boardRaters_.push_back(std::make_unique<BoardRaterCountPieces>(configuration));
    boardRaters_.push_back(std::make_unique<BoardRaterCenterOwnership>(configuration));
    boardRaters_.push_back(std::make_unique<BoardRaterBoardDominance>(configuration));
    boardRaters_.push_back(std::make_unique<BoardRaterCenterDominance>(configuration));
    boardRaters_.push_back(std::make_unique<BoardRaterThreatenedPieces>(configuration));
    boardRaters_.push_back(std::make_unique<BoardRaterPawnProgression>(configuration));
    boardRaters_.push_back(std::make_unique<BoardRaterKingSurroundingPossession>(configuration));
    boardRaters_.push_back(std::make_unique<BoardRaterCheckMateOpportunity>(configuration));
    boardRaters_.push_back(std::make_unique<BoardRaterCenterFourOccupation>(configuration));
    openingMoves = openingBook(playerColor);
}

void AIPlayer::seedRandom(std::uint32_t seed) {
    std::lock_guard<std::mutex> lock(randomMutex_);
    random_.seed(seed);
}

bool AIPlayer::isEqualTo(const Player& other) const {
    if (typeid(other) != typeid(AIPlayer)) {
        return false;
    }
    return color == other.color && configuration_ == static_cast<const AIPlayer&>(other).configuration_;
}

// --- rating

double AIPlayer::rate(const Cells& cells, Color own) const {
    // A mate replaces the sum, so the terms need not be worked out at all.
    const Color opponent = opposite(own);
    if (isInCheck(cells, opponent) && !hasLegalMove(cells, opponent)) {
        return kGreatest;
    }
    const RatedPosition position(cells);
    double total = 0.0;
    for (const std::unique_ptr<BoardRater>& rater : boardRaters_) {
        // A term weighted 0 adds a zero, which leaves the sum as it is.
        if (rater->weighting() != 0.0) {
            total += rater->ratingFor(position, own);
        }
    }
    return total;
}

double AIPlayer::boardRating(const Board& board) const {
    return color ? rate(board.cells(), *color) : 0.0;
}

AIPlayer::Promotion AIPlayer::bestPromotionFor(const Cells& cells, int square, Color own) const {
    Promotion best{kPromotionOrder[0], 0.0};
    bool first = true;
    for (const PieceType type : kPromotionOrder) {
        Cells promoted = cells;
        promoted[square] = promotedCell(cells[square], type);
        const double rating = rate(promoted, own);
        if (first || rating > best.rating) {
            best = Promotion{type, rating};
            first = false;
        }
    }
    return best;
}

Board AIPlayer::bestPromotion(const Board& board) const {
    if (!color) {
        return board;
    }
    const int square = firstPromotablePawn(board.cells(), *color);
    if (square < 0) {
        return board;
    }
    const BoardLocation location(square);
    const Piece pawn = *board.pieceAt(location);
    Board promoted = board;
    promoted.setPiece(location, Piece(bestPromotionFor(board.cells(), square, *color).type, pawn.color,
                                      pawn.tag, false, false, location));
    return promoted;
}

// --- candidates and choice

std::vector<Move> AIPlayer::ratedCandidates(const Board& board) const {
    std::vector<Move> candidates;
    if (!color || !configuration_) {
        return candidates;
    }
    const Color own = *color;
    const Color opponent = opposite(own);
    const double suicide = configuration_->suicideMultipler.value();
    const Cells& cells = board.cells();
    for (int from = 0; from < 64; ++from) {
        if (!cell::isColor(cells[from], own)) {
            continue;
        }
        forEachSquare(ruleTargets(cells, from), [&](int to) {
            if (isInCheckAfterMove(cells, from, to)) {
                return;
            }
            Cells after = cells;
            applyRawMove(after, from, to);
            double rating = 0.0;
            const int promotable = firstPromotablePawn(after, own);
            if (promotable >= 0) {
                const Promotion promotion = bestPromotionFor(after, promotable, own);
                after[promotable] = promotedCell(after[promotable], promotion.type);
                rating = promotion.rating;
            } else {
                rating = rate(after, own);
            }
            // With a zero multiplier the penalty is r - 0, which is r itself.
            if (suicide != 0.0 && opponentReaches(after, opponent, to)) {
                rating = rating - suicide * std::fabs(rating);
            }
            candidates.push_back(Move{SinglePieceMove{BoardLocation(from), BoardLocation(to)}, rating});
        });
    }
    for (const CastleSide side : {CastleSide::kingSide, CastleSide::queenSide}) {
        if (mayCastle(cells, own, side)) {
            Cells after = cells;
            castle(after, own, side);
            candidates.push_back(Move{CastleMove{own, side}, rate(after, own)});
        }
    }
    return candidates;
}

std::optional<std::size_t> AIPlayer::bestCandidate(const std::vector<Move>& candidates) {
    if (candidates.empty()) {
        return std::nullopt;
    }
    std::size_t best = 0;
    for (std::size_t i = 1; i < candidates.size(); ++i) {
        if (candidates[i].rating > candidates[best].rating) {
            best = i;
        }
    }
    return best;
}

std::optional<Move> AIPlayer::chooseByRating(const std::vector<Move>& candidates) const {
    for (const Move& candidate : candidates) {
        if (const auto* castling = std::get_if<CastleMove>(&candidate.type)) {
            logline("*** AI Castling possible - " + std::string(sideText(castling->side)));
        }
    }
    const std::optional<std::size_t> best = bestCandidate(candidates);
    if (!best) {
        logline("*** AI Stalemate - There are no possible moves");
        return std::nullopt;
    }
    const Move& chosen = candidates[*best];
    if (const auto* castling = std::get_if<CastleMove>(&chosen.type)) {
        logline("*** AI Castling - " + std::string(sideText(castling->side)));
    }
    logline("*** Highest Rating was " + ratingText(chosen.rating) + " ");
    return chosen;
}

std::optional<Move> AIPlayer::highestRatedMove(const Board& board) {
    const std::optional<Move> chosen = chooseByRating(ratedCandidates(board));
    if (chosen) {
        recordCastling(*chosen);
    } else {
        lastMove().stalemate = true;
    }
    return chosen;
}

std::optional<std::pair<BoardLocation, BoardLocation>> AIPlayer::openingBookMove(const Board& board) {
    std::vector<const OpeningMove*> matches;
    for (const OpeningMove& entry : openingMoves) {
        if (entry.board == board) {
            matches.push_back(&entry);
        }
    }
    if (matches.empty()) {
        return std::nullopt;
    }
    std::size_t pick = 0;
    {
        std::lock_guard<std::mutex> lock(randomMutex_);
        pick = std::uniform_int_distribution<std::size_t>(0, matches.size() - 1)(random_);
    }
    return std::make_pair(matches[pick]->fromLocation, matches[pick]->toLocation);
}

AIPlayer::Choice AIPlayer::chooseMove(const Board& board) {
    Choice choice;
    if (const auto book = openingBookMove(board)) {
        choice.move = Move{SinglePieceMove{book->first, book->second}, 0.0};
        choice.bookMove = true;
        return choice;
    }
    const std::vector<Move> candidates = ratedCandidates(board);
    choice.candidates = candidates.size();
    choice.move = chooseByRating(candidates);
    return choice;
}

std::vector<BoardOperation> AIPlayer::perform(Board& board, const MoveType& move) const {
    std::vector<BoardOperation> operations;
    if (const auto* single = std::get_if<SinglePieceMove>(&move)) {
        operations = board.movePiece(single->from, single->to);
    } else {
        const auto& castling = std::get<CastleMove>(move);
        operations = board.performCastle(castling.color, castling.side);
    }
    if (!color) {
        return operations;
    }
    const std::vector<BoardLocation> promotable = board.getLocationsOfPromotablePawns(*color);
    if (!promotable.empty()) {
        board = bestPromotion(board);
        operations.push_back(
            BoardOperation{OperationType::transformPiece, board.pieceAt(promotable[0]), promotable[0]});
    }
    return operations;
}

// --- the turn

void AIPlayer::makeMove() {
    const std::weak_ptr<Game> target = game;
    ++thinking_;
    dispatcher_->runInBackground([self = shared_from_this(), target] { self->compute(target); });
}

void AIPlayer::compute(const std::weak_ptr<Game>& target) {
    Board seen;
    {
        // The game stays alive for this computation, and no longer.
        const std::shared_ptr<Game> attached = target.lock();
        if (!attached || attached->state() != State::inProgress()) {
            --thinking_;
            return;
        }
        seen = attached->board;
    }
    const Choice choice = chooseMove(seen);
    dispatcher_->runOnMainThread([self = shared_from_this(), target, seen, choice] {
        self->carryOut(target, seen, choice);
        --self->thinking_;
    });
}

void AIPlayer::carryOut(const std::weak_ptr<Game>& target, const Board& seen, const Choice& choice) {
    const std::shared_ptr<Game> attached = target.lock();
    // Gone, replaced by another game of this player, finished, or changed since the choice.
    if (!attached || game.lock() != attached || attached->state() != State::inProgress() ||
        attached->board.cells() != seen.cells() || !color) {
        return;
    }
    if (!choice.move) {
        lastMove().stalemate = true;
        return;
    }
    if (const auto* single = std::get_if<SinglePieceMove>(&choice.move->type)) {
        if (attached->board.isEmpty(single->from)) {
            return;  // a book entry that does not fit this board
        }
    }
    const std::vector<BoardOperation> operations = perform(attached->board, choice.move->type);
    lastMove().bookMove = choice.bookMove;
    recordCastling(*choice.move);
    if (const std::shared_ptr<PlayerDelegate> listener = delegate.lock()) {
        listener->playerDidMakeMove(*this, operations);
    }
}

}  // namespace zarvik
