// The evaluation: the tuner's trace gives back the engine's score, colours swapped give the same
// score, and material that cannot win scores as a draw.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "search/evaltrace.h"
#include "search/evaluate.h"
#include "search/tunedweights.h"
#include "tests/search/positionat.h"

namespace zarvik::search {
namespace {

// The same position with the colours swapped and the board turned upside down.
std::string mirrored(const std::string& fen) {
    std::vector<std::string> fields;
    std::string field;
    for (const char c : fen + ' ') {
        if (c == ' ') {
            fields.push_back(field);
            field.clear();
        } else {
            field += c;
        }
    }
    std::string board;
    for (std::size_t end = fields[0].size(); end != std::string::npos;) {
        const std::size_t slash = fields[0].rfind('/', end - 1);
        const std::size_t begin = slash == std::string::npos ? 0 : slash + 1;
        board += fields[0].substr(begin, end - begin) + (slash == std::string::npos ? "" : "/");
        end = slash == std::string::npos ? std::string::npos : slash;
    }
    auto swapCase = [](std::string s) {
        for (char& c : s) {
            c = std::isupper(static_cast<unsigned char>(c)) ? static_cast<char>(std::tolower(c))
                                                            : static_cast<char>(std::toupper(c));
        }
        return s;
    };
    std::string ep = fields[3];
    if (ep != "-") {
        ep[1] = ep[1] == '3' ? '6' : '3';
    }
    std::string castling;
    for (const char c : std::string("KQkq")) {
        castling += swapCase(fields[2]).find(c) != std::string::npos ? std::string(1, c) : "";
    }
    return swapCase(board) + (fields[1] == "w" ? " b " : " w ") + (castling.empty() ? "-" : castling) + ' ' +
           ep + " 0 1";
}

const std::vector<std::string> kPositions{
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 b - - 0 10",
    "2rq1rk1/pb1nbppp/1p2pn2/2pp4/2PP4/1PN1PN2/PB1QBPPP/2R2RK1 b - - 3 12",
    "r1b2rk1/pp3ppp/2n5/3Np1q1/2B1P3/8/PPP2PPP/R2QK2R w KQ - 0 12",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "8/8/4kpp1/3p4/3P1PP1/4K3/8/8 b - - 0 40",
    "6k1/5p2/4p1p1/3bP3/8/2B3P1/5PK1/8 w - - 0 50",
    "8/8/8/4k3/8/8/3RK3/6r1 w - - 0 60",
};

TEST(Evaluation, TraceGivesTheScoreAndColoursSwappedGiveTheSame) {
    std::vector<double> mg, eg;
    for (const Pair p : kEvalWeights) {
        mg.push_back(p.mg);
        eg.push_back(p.eg);
    }
    for (const std::string& fen : kPositions) {
        const Position p = at(fen);
        const int score = evaluate(p);
        const double white = tracedValue(traceEvaluation(p), mg, eg);
        EXPECT_NEAR(p.sideToMove() == kWhite ? white : -white, score, 1.5) << fen;
        EXPECT_EQ(evaluate(at(mirrored(fen))), score) << mirrored(fen);
    }
}

TEST(Evaluation, MaterialThatCannotWinScoresAsADraw) {
    const struct {
        const char* fen;
        bool draw;
    } cases[] = {
        {"8/8/4k3/8/8/3BK3/8/8 w - - 0 1", true},     // a lone bishop
        {"8/8/4k3/8/8/3NK3/8/8 b - - 0 1", true},     // a lone knight
        {"8/8/4k3/8/8/3NK1N1/8/8 w - - 0 1", true},   // two knights
        {"8/8/4k3/4p3/8/3BK3/8/8 w - - 0 1", true},   // a bishop against a pawn
        {"8/8/4k3/8/8/3RK3/8/8 w - - 0 1", false},    // a rook mates
        {"8/8/4k3/8/8/2BNK3/8/8 b - - 0 1", false},   // bishop and knight mate
        {"8/8/4k3/8/4P3/3NK3/8/8 w - - 0 1", false},  // a pawn may promote
    };
    for (const auto& c : cases) {
        const int score = evaluate(at(c.fen));
        if (c.draw) {
            EXPECT_EQ(score, 0) << c.fen;
        } else {
            EXPECT_GT(std::abs(score), 100) << c.fen;
        }
    }
}

}  // namespace
}  // namespace zarvik::search
