#include "util/childprocess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

namespace zarvik {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

milliseconds leftUntil(Clock::time_point deadline) {
    return std::max(std::chrono::duration_cast<milliseconds>(deadline - Clock::now()), milliseconds(0));
}

}  // namespace

std::unique_ptr<ChildProcess> ChildProcess::start(const std::string& commandLine, std::string& error) {
    // A child that dies must not end the caller through a write on its pipe.
    std::signal(SIGPIPE, SIG_IGN);
    int toChild[2];
    int fromChild[2];
    if (pipe2(toChild, O_CLOEXEC) != 0) {
        error = "no pipe";
        return nullptr;
    }
    if (pipe2(fromChild, O_CLOEXEC) != 0) {
        close(toChild[0]);
        close(toChild[1]);
        error = "no pipe";
        return nullptr;
    }
    const pid_t pid = fork();
    if (pid < 0) {
        for (const int fd : {toChild[0], toChild[1], fromChild[0], fromChild[1]}) {
            close(fd);
        }
        error = "cannot start a process";
        return nullptr;
    }
    if (pid == 0) {
        dup2(toChild[0], STDIN_FILENO);
        dup2(fromChild[1], STDOUT_FILENO);
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, STDERR_FILENO);
        }
        execl("/bin/sh", "sh", "-c", commandLine.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(toChild[0]);
    close(fromChild[1]);
    return std::unique_ptr<ChildProcess>(new ChildProcess(pid, toChild[1], fromChild[0]));
}

ChildProcess::~ChildProcess() {
    closeInput();
    if (waitForExit(std::chrono::seconds(2)) < 0 && !exited_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    closeOutput();
}

bool ChildProcess::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(in_, bytes.data(), bytes.size());
        if (n <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool ChildProcess::send(std::string_view line) {
    return write(std::string(line) + "\n");
}

std::optional<std::string> ChildProcess::readLine(milliseconds timeout) {
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
        const milliseconds left = leftUntil(deadline);
        if (left.count() == 0 || out_ < 0) {
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

std::optional<std::string> ChildProcess::waitFor(std::string_view prefix, milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (std::optional<std::string> line = readLine(leftUntil(deadline))) {
        if (line->starts_with(prefix)) {
            return line;
        }
    }
    return std::nullopt;
}

void ChildProcess::closeInput() {
    if (in_ >= 0) {
        close(in_);
        in_ = -1;
    }
}

void ChildProcess::closeOutput() {
    if (out_ >= 0) {
        close(out_);
        out_ = -1;
    }
}

int ChildProcess::waitForExit(milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (!exited_) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            exited_ = true;
            exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        } else if (Clock::now() >= deadline) {
            return -1;
        } else {
            usleep(2000);
        }
    }
    return exitStatus_;
}

}  // namespace zarvik
