#include "engine/uci.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string>

#include "computer/searchlevel.h"
#include "engine/choice.h"
#include "search/bench.h"

namespace zarvik::engine {
namespace {

std::vector<std::string_view> wordsOf(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    const auto blank = [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
    };
    while (i < line.size()) {
        while (i < line.size() && blank(line[i])) {
            ++i;
        }
        const std::size_t start = i;
        while (i < line.size() && !blank(line[i])) {
            ++i;
        }
        if (i > start) {
            words.push_back(line.substr(start, i - start));
        }
    }
    return words;
}

bool sameWord(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::string joined(std::vector<std::string_view>::const_iterator begin,
                   std::vector<std::string_view>::const_iterator end) {
    std::string text;
    for (auto word = begin; word != end; ++word) {
        text += (text.empty() ? "" : " ") + std::string(*word);
    }
    return text;
}

constexpr int kDefaultHash = 16;
constexpr int kMaxHash = 1024;
constexpr int kMaxOverhead = 5000;

// Whole numbers of a value, clamped to a range; none when the text is no number.
std::optional<long long> numberIn(std::string_view word, long long low, long long high) {
    long long number = 0;
    const char* begin = word.data() + (!word.empty() && word[0] == '+' ? 1 : 0);
    const auto [end, status] = std::from_chars(begin, word.data() + word.size(), number);
    if (status != std::errc() || end != word.data() + word.size()) {
        return std::nullopt;
    }
    return std::clamp(number, low, high);
}

std::string scoreText(int score) {
    const int mate = search::mateIn(score);
    return mate != 0 ? "mate " + std::to_string(mate) : "cp " + std::to_string(score);
}

bool isNumber(std::string_view word) {
    long long number = 0;
    const char* begin = word.data() + (!word.empty() && word[0] == '+' ? 1 : 0);
    const auto [end, status] = std::from_chars(begin, word.data() + word.size(), number);
    return status == std::errc() && end == word.data() + word.size();
}

}  // namespace

UciEngine::UciEngine(std::function<void(std::string_view)> output)
    : output_(std::move(output)), elo_(highestLevelElo()), table_(kDefaultHash) {
    search::initAttacks();  // at start-up rather than in the first search's time
}

UciEngine::~UciEngine() {
    finish();
}

void UciEngine::send(std::string_view line) {
    std::lock_guard<std::mutex> lock(outputMutex_);
    output_(line);
}

void UciEngine::report(std::string_view reason) {
    send("info string " + std::string(reason));
}

bool UciEngine::handle(std::string_view line) {
    const std::vector<std::string_view> words = wordsOf(line);
    if (words.empty()) {
        return true;
    }
    const std::string_view command = words[0];
    if (command == "uci") {
        identify();
    } else if (command == "isready") {
        send("readyok");
    } else if (command == "ucinewgame") {
        finish();
        position_ = EnginePosition{};
        table_.clear();
    } else if (command == "setoption") {
        setOption(words);
    } else if (command == "position") {
        std::vector<std::string> problems;
        position_ = readPosition({words.begin() + 1, words.end()}, position_, problems);
        for (const std::string& problem : problems) {
            report(problem);
        }
    } else if (command == "go") {
        go(words);
    } else if (command == "stop" || command == "ponderhit") {
        releaseSearch();
    } else if (command == "quit") {
        finish();
        return false;
    } else if (command == "bench") {
        bench(words);
    } else if (command == "debug" || command == "register") {
        // Nothing to switch: the engine has no debug output and needs no registration.
    } else {
        report("unknown command " + quoted(command) + ", line ignored");
    }
    return true;
}

void UciEngine::identify() {
    send("id name Zarvik " ZARVIK_VERSION);
    send("id author The Zarvik developers");
    std::string levels = "option name Level type combo default 10 var easy var hard";
    for (int level = kLowestSearchLevel; level <= kHighestSearchLevel; ++level) {
        levels += " var " + std::to_string(level);
    }
    send(levels);
    send("option name UCI_LimitStrength type check default false");
    send("option name UCI_Elo type spin default " + std::to_string(highestLevelElo()) + " min " +
         std::to_string(lowestLevelElo()) + " max " + std::to_string(highestLevelElo()));
    send("option name Hash type spin default " + std::to_string(kDefaultHash) + " min 1 max " +
         std::to_string(kMaxHash));
    send("option name Threads type spin default 1 min 1 max 1");
    send("option name Move Overhead type spin default " + std::to_string(search::Limits{}.overhead.count()) +
         " min 0 max " + std::to_string(kMaxOverhead));
    send("uciok");
}

void UciEngine::setOption(const std::vector<std::string_view>& words) {
    const auto nameWord = std::find(words.begin(), words.end(), "name");
    const auto valueWord = std::find(words.begin(), words.end(), "value");
    if (nameWord == words.end() || valueWord < nameWord) {
        report("setoption needs name and value, line ignored");
        return;
    }
    const std::string name = joined(nameWord + 1, valueWord);
    const std::string value = valueWord == words.end() ? "" : joined(valueWord + 1, words.end());
    const auto spin = [&](long long low, long long high) {
        const std::optional<long long> number = numberIn(value, low, high);
        if (!number) {
            report(name + " must be a whole number, not " + quoted(value));
        }
        return number;
    };
    if (sameWord(name, "Level")) {
        if (sameWord(value, "easy") || sameWord(value, "hard")) {
            onePly_ = sameWord(value, "easy") ? Difficulty::easy : Difficulty::hard;
        } else if (const std::optional<long long> number = numberIn(value, 0, 1000);
                   number && *number >= kLowestSearchLevel && *number <= kHighestSearchLevel) {
            onePly_.reset();
            searchLevel_ = static_cast<int>(*number);
        } else {
            report("Level must be easy, hard or 1 to 10, not " + quoted(value));
        }
    } else if (sameWord(name, "UCI_LimitStrength")) {
        if (sameWord(value, "true") || sameWord(value, "false")) {
            limitStrength_ = sameWord(value, "true");
        } else {
            report("UCI_LimitStrength must be true or false, not " + quoted(value));
        }
    } else if (sameWord(name, "UCI_Elo")) {
        if (const auto number = spin(lowestLevelElo(), highestLevelElo())) {
            elo_ = static_cast<int>(*number);
        }
    } else if (sameWord(name, "Hash")) {
        if (const auto number = spin(1, kMaxHash)) {
            finish();
            table_.resize(static_cast<std::size_t>(*number));
        }
    } else if (sameWord(name, "Threads")) {
        spin(1, 1);  // one search thread is all the engine uses
    } else if (sameWord(name, "Move Overhead")) {
        if (const auto number = spin(0, kMaxOverhead)) {
            moveOverhead_ = static_cast<int>(*number);
        }
    } else {
        report("unknown option " + quoted(name) + ", line ignored");
    }
}

int UciEngine::searchLevelInForce() const {
    return limitStrength_ ? searchLevelForElo(elo_) : searchLevel_;
}

std::shared_ptr<AIPlayer> UciEngine::playerFor(Difficulty level, Color color) {
    std::shared_ptr<AIPlayer>& player = players_[{level, color}];
    if (!player) {
        // Its choices are asked for directly; it never takes a turn through a dispatcher.
        player = std::make_shared<AIPlayer>(color, AIConfiguration(level), nullptr);
    }
    return player;
}

void UciEngine::go(const std::vector<std::string_view>& words) {
    static constexpr std::string_view kNumbered[] = {"wtime",    "btime", "winc",  "binc", "movestogo",
                                                     "movetime", "depth", "nodes", "mate"};
    bool hold = false;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string_view word = words[i];
        if (word == "infinite" || word == "ponder") {
            hold = true;
        } else if (std::find(std::begin(kNumbered), std::end(kNumbered), word) != std::end(kNumbered)) {
            if (i + 1 >= words.size() || !isNumber(words[i + 1])) {
                report("go: " + std::string(word) + " needs a whole number, argument ignored");
            } else {
                ++i;
            }
        } else if (word == "searchmoves") {
            break;  // the moves to consider: the search honours them; the one-ply choice weighs every move
        } else {
            report("go: unknown argument " + quoted(word) + " ignored");
        }
    }
    finish();
    if (!onePly_ || limitStrength_) {
        goSearch(words, hold);
        return;
    }
    // The move comes from one rating pass; the clock and the limits cannot make it better or worse.
    const std::shared_ptr<AIPlayer> player = playerFor(*onePly_, position_.toMove);
    {
        std::lock_guard<std::mutex> lock(searchMutex_);
        holdAnswer_ = hold;
    }
    search_ = std::thread([this, player, board = position_.board] {
        const EngineChoice choice = chooseFor(*player, board);
        const bool inCheck = board.isColorInCheck(*player->color);
        {
            std::unique_lock<std::mutex> lock(searchMutex_);
            released_.wait(lock, [this] { return !holdAnswer_; });
        }
        send(infoLine(choice, inCheck));
        send(bestMoveLine(choice));
    });
}

void UciEngine::goSearch(const std::vector<std::string_view>& words, bool hold) {
    std::string error;
    search::Position position = search::Position::fromGame(position_.startFen, position_.played, error)
                                    .value_or(search::Position::fromBoard(position_.board, position_.toMove));
    search::Limits limits;
    limits.overhead = std::chrono::milliseconds(moveOverhead_);
    bool limited = hold;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string_view word = words[i];
        if (word == "searchmoves") {
            for (++i; i < words.size(); ++i) {
                if (const std::optional<search::Move> move = position.moveNamed(words[i])) {
                    limits.searchMoves.push_back(*move);
                } else {
                    report("go: searchmoves: " + quoted(words[i]) + " is no legal move, ignored");
                }
            }
            break;
        }
        const std::optional<long long> number =
            i + 1 < words.size() ? numberIn(words[i + 1], 0, 1LL << 40) : std::nullopt;
        if (!number) {
            continue;  // reported by go
        }
        const std::chrono::milliseconds ms(*number);
        if (word == "wtime" || word == "btime") {
            limits.time[word == "wtime" ? search::kWhite : search::kBlack] = ms;
        } else if (word == "winc" || word == "binc") {
            limits.increment[word == "winc" ? search::kWhite : search::kBlack] = ms;
        } else if (word == "movestogo") {
            limits.movesToGo = static_cast<int>(*number);
        } else if (word == "movetime") {
            limits.movetime = ms;
        } else if (word == "depth") {
            limits.depth = static_cast<int>(std::max(1LL, *number));
        } else if (word == "nodes") {
            limits.nodes = static_cast<std::uint64_t>(std::max(1LL, *number));
        } else if (word == "mate") {
            limits.mate = static_cast<int>(std::max(1LL, *number));
        } else {
            continue;
        }
        limited = true;
        ++i;
    }
    limits.infinite = hold;
    const SearchLevel& level = searchLevel(searchLevelInForce());
    if (!limited) {
        limits.movetime = level.thinkingTime + limits.overhead;  // a bare go: the level's time in the game
    }
    {
        std::lock_guard<std::mutex> lock(searchMutex_);
        holdAnswer_ = hold;
    }
    searcher_.rearm();
    const auto seed = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    search_ = std::thread([this, position, limits, handicap = level.handicap, seed]() mutable {
        const bool inCheck = position.inCheck();
        const search::Outcome outcome = searcher_.run(
            position, limits, handicap,
            [this](const search::Report& r) {
                const auto ms = std::max<long long>(r.time.count(), 1);
                std::string line =
                    "info depth " + std::to_string(r.depth) + " seldepth " + std::to_string(r.selDepth) +
                    " score " + scoreText(r.score) + " nodes " + std::to_string(r.nodes) + " nps " +
                    std::to_string(r.nodes * 1000 / static_cast<unsigned long long>(ms)) + " hashfull " +
                    std::to_string(r.hashfull) + " time " + std::to_string(r.time.count()) + " pv";
                for (const search::Move m : r.pv) {
                    line += " " + m.text();
                }
                send(line);
            },
            seed);
        {
            std::unique_lock<std::mutex> lock(searchMutex_);
            released_.wait(lock, [this] { return !holdAnswer_; });
        }
        if (outcome.best.isNull()) {
            send(std::string("info depth 0 score ") + (inCheck ? "mate 0" : "cp 0"));
            send("bestmove 0000");
        } else {
            send("bestmove " + outcome.best.text() +
                 (outcome.ponder.isNull() ? "" : " ponder " + outcome.ponder.text()));
        }
    });
}

void UciEngine::bench(const std::vector<std::string_view>& words) {
    finish();
    int depth = 9;
    if (words.size() > 1) {
        if (const std::optional<long long> number = numberIn(words[1], 1, 30)) {
            depth = static_cast<int>(*number);
        } else {
            report("bench: depth must be a whole number, 9 taken");
        }
    }
    const search::BenchResult result = search::runBench(depth);
    const auto ms = std::max<long long>(result.time.count(), 1);
    send("bench nodes " + std::to_string(result.nodes) + " time " + std::to_string(result.time.count()) +
         " nps " + std::to_string(result.nodes * 1000 / static_cast<unsigned long long>(ms)));
}

void UciEngine::releaseSearch() {
    searcher_.stop();
    {
        std::lock_guard<std::mutex> lock(searchMutex_);
        holdAnswer_ = false;
    }
    released_.notify_all();
}

void UciEngine::finish() {
    releaseSearch();
    if (search_.joinable()) {
        search_.join();
    }
}

}  // namespace zarvik::engine
