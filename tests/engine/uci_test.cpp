// The protocol in process, where the sanitizers see both of its threads.
#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/uci.h"

namespace zarvik::engine {
namespace {

class Transcript {
  public:
    std::function<void(std::string_view)> output() {
        return [this](std::string_view line) {
            std::lock_guard<std::mutex> lock(mutex_);
            lines_.emplace_back(line);
        };
    }
    std::vector<std::string> lines() {
        std::lock_guard<std::mutex> lock(mutex_);
        return lines_;
    }

  private:
    std::mutex mutex_;
    std::vector<std::string> lines_;
};

TEST(UciEngine, HeldAnswerComesAfterStopAndReadyBeforeIt) {
    Transcript transcript;
    {
        UciEngine engine(transcript.output());
        EXPECT_TRUE(engine.handle("setoption name Level value hard"));
        EXPECT_TRUE(engine.handle("position startpos moves e2e4 e7e5 g1f3 g8f6\r"));
        EXPECT_TRUE(engine.handle("go infinite"));
        EXPECT_TRUE(engine.handle("isready"));
        EXPECT_EQ(transcript.lines(), std::vector<std::string>{"readyok"});
        EXPECT_TRUE(engine.handle("stop"));
        engine.finish();
        EXPECT_EQ(transcript.lines().size(), 3u);
        // A go while another is held answers the first, then the second.
        EXPECT_TRUE(engine.handle("go infinite"));
        EXPECT_TRUE(engine.handle("setoption name level value EASY"));
        EXPECT_TRUE(engine.handle("go"));
        EXPECT_FALSE(engine.handle("quit"));
    }
    const std::vector<std::string> lines = transcript.lines();
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[2].substr(0, 9), "bestmove ");
    EXPECT_EQ(lines[4], lines[2]) << "the same position and level give the same move";
    EXPECT_EQ(lines[6].substr(0, 9), "bestmove ");
}

TEST(UciEngine, DestroyedWhileThinkingAnswersAndEnds) {
    for (const char* level : {"hard", "10"}) {
        Transcript transcript;
        {
            UciEngine engine(transcript.output());
            engine.handle(std::string("setoption name Level value ") + level);
            engine.handle("go infinite");
        }
        ASSERT_FALSE(transcript.lines().empty()) << level;
        const std::string last = transcript.lines().back();
        EXPECT_TRUE(last.starts_with("bestmove ") && last.size() >= 13) << level << ": " << last;
    }
}

// The search's thread, its info lines and the engine's other threads under the sanitizers.
TEST(UciEngine, SearchReportsEachDepthAndStopsOnRequest) {
    Transcript transcript;
    {
        UciEngine engine(transcript.output());
        engine.handle("position startpos moves e2e4 e7e5");
        engine.handle("go depth 4");
        while (transcript.lines().empty() || !transcript.lines().back().starts_with("bestmove ")) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        engine.handle("go infinite");
        engine.handle("isready");
        engine.handle("stop");
        engine.finish();
    }
    const std::vector<std::string> lines = transcript.lines();
    int depths = 0;
    int answers = 0;
    for (const std::string& line : lines) {
        depths += line.starts_with("info depth ") ? 1 : 0;
        answers += line.starts_with("bestmove ") ? 1 : 0;
    }
    EXPECT_GE(depths, 4);
    EXPECT_EQ(answers, 2);
}

}  // namespace
}  // namespace zarvik::engine
