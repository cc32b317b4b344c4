// zarvik-cli pgn: prints the game of a saved game file in the portable notation of other chess programs.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "frontend/pgnexport.h"
#include "util/files.h"

namespace zarvik::cli {
namespace {

int run(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "pgn: expected one FILE (usage: pgn FILE)\n");
        return kUsageError;
    }
    const std::string& path = args[0];
    if (pathkind(path) != 1) {
        std::fprintf(stderr, "pgn: cannot open \"%s\": no such file\n", path.c_str());
        return 1;
    }
    const std::optional<std::string> text = getstringfromfile(path);
    const std::optional<std::string> pgn = text ? frontend::recordAsPgn(*text) : std::nullopt;
    if (!pgn) {
        std::fprintf(stderr, "pgn: cannot open \"%s\": not a saved game\n", path.c_str());
        return 1;
    }
    std::fwrite(pgn->data(), 1, pgn->size(), stdout);
    std::fflush(stdout);
    return 0;
}

const CommandRegistration reg{Command{
    "pgn", "FILE", "prints the game of a saved game in the notation other chess programs read", &run}};

}  // namespace
}  // namespace zarvik::cli
