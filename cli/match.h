#pragma once
// Games between two engines from a list of openings, each opening played with both colours, every
// move checked with the rules; and the statistics of a match: score and Elo difference with margin.
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/engineclient.h"
#include "notation/pgn.h"
#include "rules/board.h"
#include "rules/perft.h"

namespace zarvik::cli {

// "1".."10", "Stufe N", "easy"/"leicht", "hard"/"schwer" run zarvik-uci from `uciPath` at that level;
// "uci:COMMAND;Name=Value;..." and "cecp:COMMAND;Name=Value;..." run another engine. None for
// anything else.
std::optional<EngineSpec> engineNamed(const std::string& text, const std::string& uciPath);

struct Opening {
    std::string fen;                 // empty: the starting position
    std::vector<std::string> moves;  // long algebraic
};

// The built-in balanced openings.
const std::vector<Opening>& builtInOpenings();
// Openings from a file: EPD (a position a line) or PGN (the moves of each game). Empty on trouble,
// with the reason in `error`.
std::vector<Opening> readOpenings(const std::string& path, std::string& error);

struct GameResult {
    PgnResult result = PgnResult::unknown;
    std::string termination;  // "mate", "stalemate", "repetition", "time forfeit", ...
    std::string pgn;          // the game for other programs
};

// Plays one game; `white` and `black` are the engines' specs (started for this game).
GameResult playGame(const EngineSpec& white, const EngineSpec& black, const Opening& opening,
                    const TimeControl& control, int maxPlies);

struct MatchScore {
    int wins = 0;
    int draws = 0;
    int losses = 0;

    int games() const { return wins + draws + losses; }
    double score() const;  // 0...1
    // Elo difference and the half-width of its 95 % interval; none without games or when every game
    // went one way.
    std::optional<std::pair<double, double>> elo() const;
};

}  // namespace zarvik::cli
