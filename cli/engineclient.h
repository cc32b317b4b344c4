#pragma once
// A chess engine run as a child process for a match: started with its protocol's handshake and
// options, then asked for one move at a time. One class per protocol, each answering `bestMove`.
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "rules/color.h"
#include "util/childprocess.h"

namespace zarvik::cli {

// The two protocols chess programs speak to engines: UCI, and the older one of the chess
// interfaces of the Unix desktop (CECP).
enum class Protocol { uci, cecp };

// A player: a command line, its protocol and the options to set, with the name the games give it.
struct EngineSpec {
    std::string name;
    std::string commandLine;
    std::vector<std::pair<std::string, std::string>> options;
    Protocol protocol = Protocol::uci;
};

struct TimeControl {
    std::optional<std::chrono::milliseconds> movetime;
    std::chrono::milliseconds base{0};
    std::chrono::milliseconds increment{0};
};

// What an engine is asked: the game so far and the clocks.
struct MoveRequest {
    std::string fen;                 // empty: the starting position
    std::vector<std::string> moves;  // long algebraic, since the start
    Color toMove = Color::white;
    TimeControl control;
    std::chrono::milliseconds clock[2]{};  // white's and black's time left, without movetime
};

class EngineClient {
  public:
    // Starts the engine of `spec` ready for a new game. None, with the reason in `error`, when it
    // cannot be started or does not answer its protocol.
    static std::unique_ptr<EngineClient> launch(const EngineSpec& spec, std::string& error);
    virtual ~EngineClient() = default;
    EngineClient(const EngineClient&) = delete;
    EngineClient& operator=(const EngineClient&) = delete;

    // The engine's move in long algebraic form ("e7e8q"), "resign" when it gives up, none when it
    // did not answer within `allowed`.
    virtual std::optional<std::string> bestMove(const MoveRequest& request,
                                                std::chrono::milliseconds allowed) = 0;

  protected:
    explicit EngineClient(std::unique_ptr<ChildProcess> process) : process_(std::move(process)) {}
    ChildProcess& process() { return *process_; }

  private:
    std::unique_ptr<ChildProcess> process_;
};

// How long an engine may take to answer its protocol's handshake.
inline constexpr std::chrono::seconds kEngineStartTimeout(10);

}  // namespace zarvik::cli
