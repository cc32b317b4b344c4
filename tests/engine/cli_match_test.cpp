// zarvik-cli match and analyse, run as a user runs them: a short match between two built-in players
// from an openings file, its progress, score and PGN; the analysis of a position.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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

// A CECP engine that names its features, logs what it hears and always answers g2g4: as White
// after 1. f3 e5 it walks into mate, as Black the move is not its own.
TEST(CliMatch, PlaysACecpEngineAsItsFeaturesAsk) {
    const std::string engine = tempPath("cecp.sh");
    const std::string heard = tempPath("cecp.heard");
    const std::string openings = tempPath("fools.epd");
    const std::string pgn = tempPath("cecp.pgn");
    const std::string log = tempPath("cecp.log");
    {
        std::ofstream out(engine);
        out << "#!/bin/sh\n"
            << "while read -r line; do\n"
            << "  echo \"$line\" >> '" << heard << "'\n"
            << "  case \"$line\" in\n"
            << "    'protover 2') echo 'feature usermove=1 setboard=1 done=1' ;;\n"
            << "    go) echo 'move g2g4' ;;\n"
            << "    quit) exit 0 ;;\n"
            << "  esac\n"
            << "done\n";
        std::ofstream(openings) << "rnbqkbnr/pppp1ppp/8/4p3/8/5P2/PPPPP1PP/RNBQKBNR w KQkq -\n";
    }
    std::filesystem::permissions(engine, std::filesystem::perms::owner_all);
    ASSERT_EQ(
        runCli("match 10 'cecp:" + engine + "' --openings " + openings + " --movetime 50 --pgn " + pgn, log),
        0)
        << readFile(log);
    EXPECT_NE(readFile(log).find("+2 =0 -0"), std::string::npos) << readFile(log);
    const std::string games = readFile(pgn);
    EXPECT_NE(games.find("g4 Qh4# 0-1"), std::string::npos) << games;
    const std::string lines = readFile(heard);
    for (const char* expected :
         {"accepted usermove", "setboard rnbqkbnr/pppp1ppp/8/4p3/8/5P2/PPPPP1PP/RNBQKBNR w KQkq",
          "usermove ", "level 1 0:01 0", "time 5"}) {
        EXPECT_NE(lines.find(expected), std::string::npos) << expected << "\n" << lines;
    }
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
    ASSERT_EQ(runCli("analyse '7k/8/8/8/5K2/8/8/1Q6 w - - 0 1' --depth 12", log), 0);
    const std::string output = readFile(log);
    EXPECT_NE(output.find("score mate 4 pv "), std::string::npos) << output;
    EXPECT_EQ(runCli("analyse 'not a position'", log), 1);
    EXPECT_EQ(runCli("analyse '6k1/8/8/8/8/8/8/6K1 w - - 0 1' --depth x", log), 2);
}

#endif

}  // namespace
}  // namespace zarvik::test
