#pragma once
// The engine's side of the line protocol that chess programs use to talk to engines. Lines come in
// through `handle`; answers go out through the output function, one whole line per call, never two
// at once. A `go` is worked out on a thread of its own, so `isready` and `stop` are answered while
// the engine thinks.
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "computer/aiplayer.h"
#include "computer/configuration.h"
#include "engine/position.h"
#include "search/search.h"

namespace zarvik::engine {

class UciEngine {
  public:
    // `output` gets each answer line without its line end; it must write and flush it.
    explicit UciEngine(std::function<void(std::string_view)> output);
    ~UciEngine();
    UciEngine(const UciEngine&) = delete;
    UciEngine& operator=(const UciEngine&) = delete;

    // Handles one input line (a trailing carriage return is allowed). False after `quit`.
    bool handle(std::string_view line);
    // Writes "info string " and `reason`, for input trouble found before a line reaches `handle`.
    void report(std::string_view reason);
    // Ends a search still going (its bestmove is written) and waits for it.
    void finish();

  private:
    void send(std::string_view line);
    void identify();
    void setOption(const std::vector<std::string_view>& words);
    void go(const std::vector<std::string_view>& words);
    // The search levels' go: limits from the words, info lines while it deepens.
    void goSearch(const std::vector<std::string_view>& words, bool hold);
    void bench(const std::vector<std::string_view>& words);
    // The level that plays: the one UCI_Elo names when strength is limited, else the Level option.
    int searchLevelInForce() const;
    // Lets a held answer go out.
    void releaseSearch();
    std::shared_ptr<AIPlayer> playerFor(Difficulty level, Color color);

    std::function<void(std::string_view)> output_;
    std::mutex outputMutex_;

    // easy or hard: the one-ply player; none: the searching player at `searchLevel_`.
    std::optional<Difficulty> onePly_;
    int searchLevel_ = 10;
    bool limitStrength_ = false;
    int elo_ = 0;
    int moveOverhead_ = static_cast<int>(search::Limits{}.overhead.count());
    EnginePosition position_;
    search::TranspositionTable table_;
    search::Search searcher_{table_};
    std::map<std::pair<Difficulty, Color>, std::shared_ptr<AIPlayer>> players_;

    // The running search waits here after its choice while it must not answer yet (infinite, ponder).
    std::mutex searchMutex_;
    std::condition_variable released_;
    bool holdAnswer_ = false;
    std::thread search_;
};

}  // namespace zarvik::engine
