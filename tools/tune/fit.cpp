#include "tools/tune/fit.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "search/evaltrace.h"
#include "search/tunedweights.h"

namespace zarvik::tune {
namespace {

using namespace zarvik::search;

struct Sample {
    EvalTrace trace;
    double result = 0.5;
};

struct Weights {
    std::vector<double> mg;
    std::vector<double> eg;
};

double sigmoid(double k, double eval) {
    return 1.0 / (1.0 + std::exp(-k * eval / 400.0));
}

double meanError(const std::vector<Sample>& samples, const Weights& w, double k) {
    double sum = 0;
    for (const Sample& s : samples) {
        const double d = s.result - sigmoid(k, tracedValue(s.trace, w.mg, w.eg));
        sum += d * d;
    }
    return sum / static_cast<double>(samples.size());
}

// The K whose sigmoid best matches the results with the current weights: a scan from 0.3 to 6,
// narrowed twice around the best.
double fitScale(const std::vector<Sample>& samples, const Weights& w) {
    double best = 3.0;
    double step = 1.5;
    for (int round = 0; round < 3; ++round) {
        const double centre = best;
        double bestError = meanError(samples, w, best);
        for (int i = -10; i <= 10; ++i) {
            const double k = centre + i * step / 5;
            if (k <= 0) {
                continue;
            }
            const double e = meanError(samples, w, k);
            if (e < bestError) {
                bestError = e;
                best = k;
            }
        }
        step /= 5;
    }
    return best;
}

// Material stays as it is, so that the search's exchange values keep their meaning. Placement stays too:
// full tables fitted to a few hundred thousand self-play positions learnt their noise and played
// weaker (measured), the shapes they start from hold.
constexpr int kFirstTuned = weight::kKnightMobility;

// Damped diagonal Newton steps on the squared error: a weight moves by its gradient over its own
// curvature plus a damping, so weights seen in many positions settle in a few passes while those seen
// in few positions barely move instead of learning their noise. Steps are cut to a fraction because
// the diagonal ignores how weights stand in for each other.
void descend(const std::vector<Sample>& samples, Weights& w, double k, const FitOptions& options,
             std::ostream& log) {
    const std::size_t n = w.mg.size();
    std::vector<double> gradMg(n), gradEg(n), curveMg(n), curveEg(n);
    for (int pass = 1; pass <= options.passes; ++pass) {
        std::fill(gradMg.begin(), gradMg.end(), 0.0);
        std::fill(gradEg.begin(), gradEg.end(), 0.0);
        std::fill(curveMg.begin(), curveMg.end(), 0.0);
        std::fill(curveEg.begin(), curveEg.end(), 0.0);
        double fullCurve = 0;  // the curvature of a weight counted once in every position
        for (const Sample& s : samples) {
            const double p = sigmoid(k, tracedValue(s.trace, w.mg, w.eg));
            const double slope = k / 400.0 * p * (1 - p) * (static_cast<double>(s.trace.scale) / kFullScale);
            const double mgShare = static_cast<double>(s.trace.phase) / kFullPhase;
            const double egShare = 1 - mgShare;
            fullCurve += slope * slope;
            for (const EvalTrace::Term t : s.trace.terms) {
                const double dMg = slope * mgShare * t.count;
                const double dEg = slope * egShare * t.count;
                gradMg[t.weight] += (p - s.result) * dMg;
                gradEg[t.weight] += (p - s.result) * dEg;
                curveMg[t.weight] += dMg * dMg;
                curveEg[t.weight] += dEg * dEg;
            }
        }
        const double damping = options.damping * fullCurve;
        for (std::size_t i = kFirstTuned; i < n; ++i) {
            w.mg[i] -= options.step * gradMg[i] / (curveMg[i] + damping);
            w.eg[i] -= options.step * gradEg[i] / (curveEg[i] + damping);
        }
        if (pass % 50 == 0) {
            log << "pass " << pass << ": error " << meanError(samples, w, k) << '\n' << std::flush;
        }
    }
}

void printWeights(const Weights& w, std::ostream& out) {
    out << "#pragma once\n"
           "// The evaluation's numbers, printed by zarvik-tune (tools/tune) from its fit over positions of "
           "the\n"
           "// project's own games; regenerate them with it rather than editing by hand.\n"
           "#include \"search/evalweights.h\"\n\n"
           "namespace zarvik::search {\n\n"
           "// clang-format off: a row of eight is a rank of the board\n"
           "inline constexpr EvalWeights kEvalWeights{{\n";
    const auto& groups = weight::kGroups;
    for (std::size_t j = 0; j < groups.size(); ++j) {
        const weight::Group& g = groups[j];
        const int size = (j + 1 < groups.size() ? groups[j + 1].at : weight::kCount) - g.at;
        out << "    // " << g.name << '\n';
        for (int i = 0; i < size; ++i) {
            out << (i % 8 == 0 ? "    " : " ") << '{' << std::lround(w.mg[g.at + i]) << ", "
                << std::lround(w.eg[g.at + i]) << "},";
            if (i % 8 == 7 || i == size - 1) {
                out << '\n';
            }
        }
    }
    out << "}};\n// clang-format on\n\n}  // namespace zarvik::search\n";
}

}  // namespace

bool fitWeights(std::istream& in, const FitOptions& options, std::ostream& out, std::ostream& log) {
    std::vector<Sample> samples;
    std::string line;
    std::uint64_t unread = 0;
    while (std::getline(in, line)) {
        const std::size_t cut = line.rfind(';');
        std::string error;
        std::optional<Position> pos =
            cut == std::string::npos ? std::nullopt : Position::fromFen(line.substr(0, cut), error);
        if (!pos) {
            ++unread;
            continue;
        }
        const std::string result = line.substr(cut + 1);
        samples.push_back({traceEvaluation(*pos), result == "1" ? 1.0 : result == "0" ? 0.0 : 0.5});
    }
    log << samples.size() << " positions read, " << unread << " lines skipped\n";
    if (samples.empty()) {
        log << "zarvik-tune: no positions to fit\n";
        return false;
    }
    Weights w;
    for (const Pair p : kEvalWeights) {
        w.mg.push_back(p.mg);
        w.eg.push_back(p.eg);
    }
    const double k = fitScale(samples, w);
    log << "K " << k << ", error " << meanError(samples, w, k) << '\n' << std::flush;
    descend(samples, w, k, options, log);
    printWeights(w, out);
    return true;
}

}  // namespace zarvik::tune
