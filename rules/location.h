#pragma once
// Square addressing: index = x + 8 * y, x the file (0 = a), y the rank minus one (0 = rank 1).
#include <array>
#include <cstdint>
#include <optional>

namespace zarvik {

// The 64 squares by name; a case's value equals the index of its square.
enum class GridPosition : std::int64_t {
    // clang-format off
    a1, b1, c1, d1, e1, f1, g1, h1,
    a2, b2, c2, d2, e2, f2, g2, h2,
    a3, b3, c3, d3, e3, f3, g3, h3,
    a4, b4, c4, d4, e4, f4, g4, h4,
    a5, b5, c5, d5, e5, f5, g5, h5,
    a6, b6, c6, d6, e6, f6, g6, h6,
    a7, b7, c7, d7, e7, f7, g7, h7,
    a8, b8, c8, d8, e8, f8, g8, h8,
    // clang-format on
};

// One square of the board. Any index can be held; only 0...63 name a square (`isOnBoard`), and every
// board operation treats an index outside that range as an empty square that cannot be reached.
struct BoardLocation {
    std::int64_t index = 0;

    constexpr BoardLocation() = default;
    constexpr explicit BoardLocation(std::int64_t squareIndex) : index(squareIndex) {}
    constexpr BoardLocation(std::int64_t x, std::int64_t y) : index(x + 8 * y) {}
    constexpr BoardLocation(GridPosition position) : index(static_cast<std::int64_t>(position)) {}  // NOLINT

    constexpr std::int64_t x() const { return index % 8; }
    constexpr std::int64_t y() const { return index / 8; }
    constexpr bool isOnBoard() const { return index >= 0 && index < 64; }

    constexpr std::optional<GridPosition> gridPosition() const {
        if (!isOnBoard()) {
            return std::nullopt;
        }
        return static_cast<GridPosition>(index);
    }

    // The 64 locations 0...63 in ascending order, built once.
    static const std::array<BoardLocation, 64>& allLocations();

    friend constexpr bool operator==(BoardLocation, BoardLocation) = default;
    friend constexpr auto operator<=>(BoardLocation, BoardLocation) = default;
};

// One step of a movement rule, in files and ranks.
struct BoardStride {
    std::int64_t x = 0;
    std::int64_t y = 0;

    friend constexpr bool operator==(BoardStride, BoardStride) = default;
};

}  // namespace zarvik
