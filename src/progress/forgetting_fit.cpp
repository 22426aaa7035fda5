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
constexpr double kCountedFromDays = 0.5;
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

void ForgettingRecord::add(double days, double stability, int answersBefore, bool correct) {
    if (days < kCountedFromDays) return;
    const double bin = std::floor(4 * std::log2(days / std::max(stability, 0.001)));
    const int index = static_cast<int>(std::clamp(bin, double{kLowestBin}, double{kLowestBin + kBins - 1})) - kLowestBin;
    ForgettingCount& count = counts_[static_cast<std::size_t>(classOf(answersBefore) * kBins + index)];
    ++count.answers;
    if (correct) ++count.right;
}

ForgettingCurve ForgettingRecord::fitted() const {
    int counted = 0;
    for (const ForgettingCount& count : counts_) counted += count.answers;
    if (counted < kEnoughAnswers) return {};
    const Likelihoods& table = likelihoods();
    double best = -std::numeric_limits<double>::infinity();
    ForgettingCurve bestCurve;
    for (std::size_t d = 0; d < kDecays.size(); ++d) {
        double total = 0;
        std::array<int, kClasses> steps{};
        for (int c = 0; c < kClasses; ++c) {
            double classBest = -std::numeric_limits<double>::infinity();
            for (int j = kLowestScaleStep; j <= kHighestScaleStep; ++j) {
                double sum = 0;
                for (int b = 0; b < kBins; ++b) {
                    const ForgettingCount& count = counts_[static_cast<std::size_t>(c * kBins + b)];
                    if (count.answers == 0) continue;
                    const auto shift = static_cast<std::size_t>(b + kLowestBin - j - kLowestShift);
                    sum += count.right * table.right[d][shift] + (count.answers - count.right) * table.wrong[d][shift];
                }
                // Ties, a class without answers among them, keep the scale nearest 1.
                if (sum > classBest || (sum == classBest && std::abs(j) < std::abs(steps[static_cast<std::size_t>(c)])))
                    classBest = sum, steps[static_cast<std::size_t>(c)] = j;
            }
            total += classBest;
        }
        if (total > best) best = total, bestCurve = ForgettingCurve(static_cast<int>(d), steps);
    }
    return bestCurve;
}

}  // namespace pathwick
