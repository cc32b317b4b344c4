// zarvik-terminal: the game in the terminal it was started from, without a graphical display.
// `zarvik --terminal` (and `zarvik` without a display) hands over to this program, so that a
// terminal-only install needs no Qt.
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "frontend/chessmain.h"
#include "frontend/fileevents.h"
#include "frontend/quitquestion.h"
#include "terminal/help.h"
#include "terminal/terminalhost.h"
#include "toolkit/app/startup.h"
#include "util/log.h"

namespace {

constexpr const char* kUsage = "Aufruf: zarvik --terminal [--zeilen] [SPIEL.zarvik|PARTIE.pgn ...]\n";

struct Arguments {
    std::vector<std::string> documents;
    bool lines = false;
    bool valid = true;
    bool help = false;
};

Arguments parse(int argc, char** argv) {
    Arguments parsed;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (argument == "--help" || argument == "-h")) {
            parsed.help = true;
        } else if (!optionsEnded && argument == "--zeilen") {
            parsed.lines = true;
        } else if (!optionsEnded && (argument == "--terminal" || argument == "--log")) {
            // --terminal is what brought us here; the log goes to the system console window.
        } else if (!optionsEnded && argument.starts_with('-') && argument.size() > 1) {
            std::fprintf(stderr, "zarvik: unbekannte Option %s\n%s", argument.c_str(), kUsage);
            parsed.valid = false;
        } else if (!argument.empty()) {
            parsed.documents.push_back(std::filesystem::absolute(argument).lexically_normal().string());
        }
    }
    return parsed;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace zarvik;
    const Arguments arguments = parse(argc, argv);
    if (!arguments.valid) {
        return 2;
    }
    if (arguments.help) {
        std::printf("%sSchach im Terminal; --zeilen schreibt Zeile für Zeile, für Bildschirmleser.\n",
                    kUsage);
        return 0;
    }
    // The keys come from a terminal; the line mode may also write into a pipe (to a speech program).
    if (isatty(STDIN_FILENO) == 0 || (!arguments.lines && isatty(STDOUT_FILENO) == 0)) {
        std::fprintf(stderr, "zarvik: Die Terminal-Fassung braucht ein Terminal.\n%s", kUsage);
        return 2;
    }
    std::setlocale(LC_ALL, "");

    terminal::TerminalHost* running = nullptr;
    terminal::TerminalHost::Callbacks callbacks;
    callbacks.quit = [&running] {
        if (frontend::mayQuit()) {
            running->end(0);
        }
    };
    callbacks.help = [&running](t_MenuTag item) {
        running->messagePanel(item == t_MenuTag::Manual ? terminal::manualText() : terminal::aboutText());
    };
    static terminal::TerminalHost host(callbacks, arguments.lines);
    running = &host;
    setHost(&host);
    // The log would tear the screen: it lands in the system console window (F2) instead.
    setlogstream(nullptr);
    setlogsink([](std::string_view line) {
        std::string copy(line);
        host.postToMainThread([copy] { host.appendConsoleLine(copy); });
    });
    if (!host.start()) {
        std::fprintf(stderr, "zarvik: Dieses Terminal (TERM=%s) lässt sich nicht steuern.\n",
                     std::getenv("TERM") != nullptr ? std::getenv("TERM") : "");
        return 1;
    }
    t_ApplicationWillFinishLaunching();
    for (const std::string& path : arguments.documents) {
        frontend::postFileEvent(path);
    }
    int status = 1;
    if (t_ApplicationDidFinishLaunching([] { frontend::chessMain(); })) {
        status = host.run();
        t_ApplicationWillTerminate();
    } else {
        host.messagePanel(
            "Zarvik kann nicht starten: Das System gibt dem Programm keinen Thread (zu wenig Speicher).");
    }
    host.stop();
    setlogsink({});
    std::fflush(stdout);
    // The program thread may still wait for a key: end without unwinding it.
    std::_Exit(status);
}
