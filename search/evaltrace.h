#pragma once
// The evaluation taken apart for the tuner: how often each weight counts in a position (White's
// count minus Black's), and the value those counts give for any set of weights.
#include <cstdint>
#include <span>
#include <vector>

#include "search/position.h"

namespace zarvik::search {

inline constexpr int kFullPhase = 24;  // the phase with all pieces on the board; 0 with none
inline constexpr int kFullScale = 64;  // the share of a score kept when the material can win

struct EvalTrace {
    struct Term {
        std::int16_t weight = 0;  // index into EvalWeights
        std::int16_t count = 0;
    };
    std::vector<Term> terms;
    int phase = 0;           // of kFullPhase
    int fixedMg = 0;         // king danger for White: not linear in the weights, so not tuned
    int scale = kFullScale;  // less when drawish material pulls the score towards zero
};

EvalTrace traceEvaluation(const Position& position);

// The evaluation for White that the trace gives with these weights (middlegame and endgame halves
// by index).
double tracedValue(const EvalTrace& trace, std::span<const double> mg, std::span<const double> eg);

}  // namespace zarvik::search
