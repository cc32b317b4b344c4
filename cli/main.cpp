// zarvik-cli: checks the engine and drives the program without a screen.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "util/log.h"

namespace zarvik::cli {
namespace {

std::vector<Command>& registry() {
    static std::vector<Command> all;
    return all;
}

void printHelp() {
    std::printf("usage: zarvik-cli COMMAND [ARGUMENTS]\n\ncommands:\n");
    std::vector<Command> sorted = registry();
    std::sort(sorted.begin(), sorted.end(),
              [](const Command& a, const Command& b) { return a.name < b.name; });
    for (const Command& c : sorted) {
        std::string head = std::string(c.name) + " " + std::string(c.usage);
        std::printf("  %-40s %.*s\n", head.c_str(), static_cast<int>(c.summary.size()), c.summary.data());
    }
}

// "--help" anywhere, or "-h" first: no command takes either as a value.
bool asksForHelp(const std::vector<std::string>& args) {
    return std::find(args.begin(), args.end(), "--help") != args.end() || (!args.empty() && args[0] == "-h");
}

void printUsage(const Command& c) {
    std::printf("usage: zarvik-cli %.*s %.*s\n  %.*s\n", static_cast<int>(c.name.size()), c.name.data(),
                static_cast<int>(c.usage.size()), c.usage.data(), static_cast<int>(c.summary.size()),
                c.summary.data());
}

}  // namespace

const std::vector<Command>& commands() {
    return registry();
}

CommandRegistration::CommandRegistration(const Command& command) {
    registry().push_back(command);
}

}  // namespace zarvik::cli

int main(int argc, char** argv) {
    using namespace zarvik::cli;
    // Standard output carries what a command produces (a game, a board, counts); the log is beside it.
    zarvik::setlogstream(stderr);
    if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h") {
        printHelp();
        return argc < 2 ? kUsageError : 0;
    }
    const std::string name = argv[1];
    for (const Command& c : commands()) {
        if (c.name == name) {
            const std::vector<std::string> args(argv + 2, argv + argc);
            if (asksForHelp(args)) {
                printUsage(c);
                return 0;
            }
            return c.run(args);
        }
    }
    std::fprintf(stderr, "zarvik-cli: unknown command \"%s\" (see zarvik-cli --help)\n", name.c_str());
    return kUsageError;
}
