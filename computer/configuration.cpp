#include "computer/configuration.h"

namespace zarvik {
namespace {

double multiplierFor(std::optional<Difficulty> difficulty) {
    if (!difficulty) {
        return 0.0;
    }
    switch (*difficulty) {
        case Difficulty::easy:
            return 0.0;
        case Difficulty::medium:
            return 0.5;
        case Difficulty::hard:
            return 1.0;
    }
    return 0.0;
}

}  // namespace

std::optional<Difficulty> difficultyFromRawValue(std::int64_t raw) {
    if (raw < 0 || raw > 2) {
        return std::nullopt;
    }
    return static_cast<Difficulty>(raw);
}

AIConfiguration::AIConfiguration(std::optional<Difficulty> chosen) : difficulty(chosen) {
    const double m = multiplierFor(chosen);
    suicideMultipler = {0.0, 0.0, m};
    boardRaterCountPiecesWeighting = {3.0, 3.0, m};
    boardRaterBoardDominanceWeighting = {0.0, 0.1, m};
    boardRaterCenterOwnershipWeighting = {0.1, 0.3, m};
    boardRaterCenterDominanceWeighting = {0.0, 0.3, m};
    boardRaterThreatenedPiecesWeighting = {0.0, 1.5, m};
    boardRaterPawnProgressionWeighting = {0.1, 1.0, m};
    boardRaterKingSurroundingPossessionWeighting = {0.0, 0.3, m};
    boardRaterCheckMateOpportunityWeighting = {0.0, 2.0, m};
    boardRaterCenterFourOccupationWeighting = {0.1, 0.3, m};
}

}  // namespace zarvik
