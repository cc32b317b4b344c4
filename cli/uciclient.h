#pragma once
// A chess engine run as a child process and spoken to over UCI through pipes: start-up handshake,
// options, whole lines with a timeout. Used by the match command for every player, built-in or not.
#include <sys/types.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zarvik::cli {

class UciClient {
  public:
    // Starts `commandLine` through the shell, says "uci", sets the options and waits for readiness.
    // None (with a reason in `error`) when the program cannot be started or does not answer.
    static std::unique_ptr<UciClient> launch(const std::string& commandLine,
                                             const std::vector<std::pair<std::string, std::string>>& options,
                                             std::string& error);
    ~UciClient();
    UciClient(const UciClient&) = delete;
    UciClient& operator=(const UciClient&) = delete;

    bool send(std::string_view line);
    // The next line, or none when the engine ended or stayed silent for `timeout`.
    std::optional<std::string> readLine(std::chrono::milliseconds timeout);
    // Lines until one that starts with `prefix`; that line, or none.
    std::optional<std::string> waitFor(std::string_view prefix, std::chrono::milliseconds timeout);
    // "ucinewgame" and the wait for "readyok".
    bool newGame();

  private:
    UciClient(pid_t pid, int in, int out) : pid_(pid), in_(in), out_(out) {}

    pid_t pid_;
    int in_;   // the engine's standard input
    int out_;  // its standard output
    std::string buffer_;
};

}  // namespace zarvik::cli
