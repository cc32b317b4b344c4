// zarvik-cli play: runs the chess program on the headless host, types the given keys as the program
// asks for them, and when they are used up and the program waits, writes window 0's text screen and
// the game record to files.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/command.h"
#include "frontend/chessmain.h"
#include "frontend/driver.h"
#include "frontend/record.h"
#include "toolkit/headless/headlesshost.h"
#include "toolkit/startup.h"
#include "toolkit/textoutput.h"
#include "util/files.h"

namespace zarvik::cli {
namespace {

struct PlayArguments {
    std::vector<std::string> keys;  // one character (UTF-8) each
    std::string screenPath;
    std::string recordPath;
};

std::optional<PlayArguments> parse(const std::vector<std::string>& args) {
    PlayArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (i + 1 >= args.size() || (option != "--keys" && option != "--screen" && option != "--record")) {
            std::fprintf(stderr,
                         "play: unknown or incomplete option '%s' (usage: play [--keys TEXT] "
                         "[--screen FILE] [--record FILE])\n",
                         option.c_str());
            return std::nullopt;
        }
        const std::string& value = args[++i];
        if (option == "--keys") {
            parsed.keys = frontend::keysOf(value);
        } else if (option == "--screen") {
            parsed.screenPath = value;
        } else {
            parsed.recordPath = value;
        }
    }
    return parsed;
}

int run(const std::vector<std::string>& args) {
    const std::optional<PlayArguments> parsed = parse(args);
    if (!parsed) {
        return kUsageError;
    }
    static HeadlessHost headless;
    headless.install();
    startprocess(&frontend::chessMain, 1 << 30);
    frontend::typeKeys(parsed->keys);
    frontend::waitUntilQuiet();
    int status = 0;
    if (!parsed->screenPath.empty() && setstringtofile(parsed->screenPath, t_GetScreen(0, "\n")) != 0) {
        status = 1;
    }
    if (!parsed->recordPath.empty() &&
        setstringtofile(parsed->recordPath, frontend::gameRecordSnapshot().text) != 0) {
        status = 1;
    }
    std::fflush(stdout);
    // The program thread still waits for a key; end the process without unwinding it.
    std::_Exit(status);
}

const CommandRegistration reg{Command{"play", "[--keys TEXT] [--screen FILE] [--record FILE]",
                                      "plays the chess program with typed keys on the headless host", &run}};

}  // namespace
}  // namespace zarvik::cli
