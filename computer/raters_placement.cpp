// The terms that look only at where pieces stand: material, centre placement, the four centre squares
// and pawn advance.
#include "computer/boardrater.h"
#include "util/log.h"

namespace zarvik {

double BoardRater::rate(const RatedPosition&, Color) const {
    fatal("Override ratingFor method in subclasses");
}

double BoardRaterCountPieces::rate(const RatedPosition& position, Color color) const {
    const Cells& cells = position.cells();
    double sum = 0.0;
    forEachSquare(position.pieces(Color::white) | position.pieces(Color::black), [&](int i) {
        const double v = pieceValue(cell::type(cells[i]));
        sum += cell::color(cells[i]) == color ? v : -v;
    });
    return weighting() * sum;
}

double BoardRaterCenterOwnership::rate(const RatedPosition& position, Color color) const {
    const Cells& cells = position.cells();
    double sum = 0.0;
    forEachSquare(position.pieces(Color::white) | position.pieces(Color::black), [&](int i) {
        const double v = centreValue(i);
        sum += cell::color(cells[i]) == color ? v : -v;
    });
    return weighting() * sum;
}

double BoardRaterCenterFourOccupation::rate(const RatedPosition& position, Color color) const {
    constexpr int kCentre[] = {36, 28, 27, 35};  // e5, e4, d4, d5
    double sum = 0.0;
    for (const int square : kCentre) {
        const std::uint8_t c = position.cells()[square];
        if (c != 0) {
            sum += cell::color(c) == color ? 1.0 : -1.0;
        }
    }
    return weighting() * sum;
}

double BoardRaterPawnProgression::rate(const RatedPosition& position, Color color) const {
    const Cells& cells = position.cells();
    const double w = weighting();
    double sum = 0.0;
    forEachSquare(position.pieces(Color::white) | position.pieces(Color::black), [&](int i) {
        const std::uint8_t c = cells[i];
        if (!cell::is(c, PieceType::pawn)) {
            return;
        }
        const int y = i / 8;
        double contribution = 0.0;
        if (cell::color(c) == Color::white) {
            contribution = i >= 16 ? w * static_cast<double>(y - 2) : 0.0;
        } else {
            contribution = i < 48 ? w * static_cast<double>(5 - y) : 0.0;
        }
        sum += cell::color(c) == color ? contribution : -contribution;
    });
    return sum;
}

}  // namespace zarvik
