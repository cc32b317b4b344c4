#pragma once
// How strongly each evaluation term counts and how hard a move onto an attacked square is punished.
// Every number has a value for the easiest and for the hardest play and a multiplier between them;
// only the multiplier depends on the difficulty.
#include <cstdint>
#include <optional>

namespace zarvik {

enum class Difficulty : std::int64_t { easy = 0, medium = 1, hard = 2 };

// A raw value outside 0...2 gives no difficulty.
std::optional<Difficulty> difficultyFromRawValue(std::int64_t raw);

struct ConfigurationValue {
    double easyValue = 0.0;
    double difficultValue = 0.0;
    double multiplier = 0.0;  // 0.0 = easy, 1.0 = hard

    // The effective number; nothing reads the three fields separately.
    constexpr double value() const { return easyValue + (difficultValue - easyValue) * multiplier; }
};

struct AIConfiguration {
    // The built-in numbers with the multiplier of `difficulty` (easy 0.0, medium 0.5, hard 1.0).
    explicit AIConfiguration(std::optional<Difficulty> difficulty);

    std::optional<Difficulty> difficulty;
    ConfigurationValue suicideMultipler;
    ConfigurationValue boardRaterCountPiecesWeighting;
    ConfigurationValue boardRaterBoardDominanceWeighting;
    ConfigurationValue boardRaterCenterOwnershipWeighting;
    ConfigurationValue boardRaterCenterDominanceWeighting;
    ConfigurationValue boardRaterThreatenedPiecesWeighting;
    ConfigurationValue boardRaterPawnProgressionWeighting;
    ConfigurationValue boardRaterKingSurroundingPossessionWeighting;
    ConfigurationValue boardRaterCheckMateOpportunityWeighting;
    ConfigurationValue boardRaterCenterFourOccupationWeighting;

    // Configurations are told apart by their difficulty alone.
    friend bool operator==(const AIConfiguration& a, const AIConfiguration& b) {
        return a.difficulty == b.difficulty;
    }
};

}  // namespace zarvik
