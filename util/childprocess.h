#pragma once
// A program run as a child process and spoken to in lines through two pipes, its standard error
// thrown away: how chess programs talk to an engine. Reading waits at most a given time, so a
// silent child cannot stop the caller.
#include <sys/types.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace zarvik {

class ChildProcess {
  public:
    // Runs `commandLine` through /bin/sh. None, with the reason in `error`, when no process starts
    // (a command that is not found starts a shell that ends at once).
    static std::unique_ptr<ChildProcess> start(const std::string& commandLine, std::string& error);
    // Closes the child's input, gives it two seconds to end, then kills it.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Writes the bytes as they are; false once the child has gone.
    bool write(std::string_view bytes);
    // The line and its line end.
    bool send(std::string_view line);
    // The next whole output line without its line end ("\n" or "\r\n"); none when nothing came in
    // time or the output ended.
    std::optional<std::string> readLine(std::chrono::milliseconds timeout);
    // Lines until one that starts with `prefix`; that line, or none.
    std::optional<std::string> waitFor(std::string_view prefix, std::chrono::milliseconds timeout);

    void closeInput();
    // Goes away as a reader: the child's output has no one left to take it.
    void closeOutput();
    // The exit status once the child ends within the time; -1 when it did not, or died of a signal.
    int waitForExit(std::chrono::milliseconds timeout);

  private:
    ChildProcess(pid_t pid, int in, int out) : pid_(pid), in_(in), out_(out) {}

    pid_t pid_;
    int in_;   // the child's standard input
    int out_;  // its standard output
    bool exited_ = false;
    int exitStatus_ = -1;
    std::string buffer_;
};

}  // namespace zarvik
