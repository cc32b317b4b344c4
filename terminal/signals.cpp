#include "terminal/signals.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <initializer_list>

namespace zarvik::terminal {
namespace {

int pipeEnds[2] = {-1, -1};
termios savedModes{};
volatile sig_atomic_t modesSaved = 0;

// Leaves the alternate screen, turns mouse reports off, shows the cursor, resets colours.
constexpr char kRestore[] = "\x1b[?1006l\x1b[?1000l\x1b[0m\x1b[?25h\x1b[?1049l\r\n";

void forward(int number) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t n = ::write(pipeEnds[1], &byte, 1);
    errno = saved;
}

void crashed(int number) {
    if (modesSaved != 0) {
        tcsetattr(STDIN_FILENO, TCSANOW, &savedModes);
    }
    [[maybe_unused]] const ssize_t n = ::write(STDOUT_FILENO, kRestore, sizeof kRestore - 1);
    std::signal(number, SIG_DFL);
    std::raise(number);
}

void install(int number, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(number, &action, nullptr);
}

}  // namespace

int installSignalPipe() {
    if (pipeEnds[0] < 0) {
        if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) {
            return -1;
        }
    }
    for (int number : {SIGWINCH, SIGINT, SIGTERM, SIGHUP, SIGTSTP, SIGCONT, SIGQUIT}) {
        install(number, &forward);
    }
    for (int number : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) {
        install(number, &crashed);
    }
    // A write to a terminal that went away must not kill the process before it has tidied up.
    std::signal(SIGPIPE, SIG_IGN);
    return pipeEnds[0];
}

int takeSignal() {
    unsigned char byte = 0;
    return ::read(pipeEnds[0], &byte, 1) == 1 ? byte : 0;
}

void rememberTerminalModes() {
    if (tcgetattr(STDIN_FILENO, &savedModes) == 0) {
        modesSaved = 1;
    }
}

}  // namespace zarvik::terminal
