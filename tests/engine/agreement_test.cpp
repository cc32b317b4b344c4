// The engine's move is the computer player's move: the same as the in-process player's at the same
// level out of the book, one of the book's moves in it, and the best move of `zarvik-cli rate`.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <set>

#include "computer/opening.h"
#include "games.h"
#include "uci_process.h"

namespace zarvik::test {
namespace {

#ifdef ZARVIK_SLOW_BUILD
constexpr int kGames = 2;
#else
constexpr int kGames = 6;
#endif

std::string bestMove(UciProcess& engine, const std::string& position) {
    engine.send(position);
    engine.send("go");
    const std::vector<std::string> lines = engine.readUntil("bestmove ");
    return lines.empty() ? "(none)" : lines.back().substr(9);
}

std::set<std::string> bookMoves(const Board& board, Color color) {
    std::set<std::string> moves;
    for (const OpeningMove& entry : openingBook(color)) {
        if (entry.board == board) {
            moves.insert(PerftMove{static_cast<int>(entry.fromLocation.index),
                                   static_cast<int>(entry.toLocation.index), std::nullopt, std::nullopt}
                             .text());
        }
    }
    return moves;
}

TEST(Agreement, TheEngineMovesAsTheInProcessPlayer) {
    const std::vector<PlayedPosition> positions = randomGamePositions(19, kGames, 50);
    for (const Difficulty level : {Difficulty::easy, Difficulty::hard}) {
        const char* name = level == Difficulty::easy ? "easy" : "hard";
        UciProcess engine;
        std::string option = "setoption name Level value ";
        option += name;
        engine.send(option);
        int inBook = 0;
        for (const PlayedPosition& p : positions) {
            AIPlayer player(p.toMove, AIConfiguration(level), nullptr);
            const AIPlayer::Choice choice = player.chooseMove(p.board);
            const std::string engineMove = bestMove(engine, "position startpos moves" + p.moves);
            if (choice.bookMove) {
                ++inBook;
                EXPECT_TRUE(bookMoves(p.board, p.toMove).contains(engineMove)) << name << p.moves;
            } else {
                ASSERT_TRUE(choice.move) << p.moves;
                EXPECT_EQ(engineMove, longAlgebraic(player, p.board, *choice.move)) << name << p.moves;
            }
        }
        EXPECT_GT(inBook, 0) << "the first position of every game is in the book";
    }
}

// The best move as `zarvik-cli rate` names it ("E2-E4", "O-O"), in long algebraic form without a
// promotion letter.
std::string rateBest(const char* level, const std::string& fen, Color toMove) {
    std::string command = ZARVIK_CLI;
    for (const std::string& part : {std::string(" rate "), std::string(level), " '" + fen + "' 2>&1"}) {
        command += part;
    }
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::array<char, 256> line{};
    std::string best;
    while (pipe && std::fgets(line.data(), line.size(), pipe.get())) {
        if (std::string_view(line.data()).starts_with("best ")) {
            best = std::string(line.data() + 5);
        }
    }
    const std::string rank = toMove == Color::white ? "1" : "8";
    if (best.starts_with("O-O-O")) {
        return "e" + rank + "c" + rank;
    }
    if (best.starts_with("O-O")) {
        return "e" + rank + "g" + rank;
    }
    if (best.size() < 5) {
        return "(none)";
    }
    return {static_cast<char>(best[0] - 'A' + 'a'), best[1], static_cast<char>(best[3] - 'A' + 'a'), best[4]};
}

TEST(Agreement, TheEngineMovesAsTheRatingToolNamesBest) {
    const std::pair<const char*, Color> positions[] = {
        {"r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4", Color::white},
        {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", Color::white},
        {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R b KQkq - 0 1", Color::black},
        {"4k3/1P6/8/8/8/8/6p1/4K3 w - - 0 1", Color::white},
        {"4k3/1P6/8/8/8/8/6p1/4K3 b - - 0 1", Color::black},
        {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", Color::white},
        {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", Color::white},
        {"rnbqkbnr/pp1ppppp/8/2p5/4P3/8/PPPP1PPP/RNBQKBNR w KQkq c6 0 2", Color::white},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", Color::black},
    };
    for (const char* level : {"easy", "hard"}) {
        UciProcess engine;
        engine.send(std::string("setoption name Level value ") + level);
        for (const auto& [fen, toMove] : positions) {
            const std::string move = bestMove(engine, std::string("position fen ") + fen);
            EXPECT_EQ(move.substr(0, 4), rateBest(level, fen, toMove)) << level << " " << fen;
        }
    }
}

}  // namespace
}  // namespace zarvik::test
