#include "progress/forgetting_fit.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "progress/memory_model.h"

namespace pathwick {
namespace {

constexpr std::array kDecays{0.1542, 0.25, 0.35, 0.5, 0.7, 1.0, 1.4, 2.0, 3.0};
constexpr int kLowestScaleStep = -16;  // k = 1/16
constexpr int kHighestScaleStep = 8;   // k = 4
constexpr int kLowestBin = -32;
// A bin read with scale step j is the curve at bin - j: the shifts span this.
constexpr int kLowestShift = kLowestBin - kHighestScaleStep;
constexpr int kShifts = ForgettingRecord::kBins + kHighestScaleStep - kLowestScaleStep;

double scaledRecall(double decay, double x) { return std::pow(1 + (std::pow(0.9, -1 / decay) - 1) * x, -decay); }

int classOf(int answers) { return answers <= 1 ? 0 : answers == 2 ? 1 : 2; }

// log P(right) and log P(wrong) per decay and shift, worked out once.
struct Likelihoods {
    std::array<std::array<double, kShifts>, kDecays.size()> right{}, wrong{};
    Likelihoods() {
        for (std::size_t d = 0; d < kDecays.size(); ++d) {
            for (int s = 0; s < kShifts; ++s) {
                const double recall = scaledRecall(kDecays[d], std::exp2((kLowestShift + s + 0.5) / 4));
                const double p = recall + (1 - recall) / 4;  // within [1/4, 1): both logs finite
                right[d].at(static_cast<std::size_t>(s)) = std::log(p);
                wrong[d].at(static_cast<std::size_t>(s)) = std::log(1 - p);
            }
        }
    }
};

const Likelihoods& likelihoods() {
    static const Likelihoods table;
    return table;
}

}  // namespace

double ForgettingCurve::recall(double days, double stability, int answers) const {
    if (decayStep_ < 0) return Retrievability(days, stability);
    const double scale = std::exp2(scaleSteps_[static_cast<std::size_t>(classOf(answers))] / 4.0);
    return scaledRecall(kDecays[static_cast<std::size_t>(decayStep_)],
                        std::max(days, 0.0) / (scale * std::max(stability, 0.001)));
}

void ForgettingRecord::add(double days, double stability, int answersBefore, const Sitting& before, bool correct) {
    if (days < kSittingGapDays) return;  // only answers of a later sitting
    const auto indexOf = [&](double s) {
        const double bin = std::floor(4 * std::log2(days / std::max(s, 0.001)));
        return static_cast<int>(std::clamp(bin, double{kLowestBin}, double{kLowestBin + kBins - 1})) - kLowestBin;
    };
    const auto count = [&](int c, double s) {
        ForgettingCount& counted = counts_[static_cast<std::size_t>(c * kBins + indexOf(s))];
        ++counted.answers;
        if (correct) ++counted.right;
    };
    count(classOf(answersBefore), stability);
    count(kClasses + (before.answers > 1 ? 1 : 0), before.firstStability);
}

ForgettingRecord::ClassFit ForgettingRecord::fitClass(std::size_t decay, int c) const {
    const Likelihoods& table = likelihoods();
    ClassFit best{-std::numeric_limits<double>::infinity(), 0};
    for (int j = kLowestScaleStep; j <= kHighestScaleStep; ++j) {
        double sum = 0;
        for (int b = 0; b < kBins; ++b) {
            const ForgettingCount& count = counts_[static_cast<std::size_t>(c * kBins + b)];
            if (count.answers == 0) continue;
            const auto shift = static_cast<std::size_t>(b + kLowestBin - j - kLowestShift);
            sum += count.right * table.right[decay][shift] + (count.answers - count.right) * table.wrong[decay][shift];
        }
        // Ties, a class without answers among them, keep the scale nearest 1.
        if (sum > best.likelihood || (sum == best.likelihood && std::abs(j) < std::abs(best.step))) best = {sum, j};
    }
    return best;
}

int ForgettingRecord::answersOf(int c) const {
    int answers = 0;
    for (int b = 0; b < kBins; ++b) answers += counts_[static_cast<std::size_t>(c * kBins + b)].answers;
    return answers;
}

SittingRepeats ForgettingRecord::repeatsFor(std::size_t decay) const {
    const int single = kClasses;
    const int repeated = kClasses + 1;
    if (answersOf(single) < kEnoughPerSittingClass || answersOf(repeated) < kEnoughPerSittingClass)
        return SittingRepeats::Unknown;
    const int longer = fitClass(decay, repeated).step - fitClass(decay, single).step;
    return longer >= kPayingScaleSteps ? SittingRepeats::Pay : SittingRepeats::DoNotPay;
}

ForgettingCurve ForgettingRecord::fitted() const {
    int counted = 0;
    for (int c = 0; c < kClasses; ++c) counted += answersOf(c);
    if (counted < kEnoughAnswers) return {};
    double best = -std::numeric_limits<double>::infinity();
    std::size_t bestDecay = 0;
    std::array<int, kClasses> bestSteps{};
    for (std::size_t d = 0; d < kDecays.size(); ++d) {
        double total = 0;
        std::array<int, kClasses> steps{};
        for (int c = 0; c < kClasses; ++c) {
            const ClassFit fit = fitClass(d, c);
            total += fit.likelihood;
            steps[static_cast<std::size_t>(c)] = fit.step;
        }
        if (total > best) best = total, bestDecay = d, bestSteps = steps;
    }
    return {static_cast<int>(bestDecay), bestSteps, repeatsFor(bestDecay)};
}

}  // namespace pathwick
