// A match between two zarvik-uci processes, easy against hard, kept by the test as a chess program
// keeps it: every move checked against the rules, the game over at mate, stalemate, the game's own
// repetition rule or a move limit.
#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <random>

#include "computer/opening.h"
#include "rules/lastmove.h"
#include "rules/perft.h"
#include "rules/repetition.h"
#include "uci_process.h"

namespace zarvik::test {
namespace {

constexpr int kGames = 22;
#ifdef ZARVIK_SLOW_BUILD
constexpr int kPlyLimit = 30;
#else
constexpr int kPlyLimit = 160;
#endif

enum class Ending { checkmate, stalemate, repetition, moveLimit };

// The record's description of a move, filled as the game fills it, so that the record's move texts
// and its repetition rule apply.
LastMove describe(const Board& before, Color mover, const PerftMove& move) {
    LastMove record;
    Board after = before;
    if (move.castle) {
        (*move.castle == CastleSide::kingSide ? record.kingSideCastle : record.queenSideCastle) = true;
    } else {
        for (const BoardOperation& op : after.movePiece(BoardLocation(move.from), BoardLocation(move.to))) {
            if (op.type == OperationType::removePiece) {
                record.removedLocation = static_cast<int>(op.piece->location.index);
            }
        }
        record.fromLocation = move.from;
        record.toLocation = move.to;
    }
    if (move.promotion) {
        record.transformedLocation = move.to;
        record.transformedPiece = std::string(1, germanLetter(*move.promotion, mover));
    }
    after = afterMove(before, mover, move);
    record.checkmate = after.isColorInCheckMate(opposite(mover));
    record.check = !record.checkmate && after.isColorInCheck(opposite(mover));
    for (const OpeningMove& entry : openingBook(mover)) {
        record.bookMove =
            record.bookMove || (entry.board == before && entry.fromLocation.index == move.from &&
                                entry.toLocation.index == move.to);
    }
    return record;
}

TEST(Match, EasyAgainstHardThroughTwoProcesses) {
    UciProcess easy;
    UciProcess hard;
    easy.send("setoption name Level value easy");
    hard.send("setoption name Level value hard");
    std::mt19937 rng(1919);
    std::map<std::string, int> score;  // "easy", "hard", "draw"
    std::map<Ending, int> endings;
    for (int game = 0; game < kGames; ++game) {
        const bool easyIsWhite = game % 2 == 0;
        Board board(true);
        Color toMove = Color::white;
        std::string moves;
        std::vector<PlayedMove> moveList;
        for (UciProcess* engine : {&easy, &hard}) {
            engine->send("ucinewgame");
        }
        // After the first four games the first two half-moves are drawn at random, so that the
        // games differ beyond the book's choices.
        const int randomPlies = game < 4 ? 0 : 2;
        std::optional<Ending> ending;
        int ply = 0;
        for (; !ending; ++ply) {
            const std::vector<PerftMove> legal = legalMoves(board, toMove);
            if (legal.empty()) {
                ending = board.isColorInCheck(toMove) ? Ending::checkmate : Ending::stalemate;
                break;
            }
            if (ply == kPlyLimit) {
                ending = Ending::moveLimit;
                break;
            }
            std::string text;
            if (ply < randomPlies) {
                text = legal[std::uniform_int_distribution<std::size_t>(0, legal.size() - 1)(rng)].text();
            } else {
                UciProcess& engine = (toMove == Color::white) == easyIsWhite ? easy : hard;
                engine.send("position startpos moves" + moves);
                engine.send("go wtime 60000 btime 60000 winc 1000 binc 1000");
                const std::vector<std::string> answer = engine.readUntil("bestmove ");
                ASSERT_FALSE(answer.empty()) << "game " << game << ": no answer to" << moves;
                text = answer.back().substr(9);
            }
            const auto move = std::find_if(legal.begin(), legal.end(),
                                           [&](const PerftMove& m) { return m.text() == text; });
            ASSERT_NE(move, legal.end()) << "game " << game << ": illegal " << text << " after" << moves;
            moveList.push_back(PlayedMove::of(describe(board, toMove, *move)));
            board = afterMove(board, toMove, *move);
            toMove = opposite(toMove);
            moves += " " + text;
            if (findRepetition(moveList).any() && !legalMoves(board, toMove).empty()) {
                ending = Ending::repetition;
            }
        }
        endings[*ending] += 1;
        if (*ending == Ending::checkmate) {
            // The side to move is mated.
            const bool easyWon = (toMove == Color::white) != easyIsWhite;
            score[easyWon ? "easy" : "hard"] += 1;
        } else {
            score["draw"] += 1;
        }
    }
    std::cout << "match of " << kGames << " games: hard " << score["hard"] << ", easy " << score["easy"]
              << ", drawn " << score["draw"] << " (mates " << endings[Ending::checkmate] << ", stalemates "
              << endings[Ending::stalemate] << ", repetitions " << endings[Ending::repetition]
              << ", move limit " << endings[Ending::moveLimit] << ")\n";
    for (UciProcess* engine : {&easy, &hard}) {
        engine->send("quit");
        EXPECT_EQ(engine->waitForExit(), 0);
    }
}

}  // namespace
}  // namespace zarvik::test
