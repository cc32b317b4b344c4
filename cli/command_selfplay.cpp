// zarvik-cli selfplay: a whole game between two computer players, with the opening book, printing the
// log as it happens and the result at the end. The game record is kept as the program keeps it, so a
// repetition ends the game as a draw and --out saves what the program would have saved (or, for a
// name ending in .pgn, the same game for other chess programs).
#include <charconv>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "computer/selfplay.h"
#include "frontend/pgnexport.h"
#include "frontend/record.h"
#include "rules/lastmove.h"
#include "util/files.h"

namespace zarvik::cli {
namespace {

constexpr std::string_view kArguments =
    "[--white easy|hard] [--black easy|hard] [--seed N] [--max-plies N] [--moves FILE] [--out FILE]";

std::optional<Difficulty> difficultyNamed(const std::string& text) {
    if (text == "easy") {
        return Difficulty::easy;
    }
    if (text == "hard") {
        return Difficulty::hard;
    }
    return std::nullopt;
}

template <typename Number>
bool readNumber(const std::string& text, Number& number) {
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), number);
    return status == std::errc() && end == text.data() + text.size();
}

int usageError(const std::string& problem) {
    std::fprintf(stderr, "selfplay: %s (usage: selfplay %.*s)\n", problem.c_str(),
                 static_cast<int>(kArguments.size()), kArguments.data());
    return kUsageError;
}

int runSelfPlay(const std::vector<std::string>& args) {
    SelfPlayOptions options;
    std::string movesFile;
    std::string recordFile;
    for (std::size_t i = 0; i < args.size(); i += 2) {
        const std::string& option = args[i];
        if (i + 1 >= args.size()) {
            return usageError(option + " needs a value");
        }
        const std::string& value = args[i + 1];
        if (option == "--white" || option == "--black") {
            const std::optional<Difficulty> difficulty = difficultyNamed(value);
            if (!difficulty) {
                return usageError(option + " must be easy or hard, not \"" + value + "\"");
            }
            (option == "--white" ? options.white : options.black) = *difficulty;
        } else if (option == "--seed") {
            if (!readNumber(value, options.seed)) {
                return usageError("--seed must be a whole number from 0 to 4294967295, not \"" + value +
                                  "\"");
            }
        } else if (option == "--max-plies") {
            if (!readNumber(value, options.maxPlies) || options.maxPlies < 0) {
                return usageError("--max-plies must be a whole number of 0 or more, not \"" + value + "\"");
            }
        } else if (option == "--moves") {
            movesFile = value;
        } else if (option == "--out") {
            recordFile = value;
        } else {
            return usageError("unknown option \"" + option + "\"");
        }
    }
    frontend::beginRecord();
    frontend::RecordAccess()->text += frontend::configurationLines(false, static_cast<int>(options.white),
                                                                   false, static_cast<int>(options.black));
    std::vector<std::string> moves;
    options.onMove = [&](const Board&, Color mover, const std::string& move) {
        moves.push_back(move);
        frontend::recordHalfMove(frontend::colorWord(mover));
    };
    options.drawnByRepetition = [] { return lastMove().remis; };
    const SelfPlayResult result = selfPlay(options, installedDispatcher());
    // The record's final line tells which draw rule ended the game.
    std::string text(resultText(result));
    if (const frontend::DrawEnding* ending = frontend::drawEndingIn(frontend::gameRecordSnapshot().text);
        ending != nullptr && result == SelfPlayResult::drawByRepetition) {
        text = "draw by " + std::string(ending->cause);
    }
    std::printf("result: %s\n", text.c_str());
    std::fflush(stdout);
    if (!movesFile.empty()) {
        std::ofstream out(movesFile, std::ios::trunc);
        for (const std::string& move : moves) {
            out << move << '\n';
        }
        out.close();
        if (!out) {
            std::fprintf(stderr, "selfplay: could not write the moves to \"%s\"\n", movesFile.c_str());
            return 1;
        }
    }
    if (!recordFile.empty() &&
        setstringtofile(recordFile,
                        frontend::savedFileText(recordFile, frontend::gameRecordSnapshot().text)) != 0) {
        std::fprintf(stderr, "selfplay: could not write the game record to \"%s\"\n", recordFile.c_str());
        return 1;
    }
    return 0;
}

const CommandRegistration selfPlayRegistration{Command{
    "selfplay", kArguments, "a whole game between two computer players, then its result", &runSelfPlay}};

}  // namespace
}  // namespace zarvik::cli
