// zarvik-cli: checks the engine and drives the program without a screen.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"

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
    if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h") {
        printHelp();
        return argc < 2 ? kUsageError : 0;
    }
    const std::string name = argv[1];
    for (const Command& c : commands()) {
        if (c.name == name) {
            return c.run(std::vector<std::string>(argv + 2, argv + argc));
        }
    }
    std::fprintf(stderr, "zarvik-cli: unknown command \"%s\" (see zarvik-cli --help)\n", name.c_str());
    return kUsageError;
}
