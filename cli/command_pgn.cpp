// zarvik-cli pgn: prints the game of a saved game file, or one game of a file of other chess programs,
// in the portable notation of other chess programs.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/gamefile.h"
#include "frontend/pgnexport.h"
#include "frontend/pgnimport.h"
#include "frontend/savedfile.h"
#include "notation/pgnread.h"
#include "notation/pgnwrite.h"

namespace zarvik::cli {
namespace {

// A message of the program on one line: "first line | details".
std::string oneLine(std::string text) {
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at)) {
        text.replace(at, 1, " | ");
    }
    return text;
}

// Game `number` of a file of other chess programs, written again as the program writes games.
std::optional<std::string> collectionGame(std::string_view text, int number) {
    const std::vector<PgnGameEntry> games = listPgnGames(text);
    if (number < 1 || static_cast<std::size_t>(number) > games.size()) {
        return std::nullopt;
    }
    const PgnGameEntry& game = games[static_cast<std::size_t>(number) - 1];
    const PgnReading reading = readPgn(text.substr(game.offset, game.length));
    if (reading.failure != PgnFailure::none) {
        return std::nullopt;
    }
    return writePgn(exportOf(reading));
}

constexpr const char* kUsage = "FILE [--game N]";

int run(const std::vector<std::string>& args) {
    const GameFileArguments read = readGameFileArguments(args);
    if (!read.error.empty()) {
        std::fprintf(stderr, "pgn: %s (usage: pgn %s)\n", read.error.c_str(), kUsage);
        return kUsageError;
    }
    // The program's own reading: size limit, regular files only, any line ends.
    const frontend::SavedGameFile file = frontend::readSavedGameFile(read.file);
    std::optional<std::string> pgn;
    if (file.text && frontend::hasPgnExtension(read.file)) {
        pgn = collectionGame(*file.text, read.game.value_or(1));
    } else if (file.text && read.game.value_or(1) == 1) {
        pgn = frontend::recordAsPgn(*file.text);
    }
    if (!pgn) {
        const std::string failure = file.text ? frontend::notASavedGameMessage(read.file) : file.failure;
        std::fprintf(stderr, "pgn: %s\n", oneLine(failure).c_str());
        return 1;
    }
    const std::string& text = *pgn;
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
    return 0;
}

const CommandRegistration reg{Command{
    "pgn", kUsage,
    "prints the game of a saved game, or game N of a PGN file, in the notation other chess programs read",
    &run}};

}  // namespace
}  // namespace zarvik::cli
