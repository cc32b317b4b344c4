#include "cli/cecpclient.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace zarvik::cli {
namespace {

using std::chrono::milliseconds;

// A first-version engine names no features; it gets this long to show that it has some.
constexpr milliseconds kFeatureWait(2000);

// The value of `name=` in a feature line ("feature setboard=1 ping=1"); empty when absent.
std::string featureValue(const std::string& line, const std::string& name) {
    std::size_t at = line.find(" " + name + "=");
    if (at == std::string::npos) {
        return {};
    }
    at += name.size() + 2;
    const std::size_t end = line.find(' ', at);
    return line.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

// "m:ss" for the level command.
std::string minutesAndSeconds(milliseconds time) {
    const long long seconds = time.count() / 1000;
    const long long rest = seconds % 60;
    return std::to_string(seconds / 60) + (rest < 10 ? ":0" : ":") + std::to_string(rest);
}

// Seconds with up to three decimals ("0.1", "2").
std::string seconds(milliseconds time) {
    std::string text = std::to_string(time.count() / 1000);
    if (const long long millis = time.count() % 1000; millis != 0) {
        std::string fraction = std::to_string(1000 + millis).substr(1);
        fraction.erase(fraction.find_last_not_of('0') + 1);
        text += "." + fraction;
    }
    return text;
}

// The engine's word for its move in long algebraic form: castling written as O-O becomes the
// king's step, a promotion letter is made lower case.
std::string longAlgebraic(std::string move, Color mover) {
    std::string castling = move;
    std::replace(castling.begin(), castling.end(), '0', 'O');
    const std::string rank = mover == Color::white ? "1" : "8";
    if (castling == "O-O") {
        return "e" + rank + "g" + rank;
    }
    if (castling == "O-O-O") {
        return "e" + rank + "c" + rank;
    }
    std::transform(move.begin(), move.end(), move.begin(), [](unsigned char c) { return std::tolower(c); });
    return move;
}

}  // namespace

std::unique_ptr<EngineClient> CecpClient::launch(std::unique_ptr<ChildProcess> process,
                                                 const EngineSpec& spec, std::string& error) {
    std::unique_ptr<CecpClient> client(new CecpClient(std::move(process)));
    ChildProcess& engine = client->process();
    engine.send("xboard");
    engine.send("protover 2");
    // Features come in any number of lines; done=0 asks for more time, done=1 ends them.
    auto wait = kFeatureWait;
    while (const std::optional<std::string> line = engine.waitFor("feature ", wait)) {
        for (const char* used : {"setboard", "usermove", "ping"}) {
            if (featureValue(*line, used) == "1") {
                engine.send(std::string("accepted ") + used);
            }
        }
        client->setboard_ = client->setboard_ || featureValue(*line, "setboard") == "1";
        client->usermove_ = client->usermove_ || featureValue(*line, "usermove") == "1";
        const std::string done = featureValue(*line, "done");
        if (done == "1") {
            break;
        }
        if (done == "0") {
            wait = kEngineStartTimeout;
        }
    }
    for (const auto& [name, value] : spec.options) {
        engine.send("option " + name + "=" + value);
    }
    // No thinking on the opponent's time: both players share the machine.
    if (!engine.send("easy")) {
        error = "\"" + spec.commandLine + "\" ended at the start";
        return nullptr;
    }
    return client;
}

CecpClient::~CecpClient() {
    process().send("quit");
}

std::optional<std::string> CecpClient::bestMove(const MoveRequest& request, milliseconds allowed) {
    ChildProcess& engine = process();
    engine.send("new");
    engine.send("force");
    if (!request.fen.empty()) {
        if (!setboard_) {
            return std::nullopt;  // it cannot start from a set-up position
        }
        engine.send("setboard " + request.fen);
    }
    for (const std::string& move : request.moves) {
        engine.send((usermove_ ? "usermove " : "") + move);
    }
    // A time per move is one move per period with the move's time on the clock: "st" takes whole
    // seconds only in several engines.
    const TimeControl& control = request.control;
    const int own = request.toMove == Color::white ? 0 : 1;
    if (control.movetime) {
        engine.send("level 1 " + minutesAndSeconds(std::max(*control.movetime, milliseconds(1000))) + " 0");
        engine.send("time " + std::to_string(control.movetime->count() / 10));
        engine.send("otim " + std::to_string(control.movetime->count() / 10));
    } else {
        engine.send("level 0 " + minutesAndSeconds(control.base) + " " + seconds(control.increment));
        engine.send("time " + std::to_string(request.clock[own].count() / 10));
        engine.send("otim " + std::to_string(request.clock[1 - own].count() / 10));
    }
    engine.send("go");
    const auto deadline = std::chrono::steady_clock::now() + allowed;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now());
        const std::optional<std::string> line = engine.readLine(std::max(left, milliseconds(0)));
        if (!line) {
            return std::nullopt;
        }
        std::istringstream words(*line);
        std::string first;
        std::string second;
        words >> first >> second;
        if (first == "move" && !second.empty()) {
            engine.send("force");
            return longAlgebraic(second, request.toMove);
        }
        if (first == "resign" || line->ends_with("resigns}")) {
            return "resign";
        }
    }
}

}  // namespace zarvik::cli
