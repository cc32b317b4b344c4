// zarvik-cli match and analyse, run as a user runs them: a short match between two built-in players
// from an openings file, its progress, score and PGN; the analysis of a position.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/frontend/cli_run.h"

namespace zarvik::test {
namespace {

#ifdef ZARVIK_CLI

std::string tempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("zarvik_" + std::to_string(::getpid()) + "_" + name))
        .string();
}

int count(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

TEST(CliMatch, PlaysEachOpeningWithBothColoursAndRatesTheResult) {
    const std::string openings = tempPath("openings.epd");
    const std::string pgn = tempPath("games.pgn");
    const std::string log = tempPath("match.log");
    std::filesystem::remove(pgn);
    {
        std::ofstream out(openings);
        out << "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - id \"king pawn\";\n"
            << "# a comment line\n"
            << "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq -\n";
    }
    ASSERT_EQ(runCli("match 2 easy --openings " + openings +
                         " --movetime 20 --max-plies 24 --concurrency 2 --pgn " + pgn,
                     log),
              0)
        << readFile(log);
    const std::string output = readFile(log);
    EXPECT_EQ(count(output, "game "), 4) << output;
    EXPECT_EQ(count(output, "Zarvik Stufe 2 vs Zarvik leicht: +"), 1) << output;
    EXPECT_EQ(count(output, "Elo difference: "), 1) << output;
    const std::string games = readFile(pgn);
    EXPECT_EQ(count(games, "[Result \""), 4);
    EXPECT_EQ(count(games, "[FEN \""), 4);
    EXPECT_EQ(count(games, "[White \"Zarvik Stufe 2\"]"), 2);
}

struct BadMatchCase {
    const char* name;
    const char* arguments;
    int status;
};

TEST(CliMatch, BadArgumentsAreRefused) {
    const std::string log = tempPath("bad.log");
    for (const BadMatchCase& c :
         {BadMatchCase{"one player", "match 3", 2}, BadMatchCase{"unknown level", "match 11 hard", 2},
          BadMatchCase{"bad clock", "match 1 2 --tc fast", 2},
          BadMatchCase{"three at a time", "match 1 2 --concurrency 3", 2},
          BadMatchCase{"missing openings", "match 1 2 --openings /nonexistent.epd", 1}}) {
        EXPECT_EQ(runCli(c.arguments, log), c.status) << c.name << ": " << readFile(log);
    }
}

TEST(CliAnalyse, NamesTheBestMoveWithScoreAndLine) {
    const std::string log = tempPath("analyse.log");
    ASSERT_EQ(runCli("analyse '7k/8/8/8/5K2/8/8/1Q6 w - - 0 1' --depth 9", log), 0);
    const std::string output = readFile(log);
    EXPECT_NE(output.find("score mate 4 pv "), std::string::npos) << output;
    EXPECT_EQ(runCli("analyse 'not a position'", log), 1);
    EXPECT_EQ(runCli("analyse '6k1/8/8/8/8/8/8/6K1 w - - 0 1' --depth x", log), 2);
}

#endif

}  // namespace
}  // namespace zarvik::test
