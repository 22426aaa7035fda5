#include "progress/memory_model.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace pathwick {
namespace {

constexpr std::array<double, 21> w{0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194,
                                   0.001,  1.8722, 0.1666, 0.796,  1.4835, 0.0614, 0.2629,
                                   1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};
constexpr double kMinStability = 0.001;

// The constants of the formulas that do not depend on the answer, worked
// out once rather than on each of the many answers of a replay.
struct Derived {
    double curveFactor = std::pow(0.9, -1 / w[20]) - 1;  // so that R(S, S) = 0.9
    double easyTarget = w[4] - std::exp(w[5] * 3) + 1;   // D4, where difficulty drifts to
    double growth = std::exp(w[8]);
    double lapseShrink = std::exp(w[17] * w[18]);        // a lapse never leaves S above S / this
    // The same-day factor's part that depends on the rating alone, by rating.
    std::array<double, 5> sameDayByRating{0, sameDayPart(1), sameDayPart(2), sameDayPart(3), sameDayPart(4)};

    static double sameDayPart(double rating) { return std::exp(w[17] * (rating - 3 + w[18])); }
};

const Derived& derived() {
    static const Derived values;
    return values;
}

// Recall as the stability update uses it: to eight decimals, as the model's
// reference values take it. Exact recall drifts from them by up to 3e-6 days
// on long intervals; the rounding itself moves stability by less than a
// second.
double updateRecall(double elapsedDays, double stability) {
    return std::round(Retrievability(elapsedDays, stability) * 1e8) / 1e8;
}

double grade(Rating rating) { return static_cast<double>(rating); }

double initialDifficulty(Rating rating) { return w[4] - std::exp(w[5] * (grade(rating) - 1)) + 1; }

double clampDifficulty(double difficulty) { return std::clamp(difficulty, 1.0, 10.0); }

double sameDayStability(double stability, Rating rating) {
    const double factor =
        derived().sameDayByRating[static_cast<std::size_t>(rating)] * std::pow(stability, -w[19]);
    return stability * (rating >= Rating::Good ? std::max(1.0, factor) : factor);
}

double lapseStability(const MemoryState& before, double recall) {
    const double relearned = w[11] * std::pow(before.difficulty, -w[12]) *
                             (std::pow(before.stability + 1, w[13]) - 1) * std::exp((1 - recall) * w[14]);
    return std::min(relearned, before.stability / derived().lapseShrink);
}

double recallStability(const MemoryState& before, double recall, Rating rating) {
    const double hard = rating == Rating::Hard ? w[15] : 1;
    const double easy = rating == Rating::Easy ? w[16] : 1;
    return before.stability * (1 + derived().growth * (11 - before.difficulty) * std::pow(before.stability, -w[9]) *
                                       (std::exp((1 - recall) * w[10]) - 1) * hard * easy);
}

double nextDifficulty(double difficulty, Rating rating) {
    const double moved = difficulty + (10 - difficulty) * (-w[6] * (grade(rating) - 3)) / 9;
    return clampDifficulty(w[7] * derived().easyTarget + (1 - w[7]) * moved);
}

}  // namespace

double Retrievability(double elapsedDays, double stability) {
    const double t = std::max(elapsedDays, 0.0);
    return std::pow(1 + derived().curveFactor * t / std::max(stability, kMinStability), -w[20]);
}

MemoryState FirstMemory(Rating rating) {
    return {w[static_cast<std::size_t>(rating) - 1], clampDifficulty(initialDifficulty(rating))};
}

MemoryState NextMemory(const MemoryState& before, double elapsedDays, Rating rating) {
    double stability = 0;
    if (elapsedDays < 1)
        stability = sameDayStability(before.stability, rating);
    else if (rating == Rating::Again)
        stability = lapseStability(before, updateRecall(elapsedDays, before.stability));
    else
        stability = recallStability(before, updateRecall(elapsedDays, before.stability), rating);
    return {std::max(stability, kMinStability), nextDifficulty(before.difficulty, rating)};
}

}  // namespace pathwick
