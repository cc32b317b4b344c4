#include "terminal/colors.h"

#include <array>
#include <cstdint>

namespace zarvik::terminal {
namespace {

struct Rgb {
    int red;
    int green;
    int blue;
};

// The standard colours as most terminal emulators show them without a theme.
constexpr std::array<Rgb, 16> kStandard{{{0, 0, 0},
                                         {128, 0, 0},
                                         {0, 128, 0},
                                         {128, 128, 0},
                                         {0, 0, 128},
                                         {128, 0, 128},
                                         {0, 128, 128},
                                         {192, 192, 192},
                                         {128, 128, 128},
                                         {255, 0, 0},
                                         {0, 255, 0},
                                         {255, 255, 0},
                                         {0, 0, 255},
                                         {255, 0, 255},
                                         {0, 255, 255},
                                         {255, 255, 255}}};

// The six levels of each axis of the 256-colour cube (colours 16-231).
constexpr std::array<int, 6> kCubeLevels{0, 95, 135, 175, 215, 255};

int distance(Rgb a, Rgb b) {
    const int r = a.red - b.red;
    const int g = a.green - b.green;
    const int bl = a.blue - b.blue;
    return r * r + g * g + bl * bl;
}

int nearestStandard(Rgb c) {
    int best = 0;
    for (int i = 1; i < int(kStandard.size()); ++i) {
        if (distance(c, kStandard[std::size_t(i)]) < distance(c, kStandard[std::size_t(best)])) {
            best = i;
        }
    }
    return best;
}

int nearestLevel(int value) {
    int best = 0;
    for (int i = 1; i < int(kCubeLevels.size()); ++i) {
        const int d = value - kCubeLevels[std::size_t(i)];
        const int bestD = value - kCubeLevels[std::size_t(best)];
        if (d * d < bestD * bestD) {
            best = i;
        }
    }
    return best;
}

// The cube's nearest entry or the grey ramp's (232-255: 8, 18 ... 238), whichever is closer.
int nearest256(Rgb c) {
    const int r = nearestLevel(c.red);
    const int g = nearestLevel(c.green);
    const int b = nearestLevel(c.blue);
    const Rgb cube{kCubeLevels[std::size_t(r)], kCubeLevels[std::size_t(g)], kCubeLevels[std::size_t(b)]};
    const int average = (c.red + c.green + c.blue) / 3;
    const int step = average < 8 ? 0 : average > 238 ? 23 : (average - 8 + 5) / 10;
    const int level = 8 + 10 * step;
    const Rgb grey{level, level, level};
    return distance(c, grey) < distance(c, cube) ? 232 + step : 16 + 36 * r + 6 * g + b;
}

int brightness(t_RGBColor c) {
    return 299 * c.Red + 587 * c.Green + 114 * c.Blue;
}

}  // namespace

ColorDepth colorDepthOf(int colors) {
    if (colors >= 0x1000000) {
        return ColorDepth::Direct;
    }
    if (colors >= 256) {
        return ColorDepth::TwoFiftySix;
    }
    return colors >= 8 ? ColorDepth::Sixteen : ColorDepth::None;
}

int terminalColor(t_RGBColor color, ColorDepth depth) {
    const Rgb c{color.Red, color.Green, color.Blue};
    switch (depth) {
        case ColorDepth::Direct:
            return c.red << 16 | c.green << 8 | c.blue;
        case ColorDepth::TwoFiftySix:
            return nearest256(c);
        case ColorDepth::Sixteen:
            return nearestStandard(c);
        case ColorDepth::None:
            break;
    }
    return -1;
}

bool inverseWithoutColor(t_RGBColor foreground, t_RGBColor background) {
    return brightness(background) > brightness(foreground);
}

}  // namespace zarvik::terminal
