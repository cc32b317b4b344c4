// The protocol in process, where the sanitizers see both of its threads.
#include <gtest/gtest.h>

#include <mutex>
#include <string>
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
    Transcript transcript;
    {
        UciEngine engine(transcript.output());
        engine.handle("go infinite");
    }
    ASSERT_EQ(transcript.lines().size(), 2u);
    EXPECT_TRUE(transcript.lines()[1] == "bestmove e2e4" || transcript.lines()[1] == "bestmove d2d4");
}

}  // namespace
}  // namespace zarvik::engine
