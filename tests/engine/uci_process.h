#pragma once
// zarvik-uci as a chess program runs it: a child process spoken to through two pipes, its standard
// error thrown away. Reading waits at most a given time, so a hanging engine fails a test instead
// of stopping it.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarvik::test {

class UciProcess {
  public:
    explicit UciProcess(const std::string& path = ZARVIK_UCI) {
        signal(SIGPIPE, SIG_IGN);
        int toChild[2];
        int fromChild[2];
        if (pipe2(toChild, O_CLOEXEC) != 0 || pipe2(fromChild, O_CLOEXEC) != 0) {
            return;
        }
        pid_ = fork();
        if (pid_ == 0) {
            dup2(toChild[0], STDIN_FILENO);
            dup2(fromChild[1], STDOUT_FILENO);
            const int devNull = open("/dev/null", O_WRONLY);
            dup2(devNull, STDERR_FILENO);
            execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(toChild[0]);
        close(fromChild[1]);
        in_ = toChild[1];
        out_ = fromChild[0];
    }
    ~UciProcess() {
        closeInput();
        if (out_ >= 0) {
            close(out_);
        }
        if (pid_ > 0 && !exited_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    UciProcess(const UciProcess&) = delete;
    UciProcess& operator=(const UciProcess&) = delete;

    // Writes the bytes as they are (add the line end yourself with `send`).
    bool write(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t n = ::write(in_, bytes.data(), bytes.size());
            if (n <= 0) {
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
        return true;
    }
    bool send(std::string_view line) { return write(std::string(line) + "\n"); }

    // The next whole output line without its line end; none when nothing came in time or the
    // output ended.
    std::optional<std::string> readLine(std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            const std::size_t end = buffer_.find('\n');
            if (end != std::string::npos) {
                std::string line = buffer_.substr(0, end);
                buffer_.erase(0, end + 1);
                return line;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) {
                return std::nullopt;
            }
            pollfd ready{out_, POLLIN, 0};
            if (poll(&ready, 1, static_cast<int>(left.count())) <= 0) {
                continue;
            }
            char chunk[4096];
            const ssize_t n = read(out_, chunk, sizeof chunk);
            if (n <= 0) {
                return std::nullopt;
            }
            buffer_.append(chunk, static_cast<std::size_t>(n));
        }
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
        if (in_ >= 0) {
            close(in_);
            in_ = -1;
        }
    }

    // Goes away as a reader: the engine's output has no one left to take it.
    void closeOutput() {
        if (out_ >= 0) {
            close(out_);
            out_ = -1;
        }
    }

    // The exit status once the process ends within the time; -1 when it did not or crashed.
    int waitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                exited_ = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            usleep(2000);
        }
        return -1;
    }

  private:
    pid_t pid_ = -1;
    int in_ = -1;
    int out_ = -1;
    bool exited_ = false;
    std::string buffer_;
};

}  // namespace zarvik::test
