#include "cli/uciclient.h"

#include <sstream>

namespace zarvik::cli {

std::unique_ptr<EngineClient> UciClient::launch(std::unique_ptr<ChildProcess> process, const EngineSpec& spec,
                                                std::string& error) {
    std::unique_ptr<UciClient> client(new UciClient(std::move(process)));
    ChildProcess& engine = client->process();
    engine.send("uci");
    if (!engine.waitFor("uciok", kEngineStartTimeout)) {
        error = "\"" + spec.commandLine + "\" does not answer uci";
        return nullptr;
    }
    for (const auto& [name, value] : spec.options) {
        engine.send("setoption name " + name + " value " + value);
    }
    engine.send("ucinewgame");
    engine.send("isready");
    if (!engine.waitFor("readyok", kEngineStartTimeout)) {
        error = "\"" + spec.commandLine + "\" does not answer isready";
        return nullptr;
    }
    return client;
}

UciClient::~UciClient() {
    process().send("quit");
}

std::optional<std::string> UciClient::bestMove(const MoveRequest& request,
                                               std::chrono::milliseconds allowed) {
    std::string position = request.fen.empty() ? "position startpos" : "position fen " + request.fen;
    if (!request.moves.empty()) {
        position += " moves";
        for (const std::string& move : request.moves) {
            position += " " + move;
        }
    }
    const TimeControl& control = request.control;
    const std::string go = control.movetime ? "go movetime " + std::to_string(control.movetime->count())
                                            : "go wtime " + std::to_string(request.clock[0].count()) +
                                                  " btime " + std::to_string(request.clock[1].count()) +
                                                  " winc " + std::to_string(control.increment.count()) +
                                                  " binc " + std::to_string(control.increment.count());
    process().send(position);
    process().send(go);
    const std::optional<std::string> answer = process().waitFor("bestmove", allowed);
    if (!answer) {
        return std::nullopt;
    }
    std::istringstream words(*answer);
    std::string keyword;
    std::string move;
    words >> keyword >> move;
    return move;
}

}  // namespace zarvik::cli
