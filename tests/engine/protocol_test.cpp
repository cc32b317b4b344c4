// Transcripts with the real zarvik-uci through pipes: the handshake, thinking and stopping, the
// rules applied to the moves a program sends, and bad input of every kind.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "uci_process.h"

namespace zarvik::test {
namespace {

// The lines the engine writes until it answers `isready`, that answer excluded.
std::vector<std::string> linesBeforeReady(UciProcess& engine) {
    engine.send("isready");
    std::vector<std::string> lines = engine.readUntil("readyok");
    EXPECT_FALSE(lines.empty()) << "no readyok";
    if (!lines.empty()) {
        lines.pop_back();
    }
    return lines;
}

// An engine playing the one-ply "hard" player, whose answers are known exactly.
struct OnePlyEngine : UciProcess {
    OnePlyEngine() { send("setoption name Level value hard"); }
};

// The move of `bestmove`, after any info lines.
std::string bestMove(UciProcess& engine, const std::string& position, const std::string& go = "go") {
    engine.send(position);
    engine.send(go);
    const std::vector<std::string> lines = engine.readUntil("bestmove ");
    return lines.empty() ? "(none)" : lines.back().substr(9);
}

TEST(Protocol, HandshakeNamesTheEngineAndItsOptions) {
    UciProcess engine;
    engine.send("uci");
    EXPECT_EQ(
        engine.readUntil("uciok"),
        (std::vector<std::string>{
            "id name Zarvik 0.1.0", "id author The Zarvik developers",
            "option name Level type combo default 10 var easy var hard var 1 var 2 var 3 var 4 var 5 var 6 "
            "var 7 var 8 var 9 var 10",
            "option name UCI_LimitStrength type check default false",
            "option name UCI_Elo type spin default 2055 min 1303 max 2055",
            "option name Hash type spin default 16 min 1 max 1024",
            "option name Threads type spin default 1 min 1 max 1",
            "option name Move Overhead type spin default 10 min 0 max 5000", "uciok"}));
    EXPECT_TRUE(linesBeforeReady(engine).empty());
    engine.send("setoption name Level value easy");
    engine.send("ucinewgame");
    EXPECT_TRUE(linesBeforeReady(engine).empty());
    engine.send("quit");
    EXPECT_EQ(engine.waitForExit(), 0);
}

TEST(Protocol, AnswersWithTheInfoLineThenTheBestMove) {
    OnePlyEngine engine;
    engine.send("position fen 6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1");
    engine.send("go wtime 300000 btime 300000 winc 0 binc 0 movestogo 40");
    EXPECT_EQ(engine.readUntil("bestmove"),
              (std::vector<std::string>{"info depth 1 nodes 17 score mate 1 pv a1a8", "bestmove a1a8"}));
    engine.send("position startpos moves e2e4 e7e5 g1f3 g8f6");
    engine.send("go movetime 100");
    const std::vector<std::string> lines = engine.readUntil("bestmove");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(lines[0].starts_with("info depth 1 nodes 27 score cp ")) << lines[0];
    EXPECT_TRUE(lines[0].ends_with(" pv " + lines[1].substr(9))) << lines[0];
}

TEST(Protocol, TheBookOpensWithEveryOneOfItsMoves) {
    OnePlyEngine engine;
    std::set<std::string> white;
    std::set<std::string> black;
    for (int i = 0; i < 60; ++i) {
        white.insert(bestMove(engine, "position startpos"));
        black.insert(bestMove(engine, "position startpos moves e2e4"));
    }
    EXPECT_EQ(white, (std::set<std::string>{"d2d4", "e2e4"}));
    EXPECT_EQ(black, (std::set<std::string>{"c7c5", "e7e5"}));
    // The book knows positions, not the moves that led to them.
    EXPECT_TRUE(white.contains(bestMove(engine, "position startpos moves g1f3 g8f6 f3g1 f6g8")));
    EXPECT_EQ(bestMove(engine, "position startpos moves d2d4 d7d5"), "c2c4");
}

TEST(Protocol, NoLegalMoveGivesTheNullMove) {
    UciProcess engine;
    engine.send("position fen R5k1/5ppp/8/8/8/8/8/6K1 b - - 0 1");
    engine.send("go");
    EXPECT_EQ(engine.readUntil("bestmove"),
              (std::vector<std::string>{"info depth 0 score mate 0", "bestmove 0000"}));
    engine.send("position fen 7k/5Q2/6K1/8/8/8/8/8 b - - 0 1");
    engine.send("go");
    EXPECT_EQ(engine.readUntil("bestmove"),
              (std::vector<std::string>{"info depth 0 score cp 0", "bestmove 0000"}));
}

TEST(Protocol, AnswersIsReadyWhileThinkingAndTheMoveOnlyAfterStop) {
    OnePlyEngine engine;
    engine.send("position startpos moves e2e4 e7e5 g1f3 g8f6");
    engine.send("go infinite");
    engine.send("isready");
    EXPECT_EQ(engine.readLine(), "readyok");
    EXPECT_EQ(engine.readLine(std::chrono::milliseconds(300)), std::nullopt) << "answered before stop";
    engine.send("stop");
    const std::vector<std::string> lines = engine.readUntil("bestmove");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(lines[0].starts_with("info depth 1 ")) << lines[0];
    // A stop with nothing running is ignored; so is a second one.
    engine.send("stop");
    engine.send("stop");
    EXPECT_TRUE(linesBeforeReady(engine).empty());
    // A ponder search waits the same way.
    engine.send("go ponder");
    EXPECT_EQ(engine.readLine(std::chrono::milliseconds(300)), std::nullopt);
    engine.send("ponderhit");
    EXPECT_EQ(engine.readUntil("bestmove").size(), 2u);
}

TEST(Protocol, TheEndOfInputEndsAThinkingEngineWithItsMove) {
    OnePlyEngine engine;
    engine.send("go infinite");
    engine.closeInput();
    const std::vector<std::string> lines = engine.readUntil("bestmove");
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(lines.back() == "bestmove e2e4" || lines.back() == "bestmove d2d4") << lines.back();
    EXPECT_EQ(engine.waitForExit(), 0);
}

// The program reading the answers goes away but keeps the engine's input open: the engine ends
// at once, idle or thinking, instead of running on.
TEST(Protocol, AReaderThatHasGoneEndsTheEngine) {
    for (const char* pending : {"isready", "go infinite", "go depth 2"}) {
        UciProcess engine;
        engine.send("uci");
        ASSERT_FALSE(engine.readUntil("uciok").empty());
        engine.send(pending);
        engine.closeOutput();
        EXPECT_EQ(engine.waitForExit(std::chrono::seconds(5)), 0) << pending;
    }
}

TEST(Protocol, LinesNeverInterleave) {
    OnePlyEngine engine;
    std::string burst;
    for (int i = 0; i < 150; ++i) {
        burst += "position startpos moves e2e4 d7d5 e4d5 d8d5 b1c3\ngo\nisready\n";
    }
    engine.write(burst);
    int ready = 0;
    int moves = 0;
    while (ready < 150 || moves < 150) {
        const std::optional<std::string> line = engine.readLine();
        ASSERT_TRUE(line) << ready << " readyok, " << moves << " bestmove";
        if (*line == "readyok") {
            ++ready;
        } else if (line->starts_with("bestmove ")) {
            EXPECT_EQ(line->size(), 13u) << *line;
            ++moves;
        } else {
            EXPECT_TRUE(line->starts_with("info depth 1 nodes ")) << *line;
        }
    }
}

// Moves that only the rules' own handling of castling, promotion and en passant make legal: each
// line is followed by a move that needs what the special move left on the board.
struct RulesCase {
    const char* name;
    const char* position;
};

TEST(Protocol, SpecialMovesFollowTheRules) {
    const RulesCase cases[] = {
        {"castling moves the rooks too",
         "position fen r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq - 0 1 moves e1g1 e8c8 f1e1 d8e8"},
        {"promotion to the piece named",
         "position fen 8/1P6/7k/8/8/8/6p1/K7 w - - 0 1 moves b7b8n g2g1b b8c6 g1a7"},
        {"promotion without a letter makes a queen",
         "position fen 4k3/1P6/8/8/8/8/8/4K3 w - - 0 1 moves b7b8 e8e7 b8b1"},
        {"en passant removes the passed pawn",
         "position fen 4k3/8/8/R2pP3/8/8/8/4K3 w - d6 0 1 moves e5d6 e8f7 a5h5"},
        {"en passant after the double step", "position startpos moves e2e4 a7a6 e4e5 d7d5 e5d6 c7d6"},
        {"upper case and extra blanks", "  position \t startpos   moves  E2E4   e7e5\t "},
    };
    UciProcess engine;
    for (const RulesCase& c : cases) {
        engine.send(c.position);
        EXPECT_TRUE(linesBeforeReady(engine).empty()) << c.name;
    }
}

// Bad input: each case gets one "info string" and leaves the engine working.
struct BadInputCase {
    const char* name;
    std::string input;  // written as it is
    const char* reason;
};

TEST(Protocol, BadInputIsReportedAndIgnored) {
    const std::string tooLong = "position startpos moves " + std::string(2 << 20, 'x') + "\n";
    const BadInputCase cases[] = {
        {"unknown command", "castle now\n", "info string unknown command \"castle\", line ignored"},
        {"control bytes", "\x01\x02 \xff\n", "info string unknown command \"??\", line ignored"},
        {"position without start", "position\n", "info string position needs startpos or fen; position kept"},
        {"words after startpos", "position startpos e2e4\n", "info string ignored \"e2e4\" after startpos"},
        {"illegal move", "position startpos moves e2e4 e7e4 d2d4\n",
         "info string illegal move \"e7e4\", it and the moves after it ignored"},
        {"move of the wrong side", "position startpos moves e7e5\n",
         "info string illegal move \"e7e5\", it and the moves after it ignored"},
        {"castling through check", "position fen r3k2r/8/8/8/8/8/5r2/R3K2R w KQkq - 0 1 moves e1g1\n",
         "info string illegal move \"e1g1\", it and the moves after it ignored"},
        {"en passant too late", "position fen 4k3/8/8/R2pP3/8/8/8/4K3 w - - 0 1 moves e5d6\n",
         "info string illegal move \"e5d6\", it and the moves after it ignored"},
        {"promotion letter on an ordinary move", "position startpos moves e2e4q\n",
         "info string illegal move \"e2e4q\", it and the moves after it ignored"},
        {"malformed FEN", "position fen rnbqkbnr/pppppppp/9/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1\n",
         "info string bad FEN, position kept (FEN: unknown character '9' in the piece placement)"},
        {"FEN without a king", "position fen 8/8/8/8/8/8/8/4K3 w - - 0 1\n",
         "info string bad FEN, position kept (FEN: black must have exactly one king)"},
        {"FEN of a position no game reaches", "position fen 8/8/8/3kK3/8/8/8/8 b - - 0 1\n",
         "info string bad FEN, position kept (FEN: the kings stand side by side)"},
        {"FEN cut short", "position fen moves e2e4\n",
         "info string bad FEN, position kept (FEN: expected 4 to 6 fields (placement, side to move, "
         "castling, "
         "en passant, clocks))"},
        {"setoption without value", "setoption name Level\n",
         "info string Level must be easy, hard or 1 to 10, not \"\""},
        {"level out of the ladder", "setoption name Level value 11\n",
         "info string Level must be easy, hard or 1 to 10, not \"11\""},
        {"hash not a number", "setoption name Hash value lots\n",
         "info string Hash must be a whole number, not \"lots\""},
        {"strength limit neither true nor false", "setoption name UCI_LimitStrength value yes\n",
         "info string UCI_LimitStrength must be true or false, not \"yes\""},
        {"setoption of an unknown option", "setoption name Contempt value 64\n",
         "info string unknown option \"Contempt\", line ignored"},
        {"setoption without name", "setoption Level hard\n",
         "info string setoption needs name and value, line ignored"},
        {"line too long", tooLong, "info string line longer than 1048576 bytes ignored"},
    };
    OnePlyEngine engine;
    for (const BadInputCase& c : cases) {
        engine.write(c.input);
        EXPECT_EQ(linesBeforeReady(engine), std::vector<std::string>{c.reason}) << c.name;
    }
    // A go with bad arguments still answers, with the reasons first.
    engine.send("position startpos moves e2e4 e7e5 g1f3 g8f6");
    engine.send("go depth deep wtime");
    const std::vector<std::string> lines = engine.readUntil("bestmove");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "info string go: depth needs a whole number, argument ignored");
    EXPECT_EQ(lines[1], "info string go: unknown argument \"deep\" ignored");
    EXPECT_EQ(lines[2], "info string go: wtime needs a whole number, argument ignored");
}

TEST(Protocol, ABadLineKeepsThePositionBeforeIt) {
    OnePlyEngine engine;
    const std::set<std::string> blackBook = {"c7c5", "e7e5"};
    // An illegal move: the moves before it stand.
    EXPECT_TRUE(blackBook.contains(bestMove(engine, "position startpos moves e2e4 e7e4 d2d4")));
    // A malformed FEN: the previous position stands.
    EXPECT_TRUE(blackBook.contains(bestMove(engine, "position fen 8/8/8 w - -")));
    // Empty lines, carriage returns and blanks around the words.
    engine.write("\n\r\n   \n  position  startpos moves e2e4 \r\n\r\ngo\r\n");
    const std::vector<std::string> lines = engine.readUntil("bestmove");
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(blackBook.contains(lines.back().substr(9))) << lines.back();
    // A long game's move list arrives whole: the knights go back and forth 400 times.
    std::string moves;
    for (int i = 0; i < 400; ++i) {
        moves += " g1f3 g8f6 f3g1 f6g8";
    }
    const std::set<std::string> whiteBook = {"d2d4", "e2e4"};
    EXPECT_TRUE(whiteBook.contains(bestMove(engine, "position startpos moves" + moves)));
    engine.write("quit\r\n");
    EXPECT_EQ(engine.waitForExit(), 0);
}

}  // namespace
}  // namespace zarvik::test
