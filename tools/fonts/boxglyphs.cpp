#include "boxglyphs.h"

#include <algorithm>
#include <cmath>

namespace zarvik::fontgen {

void Cell::fill(int x0, int y0, int x1, int y1, std::uint8_t value) {
    for (int y = std::max(0, y0); y < std::min(height, y1); ++y) {
        for (int x = std::max(0, x0); x < std::min(width, x1); ++x) {
            pixels[std::size_t(y) * width + x] = value;
        }
    }
}

namespace {

enum class Weight { None, Thin, Thick, Double };

struct Arms {
    Weight left = Weight::None, right = Weight::None, up = Weight::None, down = Weight::None;
};

int thin(const Cell& c) {
    return std::max(1, c.width / 8);
}

// Arms from the centre to the edges; the centre square is filled where arms meet.
void drawArms(Cell& c, Arms arms) {
    const int t = thin(c);
    const auto size = [&](Weight w) { return w == Weight::Thick ? 2 * t : t; };
    const int cx = c.width / 2;
    const int cy = c.height / 2;
    const auto horizontal = [&](Weight w, int x0, int x1) {
        if (w == Weight::None) {
            return;
        }
        if (w == Weight::Double) {
            c.fill(x0, cy - 2 * t, x1, cy - t);
            c.fill(x0, cy + t, x1, cy + 2 * t);
            return;
        }
        const int s = size(w);
        c.fill(x0, cy - s / 2, x1, cy - s / 2 + s);
    };
    const auto vertical = [&](Weight w, int y0, int y1) {
        if (w == Weight::None) {
            return;
        }
        if (w == Weight::Double) {
            c.fill(cx - 2 * t, y0, cx - t, y1);
            c.fill(cx + t, y0, cx + 2 * t, y1);
            return;
        }
        const int s = size(w);
        c.fill(cx - s / 2, y0, cx - s / 2 + s, y1);
    };
    // Arms reach over the stroke that crosses them, so corners and junctions close.
    const auto span = [&](Weight a, Weight b) {
        const auto one = [&](Weight w) {
            return w == Weight::None ? 0 : w == Weight::Double ? 4 * t : size(w);
        };
        return std::max(one(a), one(b));
    };
    const int vw = span(arms.up, arms.down);
    const int hw = span(arms.left, arms.right);
    horizontal(arms.left, 0, cx - vw / 2 + vw);
    horizontal(arms.right, cx - vw / 2, c.width);
    vertical(arms.up, 0, cy - hw / 2 + hw);
    vertical(arms.down, cy - hw / 2, c.height);
}

void triangle(Cell& c, bool pointsLeft) {
    const int margin = c.width / 8;
    const int x0 = margin;
    const int x1 = c.width - margin;
    const double cy = c.height / 2.0;
    const double half = (x1 - x0) / 2.0 + 1;
    for (int y = 0; y < c.height; ++y) {
        for (int x = x0; x < x1; ++x) {
            const double along = pointsLeft ? x - x0 + 0.5 : x1 - x - 0.5;
            const double reach = half * along / (x1 - x0);
            if (std::abs(y + 0.5 - cy) <= reach) {
                c.fill(x, y, x + 1, y + 1);
            }
        }
    }
}

void disc(Cell& c, double radius, bool ring) {
    const double cx = c.width / 2.0;
    const double cy = c.height / 2.0;
    const double inner = radius - thin(c);
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            if (d <= radius && (!ring || d >= inner)) {
                c.fill(x, y, x + 1, y + 1);
            }
        }
    }
}

}  // namespace

bool drawBoxGlyph(int code, Cell& c) {
    using W = Weight;
    const int t = thin(c);
    switch (code) {
        case 127:  // shade
            for (int y = 0; y < c.height; ++y) {
                for (int x = (y / t) % 2 * t; x < c.width; x += 2 * t) {
                    c.fill(x, y, x + t, y + 1);
                }
            }
            return true;
        case 128:  // bullet
            disc(c, c.width * 0.3, false);
            return true;
        case 129:  // full block
            c.fill(0, 0, c.width, c.height);
            return true;
        case 130:
            triangle(c, true);
            return true;
        case 131:
            drawArms(c, {W::Double, W::Double, W::None, W::None});
            return true;
        case 132:
            triangle(c, false);
            return true;
        case 133:
            disc(c, c.width * 0.4, true);
            return true;
        case 134:
            drawArms(c, {W::None, W::Thin, W::None, W::Thin});
            return true;
        case 135:
            drawArms(c, {W::Thin, W::None, W::None, W::Thin});
            return true;
        case 136:
            drawArms(c, {W::None, W::Thin, W::Thin, W::None});
            return true;
        case 137:
            drawArms(c, {W::Thin, W::None, W::Thin, W::None});
            return true;
        case 138:
            drawArms(c, {W::None, W::None, W::Thin, W::Thin});
            return true;
        case 139:
            drawArms(c, {W::None, W::None, W::Thick, W::Thick});
            return true;
        case 140:
            drawArms(c, {W::Thin, W::Thin, W::None, W::None});
            return true;
        case 141:
            drawArms(c, {W::Thick, W::Thick, W::None, W::None});
            return true;
        case 142:
            drawArms(c, {W::None, W::Thin, W::Thin, W::Thin});
            return true;
        case 143:
            drawArms(c, {W::Thin, W::None, W::Thin, W::Thin});
            return true;
        case 144:
            drawArms(c, {W::Thin, W::Thin, W::None, W::Thin});
            return true;
        case 145:
            drawArms(c, {W::Thin, W::Thin, W::Thin, W::None});
            return true;
        case 146:
            drawArms(c, {W::Thin, W::Thin, W::Thin, W::Thin});
            return true;
        case 147:
            drawArms(c, {W::None, W::Thick, W::None, W::Thick});
            return true;
        case 148:
            drawArms(c, {W::Thick, W::None, W::None, W::Thick});
            return true;
        case 149:
            drawArms(c, {W::None, W::Thick, W::Thick, W::None});
            return true;
        case 150:
            drawArms(c, {W::Thick, W::None, W::Thick, W::None});
            return true;
        case 151:
            drawArms(c, {W::None, W::Thick, W::Thick, W::Thick});
            return true;
        case 152:
            drawArms(c, {W::Thick, W::None, W::Thick, W::Thick});
            return true;
        case 153:
            drawArms(c, {W::Thick, W::Thick, W::Thick, W::Thick});
            return true;
        case 154:  // line along the top edge
            c.fill(0, 0, c.width, t);
            return true;
        case 155:  // line along the bottom edge
            c.fill(0, c.height - t, c.width, c.height);
            return true;
        case 156:  // the rule under a header: one unbroken line through the whole cell width
            c.fill(0, c.height / 2 - t / 2, c.width, c.height / 2 - t / 2 + t);
            return true;
        case 157:
            drawArms(c, {W::None, W::None, W::Double, W::Double});
            return true;
        case 158:
            drawArms(c, {W::Double, W::Double, W::Double, W::Double});
            return true;
        case 159: {  // three bars
            const int gap = c.height / 8;
            for (int k = -1; k <= 1; ++k) {
                const int y = c.height / 2 + k * gap - t / 2;
                c.fill(c.width / 8, y, c.width - c.width / 8, y + t);
            }
            return true;
        }
        default:
            return false;
    }
}

}  // namespace zarvik::fontgen
