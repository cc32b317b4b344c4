// Used when the build has no computer player: its seats are taken by humans, so the program stays
// playable (human against human) instead of waiting for a move that never comes.
#include "frontend/human.h"
#include "frontend/state.h"

namespace zarvik::frontend {

std::shared_ptr<Player> makeComputer(Color color, int /*difficulty*/) {
    return makeHuman(color);
}

bool startComputerMove(Player& /*player*/) {
    return false;
}

void installComputerDispatcher() {}

bool computerAvailable() {
    return false;
}

}  // namespace zarvik::frontend
