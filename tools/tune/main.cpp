// zarvik-tune: the developer's tool that tunes the evaluation. "generate" plays the search against
// itself and writes quiet positions with results; "fit" fits the weights to them and prints the table.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "tools/tune/fit.h"
#include "tools/tune/selfplay.h"

namespace {

constexpr std::string_view kUsage =
    "usage: zarvik-tune generate GAMES [NODES [SEED]] > positions.txt\n"
    "       zarvik-tune fit positions.txt [PASSES] > search/tunedweights.h\n";

// A positive number, or none when the text is not one.
std::optional<long> number(const char* text) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    return end != text && *end == '\0' && value > 0 ? std::optional<long>(value) : std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view command = argc > 1 ? argv[1] : "";
    if (command == "generate" && argc >= 3 && argc <= 5) {
        zarvik::tune::SelfPlayOptions options;
        const auto games = number(argv[2]);
        const auto nodes = argc > 3 ? number(argv[3]) : std::optional<long>(3000);
        const auto seed = argc > 4 ? number(argv[4]) : std::optional<long>(1);
        if (games && nodes && seed) {
            options.games = static_cast<int>(*games);
            options.nodes = static_cast<std::uint64_t>(*nodes);
            options.seed = static_cast<std::uint64_t>(*seed);
            const std::uint64_t written = zarvik::tune::playGames(options, std::cout, std::cerr);
            std::cerr << written << " positions\n";
            return EXIT_SUCCESS;
        }
    }
    if (command == "fit" && argc >= 3 && argc <= 4) {
        std::ifstream in(argv[2]);
        if (!in) {
            std::cerr << "zarvik-tune: cannot read " << argv[2] << '\n';
            return EXIT_FAILURE;
        }
        zarvik::tune::FitOptions options;
        const auto passes = argc > 3 ? number(argv[3]) : std::optional<long>(options.passes);
        if (passes) {
            options.passes = static_cast<int>(*passes);
            return zarvik::tune::fitWeights(in, options, std::cout, std::cerr) ? EXIT_SUCCESS : EXIT_FAILURE;
        }
    }
    std::cerr << kUsage;
    return EXIT_FAILURE;
}
