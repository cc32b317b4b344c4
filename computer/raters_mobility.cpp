// The terms built on where the pieces may go: mobility, centre reach and the squares around the kings.
#include <bit>
#include <string>

#include "computer/boardrater.h"
#include "util/log.h"

namespace zarvik {
namespace {

// The first king of the colour; a missing king is an internal error, as for the board's own lookup.
int requiredKing(const Cells& cells, Color color) {
    const int king = firstKingSquare(cells, color);
    if (king < 0) {
        fatal("Couldn't find " + std::string(name(color)) + " king. Kings should always exist");
    }
    return king;
}

// The king's neighbours on the board, in the order north, then clockwise.
struct Surroundings {
    std::array<int, 8> squares{};
    int count = 0;
};

Surroundings kingSurroundings(int king) {
    constexpr int kOffsets[8][2] = {{0, 1}, {1, 1}, {1, 0}, {1, -1}, {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}};
    Surroundings around;
    const int x = king % 8;
    const int y = king / 8;
    for (const auto& [dx, dy] : kOffsets) {
        const int nx = x + dx;
        const int ny = y + dy;
        if (nx >= 0 && nx < 8 && ny >= 0 && ny < 8) {
            around.squares[around.count++] = nx + 8 * ny;
        }
    }
    return around;
}

// Every square some piece of the colour may go to by its rule.
SquareSet reachOf(const Cells& cells, Color color) {
    SquareSet reach = 0;
    for (int i = 0; i < 64; ++i) {
        if (cell::isColor(cells[i], color)) {
            reach |= ruleTargets(cells, i);
        }
    }
    return reach;
}

}  // namespace

double BoardRaterBoardDominance::rate(const RatedPosition& position, Color color) const {
    const Cells& cells = position.cells();
    double sum = 0.0;
    forEachSquare(position.pieces(Color::white) | position.pieces(Color::black), [&](int i) {
        const double count = static_cast<double>(std::popcount(position.targets(i)));
        sum += cell::color(cells[i]) == color ? count : -count;
    });
    return weighting() * sum;
}

double BoardRaterCenterDominance::rate(const RatedPosition& position, Color color) const {
    const Cells& cells = position.cells();
    double sum = 0.0;
    // The additions keep the order of the square-by-square walk so that rounding stays the same.
    forEachSquare(position.pieces(Color::white) | position.pieces(Color::black), [&](int i) {
        const bool own = cell::color(cells[i]) == color;
        forEachSquare(position.targets(i) | squareBit(i), [&](int target) {
            const double v = centreValue(target);
            sum += own ? v : -v;
        });
    });
    return weighting() * sum;
}

double BoardRaterKingSurroundingPossession::rate(const RatedPosition& position, Color color) const {
    const Color opponent = opposite(color);
    const Surroundings own = kingSurroundings(requiredKing(position.cells(), color));
    const Surroundings opp = kingSurroundings(requiredKing(position.cells(), opponent));

    Cells withoutKings = position.cells();
    withoutKings[requiredKing(withoutKings, Color::white)] = 0;
    withoutKings[requiredKing(withoutKings, Color::black)] = 0;

    // Worked out on first need: most positions have an empty square next to a king.
    bool reachReady = false;
    SquareSet ownReach = 0;
    SquareSet oppReach = 0;
    double sum = 3.0 * static_cast<double>(8 - own.count);
    for (const Surroundings* around : {&own, &opp}) {
        for (int k = 0; k < around->count; ++k) {
            const int q = around->squares[k];
            const std::uint8_t c = withoutKings[q];
            if (c != 0) {
                sum += cell::color(c) == color ? 1.0 : -1.0;
                continue;
            }
            if (!reachReady) {
                ownReach = reachOf(withoutKings, color);
                oppReach = reachOf(withoutKings, opponent);
                reachReady = true;
            }
            if ((ownReach & squareBit(q)) != 0) {
                sum += 1.0;
            } else if ((oppReach & squareBit(q)) != 0) {
                sum -= 1.0;
            }
        }
    }
    return weighting() * sum;
}

}  // namespace zarvik
