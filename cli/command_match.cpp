// zarvik-cli match: games between two engines (the built-in levels by name, other UCI engines by their
// command line) from a list of openings, each with both colours; progress, score and Elo at the end.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <thread>

#include "cli/command.h"
#include "cli/match.h"

namespace zarvik::cli {
namespace {

constexpr std::string_view kArguments =
    "FIRST SECOND [--openings FILE] [--rounds N | --games N] [--movetime MS | --tc BASE+INC] "
    "[--concurrency 1|2] [--max-plies N] [--pgn FILE]";

int usageError(const std::string& problem) {
    std::fprintf(stderr, "match: %s (usage: match %.*s)\n", problem.c_str(),
                 static_cast<int>(kArguments.size()), kArguments.data());
    return kUsageError;
}

bool readNumber(const std::string& text, long long& number) {
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), number);
    return status == std::errc() && end == text.data() + text.size() && number >= 0;
}

// zarvik-uci lies beside zarvik-cli.
std::string uciPath() {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string self = n > 0 ? std::string(path, static_cast<std::size_t>(n)) : std::string("./zarvik-cli");
    return self.substr(0, self.find_last_of('/') + 1) + "zarvik-uci";
}

int runMatch(const std::vector<std::string>& args) {
    std::vector<std::string> names;
    std::string openingsFile;
    std::string pgnFile;
    long long rounds = 1;
    long long games = 0;
    long long concurrency = 1;
    long long maxPlies = 400;
    TimeControl control;
    control.movetime = std::chrono::milliseconds(100);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (!word.starts_with("--")) {
            names.push_back(word);
            continue;
        }
        if (i + 1 >= args.size()) {
            return usageError(word + " needs a value");
        }
        const std::string& value = args[++i];
        long long number = 0;
        if (word == "--openings") {
            openingsFile = value;
        } else if (word == "--pgn") {
            pgnFile = value;
        } else if (word == "--rounds" && readNumber(value, number) && number >= 1) {
            rounds = number;
        } else if (word == "--games" && readNumber(value, number) && number >= 1) {
            games = number;
        } else if (word == "--concurrency" && readNumber(value, number) && (number == 1 || number == 2)) {
            concurrency = number;
        } else if (word == "--max-plies" && readNumber(value, number) && number >= 1) {
            maxPlies = number;
        } else if (word == "--movetime" && readNumber(value, number) && number >= 1) {
            control.movetime = std::chrono::milliseconds(number);
        } else if (word == "--tc") {
            const std::size_t plus = value.find('+');
            long long base = 0;
            long long increment = 0;
            if (!readNumber(value.substr(0, plus), base) || base < 1 ||
                (plus != std::string::npos && !readNumber(value.substr(plus + 1), increment))) {
                return usageError("--tc must be BASE+INC in milliseconds, not \"" + value + "\"");
            }
            control.movetime.reset();
            control.base = std::chrono::milliseconds(base);
            control.increment = std::chrono::milliseconds(increment);
        } else {
            return usageError("bad option " + word + " " + value);
        }
    }
    if (names.size() != 2) {
        return usageError("two players needed");
    }
    std::optional<EngineSpec> players[2];
    for (int p = 0; p < 2; ++p) {
        players[p] = engineNamed(names[p], uciPath());
        if (!players[p]) {
            return usageError("unknown player \"" + names[p] +
                              "\" (1-10, easy, hard, uci:COMMAND;Option=Value or cecp:COMMAND;Option=Value)");
        }
    }
    std::vector<Opening> openings = builtInOpenings();
    if (!openingsFile.empty()) {
        std::string error;
        openings = readOpenings(openingsFile, error);
        if (openings.empty()) {
            std::fprintf(stderr, "match: %s\n", error.c_str());
            return 1;
        }
    }
    std::ofstream pgn;
    if (!pgnFile.empty()) {
        pgn.open(pgnFile, std::ios::app);
        if (!pgn) {
            std::fprintf(stderr, "match: cannot write \"%s\"\n", pgnFile.c_str());
            return 1;
        }
    }
    // Game 2k plays opening k with the first player as White, game 2k+1 with the colours reversed.
    int total = static_cast<int>(openings.size() * 2 * static_cast<std::size_t>(rounds));
    if (games > 0) {
        total = static_cast<int>(std::min<long long>(games, total));
    }
    std::atomic<int> next{0};
    std::mutex report;
    MatchScore score;
    const auto worker = [&] {
        for (int game = next++; game < total; game = next++) {
            const Opening& opening = openings[static_cast<std::size_t>(game / 2) % openings.size()];
            const bool firstIsWhite = game % 2 == 0;
            const EngineSpec& white = firstIsWhite ? *players[0] : *players[1];
            const EngineSpec& black = firstIsWhite ? *players[1] : *players[0];
            const GameResult result = playGame(white, black, opening, control, static_cast<int>(maxPlies));
            std::lock_guard<std::mutex> lock(report);
            const bool firstWon =
                result.result == (firstIsWhite ? PgnResult::whiteWins : PgnResult::blackWins);
            const bool firstLost =
                result.result == (firstIsWhite ? PgnResult::blackWins : PgnResult::whiteWins);
            score.wins += firstWon ? 1 : 0;
            score.losses += firstLost ? 1 : 0;
            score.draws += !firstWon && !firstLost ? 1 : 0;
            std::printf("game %d/%d: %s - %s %s%s%s | %s +%d =%d -%d\n", score.games(), total,
                        white.name.c_str(), black.name.c_str(),
                        std::string(resultToken(result.result)).c_str(),
                        result.termination.empty() ? "" : " ", result.termination.c_str(),
                        players[0]->name.c_str(), score.wins, score.draws, score.losses);
            std::fflush(stdout);
            if (pgn) {
                pgn << result.pgn;
                pgn.flush();
            }
        }
    };
    std::vector<std::thread> threads;
    for (int t = 1; t < concurrency; ++t) {
        threads.emplace_back(worker);
    }
    worker();
    for (std::thread& t : threads) {
        t.join();
    }
    std::printf("%s vs %s: +%d =%d -%d, score %.1f/%d (%.1f %%)\n", players[0]->name.c_str(),
                players[1]->name.c_str(), score.wins, score.draws, score.losses,
                score.wins + 0.5 * score.draws, score.games(), 100.0 * score.score());
    if (const auto elo = score.elo()) {
        std::printf("Elo difference: %+.0f +/- %.0f (95 %%)\n", elo->first, elo->second);
    } else {
        std::printf("Elo difference: no estimate (every game went one way)\n");
    }
    return 0;
}

const CommandRegistration registration{
    {"match", kArguments, "plays engines against each other and rates the result", runMatch}};

}  // namespace
}  // namespace zarvik::cli
