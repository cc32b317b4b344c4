#pragma once
// The fit of the evaluation's weights to game results: the mean squared error between
// sigmoid(K * eval) and the result over quiet positions, K fitted first, then the weights by damped
// Newton steps over the evaluation's linear trace; printed as the C++ table the engine compiles.
#include <istream>
#include <ostream>

namespace zarvik::tune {

struct FitOptions {
    int passes = 300;       // full passes over all positions
    double step = 0.3;      // the share of each weight's Newton step taken per pass
    double damping = 0.05;  // a weight seen in this share of the positions moves at half speed
};

// Reads "FEN;R" lines, fits, prints the new weights' header to `out` and the fit's progress to `log`.
// False (with a message on `log`) when no position could be read.
bool fitWeights(std::istream& in, const FitOptions& options, std::ostream& out, std::ostream& log);

}  // namespace zarvik::tune
