#pragma once
// An engine spoken to over CECP, the protocol of the chess interfaces of the Unix desktop: the game
// set up in force mode for each move, the clocks given, "go", and "move" as the answer. The
// engine's feature list decides how moves and positions are sent.
#include "cli/engineclient.h"

namespace zarvik::cli {

class CecpClient : public EngineClient {
  public:
    // Says "xboard" and "protover 2", reads the features (an engine that offers none in time speaks
    // the first version), accepts what it uses and sets the options.
    static std::unique_ptr<EngineClient> launch(std::unique_ptr<ChildProcess> process, const EngineSpec& spec,
                                                std::string& error);
    ~CecpClient() override;

    std::optional<std::string> bestMove(const MoveRequest& request,
                                        std::chrono::milliseconds allowed) override;

  private:
    using EngineClient::EngineClient;

    bool setboard_ = false;  // takes a position as FEN
    bool usermove_ = false;  // wants "usermove" before each move
};

}  // namespace zarvik::cli
