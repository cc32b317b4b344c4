#pragma once
// Colours and piece kinds of the chess rules model. Everything in rules/ lives in namespace zarvik.
#include <cstdint>
#include <optional>
#include <string_view>

namespace zarvik {

enum class Color : std::uint8_t { white, black };

enum class PieceType : std::uint8_t { pawn = 0, rook = 1, knight = 2, bishop = 3, queen = 4, king = 5 };

enum class CastleSide : std::uint8_t { kingSide, queenSide };

constexpr Color opposite(Color color) {
    return color == Color::white ? Color::black : Color::white;
}

// "White" / "Black": the colour's raw value, as stored in saved data.
constexpr std::string_view rawValue(Color color) {
    return color == Color::white ? "White" : "Black";
}

// "white" / "black": how a colour prints in messages.
constexpr std::string_view name(Color color) {
    return color == Color::white ? "white" : "black";
}

std::optional<Color> colorFromRawValue(std::string_view raw);

// A raw value outside 0...5 gives no type.
constexpr std::optional<PieceType> pieceTypeFromRawValue(std::int64_t raw) {
    if (raw < 0 || raw > 5) {
        return std::nullopt;
    }
    return static_cast<PieceType>(raw);
}

constexpr std::int64_t rawValue(PieceType type) {
    return static_cast<std::int64_t>(type);
}

}  // namespace zarvik
