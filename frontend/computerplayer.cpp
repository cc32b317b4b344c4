#include "computer/aiplayer.h"
#include "computer/configuration.h"
#include "frontend/state.h"

namespace zarvik::frontend {

std::shared_ptr<Player> makeComputer(Color color, int difficulty) {
    return std::make_shared<AIPlayer>(color, AIConfiguration(difficultyFromRawValue(difficulty)));
}

}  // namespace zarvik::frontend
