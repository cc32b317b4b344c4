#pragma once
// zarvik-uci as a chess program runs it: a child process spoken to through two pipes, its standard
// error thrown away. Reading waits at most a given time, so a hanging engine fails a test instead
// of stopping it.
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "util/childprocess.h"

namespace zarvik::test {

class UciProcess {
  public:
    explicit UciProcess(const std::string& path = ZARVIK_UCI) {
        std::string error;
        child_ = ChildProcess::start("exec '" + path + "'", error);
    }

    // Writes the bytes as they are (add the line end yourself with `send`).
    bool write(std::string_view bytes) { return child_ && child_->write(bytes); }
    bool send(std::string_view line) { return child_ && child_->send(line); }

    // The next whole output line without its line end; none when nothing came in time or the
    // output ended.
    std::optional<std::string> readLine(std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        return child_ ? child_->readLine(timeout) : std::nullopt;
    }

    // Every line up to and including the first that starts with `prefix`; empty when it did not come.
    std::vector<std::string> readUntil(std::string_view prefix,
                                       std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        std::vector<std::string> lines;
        while (const std::optional<std::string> line = readLine(timeout)) {
            lines.push_back(*line);
            if (line->starts_with(prefix)) {
                return lines;
            }
        }
        return {};
    }

    void closeInput() {
        if (child_) {
            child_->closeInput();
        }
    }
    // Goes away as a reader: the engine's output has no one left to take it.
    void closeOutput() {
        if (child_) {
            child_->closeOutput();
        }
    }
    // The exit status once the process ends within the time; -1 when it did not or crashed.
    int waitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        return child_ ? child_->waitForExit(timeout) : -1;
    }

  private:
    std::unique_ptr<ChildProcess> child_;
};

}  // namespace zarvik::test
