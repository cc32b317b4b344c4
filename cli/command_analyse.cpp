// zarvik-cli analyse: the searching engine's view of a position (a FEN or a saved game's last
// position): a line per depth, then the best move, its score and the principal variation.
#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "cli/command.h"
#include "notation/pgnread.h"
#include "search/search.h"

namespace zarvik::cli {
namespace {

constexpr std::string_view kArguments = "FEN|GAME.pgn [--depth N | --movetime MS] [--hash MB]";

int usageError(const std::string& problem) {
    std::fprintf(stderr, "analyse: %s (usage: analyse %.*s)\n", problem.c_str(),
                 static_cast<int>(kArguments.size()), kArguments.data());
    return kUsageError;
}

std::string scoreText(int score) {
    const int mate = search::mateIn(score);
    return mate != 0 ? "mate " + std::to_string(mate) : "cp " + std::to_string(score);
}

std::string pvText(const std::vector<search::Move>& pv) {
    std::string text;
    for (const search::Move m : pv) {
        text += (text.empty() ? "" : " ") + m.text();
    }
    return text;
}

int runAnalyse(const std::vector<std::string>& args) {
    std::string subject;
    search::Limits limits;
    long long hash = 16;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word == "--depth" || word == "--movetime" || word == "--hash") {
            long long number = 0;
            const std::string value = i + 1 < args.size() ? args[++i] : "";
            const auto [end, status] = std::from_chars(value.data(), value.data() + value.size(), number);
            if (status != std::errc() || end != value.data() + value.size() || number < 1) {
                return usageError(word + " needs a positive whole number");
            }
            if (word == "--depth") {
                limits.depth = static_cast<int>(std::min(number, 100LL));
            } else if (word == "--movetime") {
                limits.movetime = std::chrono::milliseconds(number);
                limits.overhead = std::chrono::milliseconds(0);
            } else {
                hash = std::min(number, 4096LL);
            }
        } else {
            subject += (subject.empty() ? "" : " ") + word;
        }
    }
    if (subject.empty()) {
        return usageError("a FEN or a game file is needed");
    }
    if (!limits.depth && !limits.movetime) {
        limits.depth = 12;
    }
    std::optional<search::Position> position;
    if (subject.ends_with(".pgn")) {
        std::ifstream in(subject, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        const PgnReading game = readPgn(bytes.str());
        if (!in || game.failure != PgnFailure::none) {
            std::fprintf(stderr, "analyse: no game in \"%s\"\n", subject.c_str());
            return 1;
        }
        std::string error;
        position = search::Position::fromGame(game.fen, game.moves, error);
        if (!position) {
            std::fprintf(stderr, "analyse: %s\n", error.c_str());
            return 1;
        }
    } else {
        std::string error;
        position = search::Position::fromFen(subject, error);
        if (!position) {
            std::fprintf(stderr, "analyse: %s\n", error.c_str());
            return 1;
        }
    }
    search::TranspositionTable table(static_cast<std::size_t>(hash));
    search::Search searcher(table);
    const search::Outcome outcome =
        searcher.run(*position, limits, search::Handicap{}, [](const search::Report& r) {
            std::printf("depth %d seldepth %d score %s nodes %llu time %lld pv %s\n", r.depth, r.selDepth,
                        scoreText(r.score).c_str(), static_cast<unsigned long long>(r.nodes),
                        static_cast<long long>(r.time.count()), pvText(r.pv).c_str());
            std::fflush(stdout);
        });
    if (outcome.best.isNull()) {
        std::printf("no legal move: %s\n", position->inCheck() ? "checkmate" : "stalemate");
        return 0;
    }
    std::printf("best %s score %s pv %s\n", outcome.best.text().c_str(), scoreText(outcome.score).c_str(),
                pvText(outcome.last.pv).c_str());
    return 0;
}

const CommandRegistration registration{
    {"analyse", kArguments, "best move, score and principal variation of a position", runAnalyse}};

}  // namespace
}  // namespace zarvik::cli
