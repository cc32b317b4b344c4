// Transcripts of the searching levels through pipes: info lines, limits of go, the strength options
// and the bench command.
#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <string>
#include <vector>

#include "uci_process.h"

namespace zarvik::test {
namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> wordsOf(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

// The value after `key` in an info line; empty when missing.
std::string field(const std::string& line, const std::string& key) {
    const std::vector<std::string> words = wordsOf(line);
    for (std::size_t i = 0; i + 1 < words.size(); ++i) {
        if (words[i] == key) {
            return words[i + 1];
        }
    }
    return "";
}

TEST(SearchProtocol, InfoLinesCarryEveryFieldAndDeepenOneByOne) {
    UciProcess engine;
    engine.send("position fen 7k/8/8/8/5K2/8/8/1Q6 w - - 0 1");
    engine.send("go depth 12");
    const std::vector<std::string> lines = engine.readUntil("bestmove ");
    ASSERT_GE(lines.size(), 2u);
    int depth = 0;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        const std::string& line = lines[i];
        EXPECT_EQ(field(line, "depth"), std::to_string(++depth)) << line;
        for (const char* key : {"seldepth", "score", "nodes", "nps", "hashfull", "time", "pv"}) {
            EXPECT_FALSE(field(line, key).empty()) << key << " missing: " << line;
        }
    }
    EXPECT_EQ(field(lines[lines.size() - 2], "score"), "mate") << lines[lines.size() - 2];
    EXPECT_EQ(field(lines[lines.size() - 2], "mate"), "4");
    EXPECT_EQ(field(lines.back(), "bestmove"), field(lines[lines.size() - 2], "pv"));
}

struct GoCase {
    const char* name;
    const char* position;
    const char* go;
    std::vector<std::string> allowed;  // empty: any move
};

TEST(SearchProtocol, GoLimitsAndSearchMoves) {
    const GoCase cases[] = {
        {"mate in one at depth 1", "position fen 6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", "go depth 1", {"a1a8"}},
        {"searchmoves", "position startpos", "go depth 5 searchmoves a2a3 h2h4", {"a2a3", "h2h4"}},
        {"nodes", "position startpos moves e2e4", "go nodes 3000", {}},
        {"mate", "position fen 7k/8/8/8/5K2/8/8/1Q6 w - - 0 1", "go mate 4", {}},
        {"clock for black", "position startpos moves d2d4", "go wtime 5000 btime 800 winc 0 binc 0", {}},
        {"moves to go", "position startpos", "go wtime 2000 btime 2000 movestogo 1", {}},
        {"no legal move", "position fen R5k1/5ppp/8/8/8/8/8/6K1 b - - 0 1", "go depth 3", {"0000"}},
    };
    UciProcess engine;
    for (const GoCase& c : cases) {
        engine.send(c.position);
        engine.send(c.go);
        const std::vector<std::string> lines = engine.readUntil("bestmove ");
        ASSERT_FALSE(lines.empty()) << c.name;
        const std::string move = field(lines.back(), "bestmove");
        EXPECT_EQ(move.size() >= 4, true) << c.name;
        if (!c.allowed.empty()) {
            EXPECT_NE(std::find(c.allowed.begin(), c.allowed.end(), move), c.allowed.end())
                << c.name << ": " << move;
        }
    }
}

// The half-move clock of the FEN and the moves after it reach the search: a queen up is no win when
// every move ends the fifty moves.
TEST(SearchProtocol, KnowsTheHalfMoveClockOfItsPosition) {
    const struct {
        const char* position;
        bool drawn;
    } cases[] = {
        {"position fen 7k/8/8/8/8/8/8/1Q5K w - - 99 80", true},
        {"position fen 7k/8/8/8/8/8/8/1Q5K w - - 97 80 moves b1b2 h8g8", true},
        {"position fen 7k/8/8/8/8/8/8/1Q5K w - - 0 80", false},
    };
    UciProcess engine;
    for (const auto& c : cases) {
        engine.send(c.position);
        engine.send("go depth 4");
        const std::vector<std::string> lines = engine.readUntil("bestmove ");
        ASSERT_GE(lines.size(), 2u) << c.position;
        const std::string& last = lines[lines.size() - 2];
        EXPECT_EQ(field(last, "cp") == "0", c.drawn) << c.position << ": " << last;
    }
}

// A loaded machine gets generous bounds; the in-process tests hold the search to 50 ms.
TEST(SearchProtocol, AnswersInsideItsTime) {
    UciProcess engine;
    engine.send("isready");
    engine.readUntil("readyok");
    engine.send("position startpos moves e2e4 c7c5 g1f3");
    auto begin = Clock::now();
    engine.send("go movetime 300");
    engine.readUntil("bestmove ");
    EXPECT_LE(Clock::now() - begin, std::chrono::milliseconds(300 + 150));
    begin = Clock::now();
    engine.send("go btime 900 wtime 900 binc 0 winc 0");
    engine.readUntil("bestmove ");
    EXPECT_LE(Clock::now() - begin, std::chrono::milliseconds(900 / 3 + 150));
    engine.send("go infinite");
    EXPECT_EQ(engine.readLine(std::chrono::milliseconds(300)).has_value(), true)
        << "info lines while thinking";
    begin = Clock::now();
    engine.send("stop");
    engine.readUntil("bestmove ");
    EXPECT_LE(Clock::now() - begin, std::chrono::milliseconds(150));
}

TEST(SearchProtocol, LimitedStrengthPlaysTheNearestLevel) {
    UciProcess engine;
    engine.send("setoption name UCI_LimitStrength value true");
    engine.send("setoption name UCI_Elo value 650");
    engine.send("position startpos");
    engine.send("go depth 6");
    std::vector<std::string> lines = engine.readUntil("bestmove ");
    ASSERT_EQ(lines.size(), 3u) << "the lowest level looks two plies ahead";
    EXPECT_EQ(field(lines[1], "depth"), "2");
    engine.send("setoption name UCI_LimitStrength value false");
    engine.send("setoption name Level value 3");
    engine.send("go depth 6");
    lines = engine.readUntil("bestmove ");
    ASSERT_EQ(lines.size(), 5u) << "Stufe 3 looks four plies ahead";
}

TEST(SearchProtocol, BenchCountsTheSameNodesEveryTime) {
    UciProcess engine;
    engine.send("setoption name Hash value 1");
    engine.send("bench 4");
    const std::vector<std::string> first = engine.readUntil("bench ");
    engine.send("bench 4");
    const std::vector<std::string> second = engine.readUntil("bench ");
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(field(first[0], "nodes"), field(second[0], "nodes"));
    EXPECT_GT(std::stoll(field(first[0], "nodes")), 1000);
}

}  // namespace
}  // namespace zarvik::test
