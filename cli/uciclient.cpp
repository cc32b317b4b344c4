#include "cli/uciclient.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

namespace zarvik::cli {
namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::seconds kStartTimeout(10);

}  // namespace

std::unique_ptr<UciClient> UciClient::launch(const std::string& commandLine,
                                             const std::vector<std::pair<std::string, std::string>>& options,
                                             std::string& error) {
    // An engine that dies must not end the match through a write on its pipe.
    std::signal(SIGPIPE, SIG_IGN);
    int toEngine[2];
    int fromEngine[2];
    if (pipe2(toEngine, O_CLOEXEC) != 0) {
        error = "no pipe";
        return nullptr;
    }
    if (pipe2(fromEngine, O_CLOEXEC) != 0) {
        close(toEngine[0]);
        close(toEngine[1]);
        error = "no pipe";
        return nullptr;
    }
    const pid_t pid = fork();
    if (pid < 0) {
        error = "cannot start a process";
        return nullptr;
    }
    if (pid == 0) {
        dup2(toEngine[0], STDIN_FILENO);
        dup2(fromEngine[1], STDOUT_FILENO);
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, STDERR_FILENO);
        }
        execl("/bin/sh", "sh", "-c", commandLine.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(toEngine[0]);
    close(fromEngine[1]);
    std::unique_ptr<UciClient> client(new UciClient(pid, toEngine[1], fromEngine[0]));
    client->send("uci");
    if (!client->waitFor("uciok", kStartTimeout)) {
        error = "\"" + commandLine + "\" does not answer uci";
        return nullptr;
    }
    for (const auto& [name, value] : options) {
        client->send("setoption name " + name + " value " + value);
    }
    client->send("isready");
    if (!client->waitFor("readyok", kStartTimeout)) {
        error = "\"" + commandLine + "\" does not answer isready";
        return nullptr;
    }
    return client;
}

UciClient::~UciClient() {
    send("quit");
    close(in_);
    const auto deadline = Clock::now() + std::chrono::seconds(2);
    int status = 0;
    while (waitpid(pid_, &status, WNOHANG) == 0) {
        if (Clock::now() > deadline) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
            break;
        }
        usleep(5000);
    }
    close(out_);
}

bool UciClient::send(std::string_view line) {
    std::string whole(line);
    whole += '\n';
    std::size_t written = 0;
    while (written < whole.size()) {
        const ssize_t n = write(in_, whole.data() + written, whole.size() - written);
        if (n <= 0) {
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

std::optional<std::string> UciClient::readLine(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        const std::size_t end = buffer_.find('\n');
        if (end != std::string::npos) {
            std::string line = buffer_.substr(0, end);
            buffer_.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return std::nullopt;
        }
        pollfd p{out_, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left.count())) <= 0) {
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

std::optional<std::string> UciClient::waitFor(std::string_view prefix, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        const std::optional<std::string> line = readLine(std::max(left, std::chrono::milliseconds(0)));
        if (!line) {
            return std::nullopt;
        }
        if (line->starts_with(prefix)) {
            return line;
        }
    }
}

bool UciClient::newGame() {
    send("ucinewgame");
    send("isready");
    return waitFor("readyok", kStartTimeout).has_value();
}

}  // namespace zarvik::cli
