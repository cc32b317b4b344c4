// zarvik-cli pgn: prints the game of a saved game file in the portable notation of other chess programs.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "frontend/pgnexport.h"
#include "frontend/savedfile.h"

namespace zarvik::cli {
namespace {

// A message of the program on one line: "first line | details".
std::string oneLine(std::string text) {
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at)) {
        text.replace(at, 1, " | ");
    }
    return text;
}

int run(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "pgn: expected one FILE (usage: pgn FILE)\n");
        return kUsageError;
    }
    // The program's own reading: size limit, regular files only, any line ends.
    const frontend::SavedGameFile file = frontend::readSavedGameFile(args[0]);
    const std::optional<std::string> pgn = file.text ? frontend::recordAsPgn(*file.text) : std::nullopt;
    if (!pgn) {
        const std::string failure = file.text ? frontend::notASavedGameMessage(args[0]) : file.failure;
        std::fprintf(stderr, "pgn: %s\n", oneLine(failure).c_str());
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
