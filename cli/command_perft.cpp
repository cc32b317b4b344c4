// zarvik-cli perft / divide: counts the move paths of a position to check the rules model against
// published tables.
#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "rules/fen.h"
#include "rules/perft.h"

namespace zarvik::cli {
namespace {

constexpr int kMaxDepth = 10;

struct PerftArguments {
    FenPosition position;
    int depth = 0;
};

// DEPTH, then the FEN (its fields may come as separate arguments); the start position by default.
std::optional<PerftArguments> parse(std::string_view command, const std::vector<std::string>& args) {
    if (args.empty()) {
        std::fprintf(stderr, "%.*s: missing DEPTH (usage: %.*s DEPTH [FEN])\n",
                     static_cast<int>(command.size()), command.data(), static_cast<int>(command.size()),
                     command.data());
        return std::nullopt;
    }
    PerftArguments parsed;
    const std::string& depth = args[0];
    const auto [end, status] = std::from_chars(depth.data(), depth.data() + depth.size(), parsed.depth);
    if (status != std::errc() || end != depth.data() + depth.size() || parsed.depth < 0 ||
        parsed.depth > kMaxDepth) {
        std::fprintf(stderr, "%.*s: DEPTH must be a whole number from 0 to %d, not \"%s\"\n",
                     static_cast<int>(command.size()), command.data(), kMaxDepth, depth.c_str());
        return std::nullopt;
    }
    std::string fen;
    for (std::size_t i = 1; i < args.size(); ++i) {
        fen += (i > 1 ? " " : "") + args[i];
    }
    std::string error;
    std::optional<FenPosition> position = readFen(fen.empty() ? kStartFen : std::string_view(fen), error);
    if (!position) {
        std::fprintf(stderr, "%.*s: %s\n", static_cast<int>(command.size()), command.data(), error.c_str());
        return std::nullopt;
    }
    parsed.position = *position;
    return parsed;
}

int runPerft(const std::vector<std::string>& args) {
    const std::optional<PerftArguments> parsed = parse("perft", args);
    if (!parsed) {
        return kUsageError;
    }
    std::printf("%llu\n", static_cast<unsigned long long>(
                              perft(parsed->position.board, parsed->position.toMove, parsed->depth)));
    return 0;
}

int runDivide(const std::vector<std::string>& args) {
    const std::optional<PerftArguments> parsed = parse("divide", args);
    if (!parsed) {
        return kUsageError;
    }
    if (parsed->depth == 0) {
        std::printf("1\n");
        return 0;
    }
    std::uint64_t total = 0;
    for (const DivideLine& line : divide(parsed->position.board, parsed->position.toMove, parsed->depth)) {
        std::printf("%s %llu\n", line.move.text().c_str(), static_cast<unsigned long long>(line.nodes));
        total += line.nodes;
    }
    std::printf("%llu\n", static_cast<unsigned long long>(total));
    return 0;
}

const CommandRegistration perftRegistration{Command{
    "perft", "DEPTH [FEN]", "count the move paths of DEPTH half-moves (default: start position)", &runPerft}};
const CommandRegistration divideRegistration{
    Command{"divide", "DEPTH [FEN]", "perft per root move, one line each, then the total", &runDivide}};

}  // namespace
}  // namespace zarvik::cli
