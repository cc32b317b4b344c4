#include "cli/match.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

#include "notation/pgnread.h"
#include "notation/pgnwrite.h"
#include "notation/san.h"
#include "rules/fen.h"
#include "search/position.h"
#include "util/text.h"

namespace zarvik::cli {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Time an engine gets beyond its own clock before it counts as not answering.
constexpr milliseconds kGrace(1000);

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, separator);) {
        if (!part.empty()) {
            parts.push_back(part);
        }
    }
    return parts;
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string pgnOf(const Opening& opening, const std::string& white, const std::string& black,
                  const std::vector<PerftMove>& moves, PgnResult result, const std::string& termination) {
    if (opening.fen.empty()) {
        PgnExport game;
        game.white = white;
        game.black = black;
        game.moves = moves;
        game.result = result;
        game.termination = termination;
        return writePgn(game);
    }
    // A game from a set-up position: the same export form with the position's tags.
    std::string error;
    const std::optional<FenPosition> start = readFen(opening.fen, error);
    std::string text = "[Event \"?\"]\n[Site \"?\"]\n[Date \"????.??.??\"]\n[Round \"?\"]\n[White \"" +
                       white + "\"]\n[Black \"" + black + "\"]\n[Result \"" +
                       std::string(resultToken(result)) + "\"]\n[SetUp \"1\"]\n[FEN \"" + opening.fen +
                       "\"]\n";
    if (!termination.empty()) {
        text += "[Termination \"" + termination + "\"]\n";
    }
    text += "\n";
    Board board = start->board;
    Color toMove = start->toMove;
    std::string line;
    int number = 1;
    for (std::size_t i = 0; i < moves.size(); ++i) {
        std::string word = sanText(board, toMove, moves[i]);
        if (toMove == Color::white) {
            word = std::to_string(number) + ". " + word;
        } else if (i == 0) {
            word = std::to_string(number) + "... " + word;
        }
        if (toMove == Color::black) {
            ++number;
        }
        if (line.size() + word.size() + 1 > 79) {
            text += line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
        board = afterMove(board, toMove, moves[i]);
        toMove = opposite(toMove);
    }
    line += (line.empty() ? "" : " ") + std::string(resultToken(result));
    return text + line + "\n\n";
}

}  // namespace

std::optional<EngineSpec> engineNamed(const std::string& text, const std::string& uciPath) {
    const bool cecp = text.starts_with("cecp:");
    if (text.starts_with("uci:") || cecp) {
        const std::vector<std::string> parts = split(text.substr(cecp ? 5 : 4), ';');
        if (parts.empty()) {
            return std::nullopt;
        }
        EngineSpec spec{parts[0].substr(parts[0].find_last_of('/') + 1),
                        parts[0],
                        {},
                        cecp ? Protocol::cecp : Protocol::uci};
        for (std::size_t i = 1; i < parts.size(); ++i) {
            const std::size_t equals = parts[i].find('=');
            if (equals == std::string::npos) {
                return std::nullopt;
            }
            spec.options.emplace_back(parts[i].substr(0, equals), parts[i].substr(equals + 1));
            spec.name += " " + parts[i];
        }
        return spec;
    }
    const std::string name = lower(text);
    std::string level;
    std::string shown;
    if (name == "easy" || name == "leicht") {
        level = "easy";
        shown = "Zarvik leicht";
    } else if (name == "hard" || name == "schwer") {
        level = "hard";
        shown = "Zarvik schwer";
    } else {
        const std::string number = name.starts_with("stufe") ? name.substr(5) : name;
        const std::string digits =
            number.substr(number.find_first_not_of(' ') == std::string::npos ? number.size()
                                                                             : number.find_first_not_of(' '));
        if (digits.empty() || digits.size() > 2 || !alldigits(digits)) {
            return std::nullopt;
        }
        const int n = std::stoi(digits);
        if (n < 1 || n > 10) {
            return std::nullopt;
        }
        level = std::to_string(n);
        shown = "Zarvik Stufe " + level;
    }
    return EngineSpec{shown, "'" + uciPath + "'", {{"Level", level}}};
}

