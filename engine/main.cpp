// zarvik-uci: the computer player as an engine for other chess programs. Protocol on standard input
// and output; the player's own log lines go to standard error.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <string>

#include "engine/uci.h"

namespace {

// Longer lines are dropped whole; a game's move list stays far below this.
constexpr std::size_t kLineLimit = 1 << 20;

enum class Read { line, tooLong, end };

Read readLine(std::FILE* in, std::string& line) {
    line.clear();
    bool tooLong = false;
    for (int c = std::getc(in); c != EOF; c = std::getc(in)) {
        if (c == '\n') {
            return tooLong ? Read::tooLong : Read::line;
        }
        if (line.size() < kLineLimit) {
            line.push_back(static_cast<char>(c));
        } else {
            tooLong = true;
        }
    }
    if (tooLong) {
        return Read::tooLong;
    }
    return line.empty() ? Read::end : Read::line;
}

}  // namespace

int main() {
    // A program that goes away while an answer is being written ends the engine through end of input.
    std::signal(SIGPIPE, SIG_IGN);
    const int protocolFd = dup(STDOUT_FILENO);
    std::FILE* protocol = protocolFd < 0 ? nullptr : fdopen(protocolFd, "w");
    if (protocol == nullptr || dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
        std::perror("zarvik-uci");
        return 1;
    }
    zarvik::engine::UciEngine engine([protocol](std::string_view line) {
        std::string whole(line);
        whole += '\n';
        std::fwrite(whole.data(), 1, whole.size(), protocol);
        std::fflush(protocol);
    });
    std::string line;
    for (Read read = readLine(stdin, line); read != Read::end; read = readLine(stdin, line)) {
        if (read == Read::tooLong) {
            engine.report("line longer than " + std::to_string(kLineLimit) + " bytes ignored");
        } else if (!engine.handle(line)) {
            break;
        }
    }
    engine.finish();
    return 0;
}
