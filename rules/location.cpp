#include "rules/location.h"

namespace zarvik {

const std::array<BoardLocation, 64>& BoardLocation::allLocations() {
    static const std::array<BoardLocation, 64> all = [] {
        std::array<BoardLocation, 64> locations;
        for (int i = 0; i < 64; ++i) {
            locations[i] = BoardLocation(i);
        }
        return locations;
    }();
    return all;
}

}  // namespace zarvik