const std::vector<Opening>& builtInOpenings() {
    // Main lines that leave both sides a normal game, a few moves deep.
    static const std::vector<Opening> openings = [] {
        const char* lines[] = {
            "e2e4 e7e5 g1f3 b8c6 f1b5 a7a6", "e2e4 e7e5 g1f3 b8c6 f1c4 f8c5", "e2e4 c7c5 g1f3 d7d6 d2d4 c5d4",
            "e2e4 c7c5 b1c3 b8c6 g2g3 g7g6", "e2e4 e7e6 d2d4 d7d5 b1c3 g8f6", "e2e4 c7c6 d2d4 d7d5 e4e5 c8f5",
            "e2e4 d7d6 d2d4 g8f6 b1c3 g7g6", "e2e4 e7e5 g1f3 g8f6 f3e5 d7d6", "d2d4 d7d5 c2c4 e7e6 b1c3 g8f6",
            "d2d4 d7d5 c2c4 c7c6 g1f3 g8f6", "d2d4 g8f6 c2c4 g7g6 b1c3 f8g7", "d2d4 g8f6 c2c4 e7e6 b1c3 f8b4",
            "d2d4 g8f6 c2c4 e7e6 g1f3 b7b6", "d2d4 d7d5 g1f3 g8f6 c1f4 e7e6", "c2c4 e7e5 b1c3 g8f6 g2g3 d7d5",
            "c2c4 c7c5 g1f3 g8f6 b1c3 b8c6", "g1f3 d7d5 g2g3 g8f6 f1g2 e7e6", "d2d4 f7f5 g2g3 g8f6 f1g2 e7e6",
            "e2e4 g7g6 d2d4 f8g7 b1c3 d7d6", "d2d4 g8f6 c2c4 c7c5 d4d5 e7e6",
        };
        std::vector<Opening> result;
        for (const char* line : lines) {
            result.push_back(Opening{"", split(line, ' ')});
        }
        return result;
    }();
    return openings;
}

std::vector<Opening> readOpenings(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read \"" + path + "\"";
        return {};
    }
    std::stringstream whole;
    whole << in.rdbuf();
    const std::string text = whole.str();
    std::vector<Opening> openings;
    if (lower(path).ends_with(".pgn")) {
        // One game after the other, each starting at its first tag.
        std::size_t start = text.find("[Event");
        while (start != std::string::npos) {
            const std::size_t next = text.find("[Event", start + 6);
            const PgnReading game = readPgn(std::string_view(text).substr(start, next - start));
            if (game.failure == PgnFailure::none && !game.moves.empty()) {
                Opening opening;
                for (const PerftMove& move : game.moves) {
                    opening.moves.push_back(move.text());
                }
                openings.push_back(opening);
            }
            start = next;
        }
    } else {
        for (const std::string& line : split(text, '\n')) {
            std::vector<std::string> fields = split(line, ' ');
            if (fields.size() < 4 || fields[0].starts_with("#")) {
                continue;
            }
            // EPD has four fields and operations; a FEN's clocks may follow.
            std::string fen = fields[0] + " " + fields[1] + " " + fields[2] + " " + fields[3];
            std::string problem;
            if (readFen(fen + " 0 1", problem)) {
                openings.push_back(Opening{fen + " 0 1", {}});
            }
        }
    }
    if (openings.empty()) {
        error = "no opening in \"" + path + "\"";
    }
    return openings;
}

