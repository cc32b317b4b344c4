#include "search/bench.h"

#include <chrono>
#include <string>

#include "search/search.h"

namespace zarvik::search {

const std::vector<std::string_view>& benchPositions() {
    // Openings, middlegames with both kings castled or not, and endings of several kinds.
    static const std::vector<std::string_view> positions{
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
        "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3",
        "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP2BPPP/R2QKB1R w KQ - 0 8",
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
        "2rq1rk1/pb1nbppp/1p2pn2/2pp4/2PP4/1PN1PN2/PB1QBPPP/2R2RK1 b - - 3 12",
        "r2q1rk1/1b2bppp/p2ppn2/1p6/3BP3/2NB4/PPPQ1PPP/2KR3R w - - 2 13",
        "6k1/pp3ppp/2p5/3r4/8/2P2N2/PP3PPP/4R1K1 w - - 0 25",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
        "8/8/4kpp1/3p4/3P1PP1/4K3/8/8 w - - 0 40",
        "4r1k1/5ppp/8/3Q4/8/1P6/r4PPP/3R2K1 b - - 0 30",
        "8/5k2/8/3R4/8/3K4/5r2/8 w - - 0 60",
    };
    return positions;
}

BenchResult runBench(int depth) {
    BenchResult result;
    const auto start = std::chrono::steady_clock::now();
    for (const std::string_view fen : benchPositions()) {
        std::string error;
        std::optional<Position> position = Position::fromFen(fen, error);
        if (!position) {
            continue;
        }
        TranspositionTable table(16);
        Search search(table);
        Limits limits;
        limits.depth = depth;
        result.nodes += search.run(*position, limits, Handicap{}, nullptr).last.nodes;
    }
    result.time = std::chrono::duration_cast<Milliseconds>(std::chrono::steady_clock::now() - start);
    return result;
}

}  // namespace zarvik::search
