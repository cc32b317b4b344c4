#include "computer/aiplayer.h"
#include "computer/configuration.h"
#include "computer/dispatch.h"
#include "computer/searchplayer.h"
#include "frontend/state.h"
#include "frontend/strength.h"
#include "toolkit/app/startup.h"
#include "toolkit/host.h"

namespace zarvik::frontend {

std::shared_ptr<Player> makeComputer(Color color, int difficulty) {
    if (const std::optional<int> level = levelOfStrength(difficulty)) {
        return std::make_shared<SearchPlayer>(color, *level);
    }
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

namespace {

class HostDispatcher : public Dispatcher {
  public:
    void runOnMainThread(std::function<void()> task) override { host().postToMainThread(std::move(task)); }
    void runInBackground(std::function<void()> task) override { t_StartAsync(std::move(task)); }
};

}  // namespace

void installComputerDispatcher() {
    installDispatcher(std::make_shared<HostDispatcher>());
}

}  // namespace zarvik::frontend
