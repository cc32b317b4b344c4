#include "toolkit/screen/palette.h"

#include <algorithm>
#include <array>

#include "toolkit/host.h"

namespace zarvik {

namespace {

constexpr std::array<std::array<int, 3>, 16> kPalette{{{0, 0, 0},
                                                       {255, 0, 0},
                                                       {0, 0, 128},
                                                       {255, 0, 255},
                                                       {0, 128, 0},
                                                       {84, 84, 84},
                                                       {0, 0, 255},
                                                       {0, 128, 255},
                                                       {128, 64, 0},
                                                       {255, 128, 0},
                                                       {168, 168, 168},
                                                       {255, 128, 128},
                                                       {0, 255, 0},
                                                       {255, 255, 0},
                                                       {0, 255, 255},
                                                       {255, 255, 255}}};

int distance(int index, int r, int g, int b) {
    const int dr = r - kPalette[index][0];
    const int dg = g - kPalette[index][1];
    const int db = b - kPalette[index][2];
    return dr * dr + dg * dg + db * db;
}

}  // namespace

t_RGBColor t_PaletteColor(int index) {
    if (index < 0 || index >= 16) {
        return {};
    }
    const auto& e = kPalette[index];
    return {255, std::uint8_t(e[0]), std::uint8_t(e[1]), std::uint8_t(e[2])};
}

int t_PaletteIndex(int red, int green, int blue) {
    if (red == green && green == blue) {
        const int sum = red + green + blue;
        return sum <= 191 ? 0 : sum <= 383 ? 5 : sum <= 575 ? 10 : 15;
    }
    int best = 0;
    int bestDistance = std::min(distance(0, red, green, blue), 65535);
    for (int i = 1; i < 16; ++i) {
        const int d = distance(i, red, green, blue);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

void t_Color(std::uint8_t window, int color) {
    if (t_Window* w = t_CheckWindow("t_Color", window, t_Check::Initialized)) {
        w->TextColor = std::uint8_t(((color * 16) & 0xFF) | (w->TextColor & 15));
        w->RGBColor = t_PaletteColor(color & 15);
    }
}

void t_ColorBorder(std::uint8_t window, int color) {
    t_Window* w = t_CheckWindow("t_ColorBorder", window, t_Check::Initialized);
    if (w == nullptr) {
        return;
    }
    const t_RGBColor c = t_PaletteColor(color & 15);
    w->RGBColorBorder = c;
    const HostColor background{c.Red / 255.0, c.Green / 255.0, c.Blue / 255.0, 1.0};
    onMainThread([&] { host().setBackgroundColor(window, background); });
}

}  // namespace zarvik