GameResult playGame(const EngineSpec& white, const EngineSpec& black, const Opening& opening,
                    const TimeControl& control, int maxPlies) {
    GameResult outcome;
    std::vector<PerftMove> moves;
    const auto finish = [&](PgnResult result, std::string termination) {
        outcome.result = result;
        outcome.termination = std::move(termination);
        outcome.pgn = pgnOf(opening, white.name, black.name, moves, result, outcome.termination);
        return outcome;
    };
    std::string error;
    const std::optional<FenPosition> start =
        opening.fen.empty() ? readFen(kStartFen, error) : readFen(opening.fen, error);
    if (!start) {
        return finish(PgnResult::unknown, "bad opening");
    }
    Board board = start->board;
    Color toMove = start->toMove;
    search::Position keys = search::Position::fromBoard(board, toMove);
    std::map<std::uint64_t, int> seen{{keys.key(), 1}};
    const auto play = [&](const PerftMove& move) {
        moves.push_back(move);
        board = afterMove(board, toMove, move);
        toMove = opposite(toMove);
        keys.makeNamed(move.text());
        return ++seen[keys.key()];
    };
    for (const std::string& text : opening.moves) {
        const std::vector<PerftMove> legal = legalMoves(board, toMove);
        const auto found =
            std::find_if(legal.begin(), legal.end(), [&](const PerftMove& m) { return m.text() == text; });
        if (found == legal.end()) {
            return finish(PgnResult::unknown, "bad opening");
        }
        play(*found);
    }
    const std::size_t openingPlies = moves.size();

    std::string problem;
    std::unique_ptr<EngineClient> engines[2] = {EngineClient::launch(white, problem),
                                                EngineClient::launch(black, problem)};
    for (int side = 0; side < 2; ++side) {
        if (!engines[side]) {
            return finish(side == 0 ? PgnResult::blackWins : PgnResult::whiteWins, "engine did not start");
        }
    }
    MoveRequest request{opening.fen, {}, toMove, control, {control.base, control.base}};
    const PgnResult lossOf[2] = {PgnResult::blackWins, PgnResult::whiteWins};
    for (;;) {
        const std::vector<PerftMove> legal = legalMoves(board, toMove);
        if (legal.empty()) {
            return board.isColorInCheck(toMove) ? finish(lossOf[toMove == Color::white ? 0 : 1], "")
                                                : finish(PgnResult::draw, "stalemate");
        }
        if (keys.halfmoveClock() >= 100) {
            return finish(PgnResult::draw, "fifty moves");
        }
        if (keys.insufficientMaterial()) {
            return finish(PgnResult::draw, "insufficient material");
        }
        if (static_cast<int>(moves.size() - openingPlies) >= maxPlies) {
            return finish(PgnResult::draw, "adjudicated after " + std::to_string(maxPlies) + " plies");
        }
        const int side = toMove == Color::white ? 0 : 1;
        request.moves.clear();
        for (const PerftMove& m : moves) {
            request.moves.push_back(m.text());
        }
        request.toMove = toMove;
        const milliseconds allowed = (control.movetime ? *control.movetime : request.clock[side]) + kGrace;
        const auto asked = Clock::now();
        const std::optional<std::string> answer = engines[side]->bestMove(request, allowed);
        const auto used = std::chrono::duration_cast<milliseconds>(Clock::now() - asked);
        if (!answer) {
            return finish(lossOf[side], "time forfeit");
        }
        if (*answer == "resign") {
            return finish(lossOf[side], "resignation");
        }
        if (!control.movetime) {
            request.clock[side] -= used;
            if (request.clock[side].count() < 0) {
                return finish(lossOf[side], "time forfeit");
            }
            request.clock[side] += control.increment;
        }
        const std::string& text = *answer;
        const auto found = std::find_if(legal.begin(), legal.end(), [&](const PerftMove& m) {
            return m.text() == text || (m.promotion == PieceType::queen && m.text() == text + "q");
        });
        if (found == legal.end()) {
            return finish(lossOf[side], "illegal move " + text);
        }
        if (play(*found) >= 3) {
            return finish(PgnResult::draw, "repetition");
        }
    }
}

double MatchScore::score() const {
    return games() == 0 ? 0.0 : (wins + 0.5 * draws) / games();
}

std::optional<std::pair<double, double>> MatchScore::elo() const {
    const int n = games();
    if (n == 0 || wins == n || losses == n) {
        return std::nullopt;  // a clean sweep only bounds the difference from one side
    }
    const auto eloOf = [](double s) {
        s = std::clamp(s, 0.001, 0.999);
        return -400.0 * std::log10(1.0 / s - 1.0);
    };
    const double s = score();
    const double variance =
        (wins * std::pow(1.0 - s, 2) + draws * std::pow(0.5 - s, 2) + losses * std::pow(s, 2)) / n;
    const double error = std::sqrt(variance / n);
    const double margin = (eloOf(s + 1.96 * error) - eloOf(s - 1.96 * error)) / 2.0;
    return std::make_pair(eloOf(s), margin);
}

}  // namespace zarvik::cli
