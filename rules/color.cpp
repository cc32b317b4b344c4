#include "rules/color.h"

namespace zarvik {

std::optional<Color> colorFromRawValue(std::string_view raw) {
    if (raw == rawValue(Color::white)) {
        return Color::white;
    }
    if (raw == rawValue(Color::black)) {
        return Color::black;
    }
    return std::nullopt;
}

}  // namespace zarvik
