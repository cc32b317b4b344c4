#include "rules/lastmove.h"

namespace zarvik {

std::string LastMove::plainMoveText() const {
    const std::string from = squareName(fromLocation);
    const std::string to = squareName(toLocation);
    if (from.empty() || to.empty()) {
        return {};
    }
    return from + "-" + to;
}

LastMove& lastMove() {
    static LastMove record;
    return record;
}

std::atomic<bool>& gameRunning() {
    static std::atomic<bool> running{true};
    return running;
}

std::string squareName(std::int64_t index) {
    if (index < 0 || index > 63) {
        return {};
    }
    return {static_cast<char>('A' + index % 8), static_cast<char>('1' + index / 8)};
}

char germanLetter(PieceType type, Color color) {
    static constexpr char kWhite[] = {'B', 'T', 'S', 'L', 'D', 'K'};
    if (!pieceTypeFromRawValue(rawValue(type))) {
        return '?';
    }
    const char letter = kWhite[static_cast<int>(type)];
    return color == Color::white ? letter : static_cast<char>(letter - 'A' + 'a');
}

}  // namespace zarvik
