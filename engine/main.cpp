// zarvik-uci: the computer player as an engine for other chess programs. Protocol on standard input
// and output; the player's own log lines go to standard error.
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <string>

#include "engine/uci.h"

namespace {

// Longer lines are dropped whole; a game's move list stays far below this.
constexpr std::size_t kLineLimit = 1 << 20;

enum class Read { line, tooLong, end };

// Standard input, read in blocks while the protocol's output is watched too: once the program
// that reads the answers has gone, the engine ends, even while that program keeps its input open.
class Input {
  public:
    explicit Input(int outputFd) : outputFd_(outputFd) {}

    Read readLine(std::string& line) {
        line.clear();
        bool tooLong = false;
        for (;;) {
            if (next_ == end_ && !fill()) {
                return tooLong ? Read::tooLong : line.empty() ? Read::end : Read::line;
            }
            const char c = buffer_[next_++];
            if (c == '\n') {
                return tooLong ? Read::tooLong : Read::line;
            }
            if (line.size() < kLineLimit) {
                line.push_back(c);
            } else {
                tooLong = true;
            }
        }
    }

  private:
    // False at the end of input and when the output has no reader any more.
    bool fill() {
        for (;;) {
            pollfd watched[2] = {{STDIN_FILENO, POLLIN, 0}, {outputFd_, 0, 0}};
            if (::poll(watched, 2, -1) < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return false;
            }
            if ((watched[1].revents & (POLLERR | POLLHUP)) != 0) {
                return false;
            }
            if (watched[0].revents == 0) {
                continue;
            }
            const ssize_t got = ::read(STDIN_FILENO, buffer_, sizeof buffer_);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                return false;
            }
            next_ = 0;
            end_ = static_cast<std::size_t>(got);
            return true;
        }
    }

    int outputFd_;
    char buffer_[1 << 16];
    std::size_t next_ = 0;
    std::size_t end_ = 0;
};

}  // namespace

int main() {
    // A write to a reader that has gone fails with EPIPE instead of killing the engine mid-line.
    std::signal(SIGPIPE, SIG_IGN);
    const int protocolFd = dup(STDOUT_FILENO);
    std::FILE* protocol = protocolFd < 0 ? nullptr : fdopen(protocolFd, "w");
    if (protocol == nullptr || dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
        std::perror("zarvik-uci");
        return 1;
    }
    std::atomic<bool> outputGone{false};
    zarvik::engine::UciEngine engine([protocol, &outputGone](std::string_view line) {
        if (outputGone) {
            return;
        }
        std::string whole(line);
        whole += '\n';
        if (std::fwrite(whole.data(), 1, whole.size(), protocol) != whole.size() ||
            std::fflush(protocol) != 0) {
            outputGone = true;
        }
    });
    Input input(protocolFd);
    std::string line;
    for (Read read = input.readLine(line); read != Read::end && !outputGone; read = input.readLine(line)) {
        if (read == Read::tooLong) {
            engine.report("line longer than " + std::to_string(kLineLimit) + " bytes ignored");
        } else if (!engine.handle(line)) {
            break;
        }
    }
    engine.finish();
    return 0;
}
