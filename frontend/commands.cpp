#include "frontend/commands.h"

#include <deque>
#include <mutex>

#include "frontend/state.h"
#include "toolkit/app/events.h"

namespace zarvik::frontend {
namespace {

struct Queue {
    std::mutex mutex;
    std::deque<GameCommand> commands;
};

Queue& queue() {
    static Queue commands;
    return commands;
}

}  // namespace

void postGameCommand(GameCommand command) {
    {
        const std::lock_guard lock(queue().mutex);
        queue().commands.push_back(command);
    }
    wakeProgram();
}

GameCommand takeGameCommand() {
    const std::lock_guard lock(queue().mutex);
    if (queue().commands.empty()) {
        return GameCommand::none;
    }
    const GameCommand command = queue().commands.front();
    queue().commands.pop_front();
    return command;
}

GameCommand nextGameCommand() {
    const std::lock_guard lock(queue().mutex);
    return queue().commands.empty() ? GameCommand::none : queue().commands.front();
}

void wakeProgram() {
    t_WakeEventWaiters();
}

bool programInterrupted() {
    return gameOpened().load() || nextGameCommand() != GameCommand::none;
}

}  // namespace zarvik::frontend
