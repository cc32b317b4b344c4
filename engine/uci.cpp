#include "engine/uci.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string>

#include "engine/choice.h"

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

bool isNumber(std::string_view word) {
    long long number = 0;
    const char* begin = word.data() + (!word.empty() && word[0] == '+' ? 1 : 0);
    const auto [end, status] = std::from_chars(begin, word.data() + word.size(), number);
    return status == std::errc() && end == word.data() + word.size();
}

}  // namespace

UciEngine::UciEngine(std::function<void(std::string_view)> output) : output_(std::move(output)) {}

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
        position_ = EnginePosition{};
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
    send("option name Level type combo default hard var easy var hard");
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
    if (!sameWord(name, "Level")) {
        report("unknown option " + quoted(name) + ", line ignored");
        return;
    }
    const std::string value = valueWord == words.end() ? "" : joined(valueWord + 1, words.end());
    if (sameWord(value, "easy")) {
        level_ = Difficulty::easy;
    } else if (sameWord(value, "hard")) {
        level_ = Difficulty::hard;
    } else {
        report("Level must be easy or hard, not " + quoted(value));
    }
}

std::shared_ptr<AIPlayer> UciEngine::playerFor(Color color) {
    std::shared_ptr<AIPlayer>& player = players_[{level_, color}];
    if (!player) {
        // Its choices are asked for directly; it never takes a turn through a dispatcher.
        player = std::make_shared<AIPlayer>(color, AIConfiguration(level_), nullptr);
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
            break;  // the moves to consider; the choice weighs every legal move
        } else {
            report("go: unknown argument " + quoted(word) + " ignored");
        }
    }
    // The move comes from one rating pass; the clock and the limits cannot make it better or worse.
    finish();
    const std::shared_ptr<AIPlayer> player = playerFor(position_.toMove);
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

void UciEngine::releaseSearch() {
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
