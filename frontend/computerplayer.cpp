#include "computer/aiplayer.h"
#include "computer/configuration.h"
#include "frontend/state.h"

namespace zarvik::frontend {

std::shared_ptr<Player> makeComputer(Color color, int difficulty) {
    return std::make_shared<AIPlayer>(color, AIConfiguration(difficultyFromRawValue(difficulty)));
}

bool startComputerMove(Player& player) {
    auto* computer = dynamic_cast<AIPlayer*>(&player);
    if (computer == nullptr) {
        return false;
    }
    computer->makeMove();
    return true;
}

bool computerAvailable() {
    return true;
}

}  // namespace zarvik::frontend
