#pragma once
// An engine spoken to over UCI: "position" and "go" for each move, "bestmove" as the answer.
#include "cli/engineclient.h"

namespace zarvik::cli {

class UciClient : public EngineClient {
  public:
    // Says "uci", sets the options and waits for readiness and a new game.
    static std::unique_ptr<EngineClient> launch(std::unique_ptr<ChildProcess> process, const EngineSpec& spec,
                                                std::string& error);
    ~UciClient() override;

    std::optional<std::string> bestMove(const MoveRequest& request,
                                        std::chrono::milliseconds allowed) override;

  private:
    using EngineClient::EngineClient;
};

}  // namespace zarvik::cli
