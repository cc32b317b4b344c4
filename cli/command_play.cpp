// zarvik-cli play: runs the chess program on the headless host, types the given keys as the program
// asks for them, runs the steps of a script, and when all is done and the program waits, writes
// window 0's text screen and the game record to files.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/script.h"
#include "frontend/chessmain.h"
#include "frontend/driver.h"
#include "frontend/record.h"
#include "toolkit/app/startup.h"
#include "toolkit/headless/headlesshost.h"
#include "toolkit/text/textoutput.h"
#include "util/files.h"

namespace zarvik::cli {
namespace {

constexpr const char* kUsage = "[--keys TEXT] [--script FILE] [--screen FILE] [--record FILE]";

struct PlayArguments {
    std::vector<std::string> keys;  // one character (UTF-8) each
    std::string scriptPath;
    std::string screenPath;
    std::string recordPath;
};

std::optional<PlayArguments> parse(const std::vector<std::string>& args) {
    PlayArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (i + 1 >= args.size() ||
            (option != "--keys" && option != "--script" && option != "--screen" && option != "--record")) {
            std::fprintf(stderr, "play: unknown or incomplete option '%s' (usage: play %s)\n", option.c_str(),
                         kUsage);
            return std::nullopt;
        }
        const std::string& value = args[++i];
        if (option == "--keys") {
            parsed.keys = frontend::keysOf(value);
        } else if (option == "--script") {
            parsed.scriptPath = value;
        } else if (option == "--screen") {
            parsed.screenPath = value;
        } else {
            parsed.recordPath = value;
        }
    }
    return parsed;
}

std::optional<Script> readScript(const std::string& path) {
    if (path.empty()) {
        return Script{};
    }
    const std::optional<std::string> text = getstringfromfile(path);
    if (!text) {
        std::fprintf(stderr, "play: cannot read the script %s\n", path.c_str());
        return std::nullopt;
    }
    Script script = parseScript(*text);
    if (!script.error.empty()) {
        std::fprintf(stderr, "play: %s: %s\n", path.c_str(), script.error.c_str());
        return std::nullopt;
    }
    return script;
}

int run(const std::vector<std::string>& args) {
    const std::optional<PlayArguments> parsed = parse(args);
    if (!parsed) {
        return kUsageError;
    }
    const std::optional<Script> script = readScript(parsed->scriptPath);
    if (!script) {
        return kUsageError;
    }
    static HeadlessHost headless;
    headless.install();
    installScriptMenus();
    if (!frontend::startChessProgram()) {
        std::fprintf(stderr, "play: the program thread could not be started\n");
        return 1;
    }
    // Every run starts at a yes/no question; before it the program may not yet take menu choices.
    frontend::waitForScreenText("J/N>");
    frontend::typeKeys(parsed->keys);
    int status = 0;
    if (const std::string error = runScript(*script); !error.empty()) {
        std::fprintf(stderr, "play: %s: %s\n", parsed->scriptPath.c_str(), error.c_str());
        status = 1;
    }
    frontend::waitUntilQuiet();
    if (!parsed->screenPath.empty() && setstringtofile(parsed->screenPath, t_GetScreen(0, "\n")) != 0) {
        status = 1;
    }
    if (!parsed->recordPath.empty() &&
        setstringtofile(parsed->recordPath, frontend::gameRecordSnapshot().text) != 0) {
        status = 1;
    }
    std::fflush(stdout);
    // The program thread may still wait for a key; end the process without unwinding it.
    std::_Exit(status);
}

const CommandRegistration reg{Command{
    "play", kUsage, "plays the chess program with typed keys or a script on the headless host", &run}};

}  // namespace
}  // namespace zarvik::cli
