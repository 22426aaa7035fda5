// Each answer leaves a trace that decays by a power law; recall follows the
// summed activation m = ln(sum of (t - t_j)^-d_j). A trace laid down while
// the item is still active decays faster (d_j = c e^m + a), so massed study
// fades sooner than spaced study.
#include <cmath>

#include "learner.h"

namespace pathwick::bench {
namespace {

constexpr double kBaseDecay = 0.25;      // a
constexpr double kActivationDecay = 0.12;  // c
constexpr double kThreshold = 0.1;       // activation at which recall is even, for speed 1 and difficulty 0
constexpr double kNoise = 0.35;          // spread of the logistic recall curve
constexpr double kDifficultyShift = 0.45;
constexpr double kSpeedShift = 0.4;
constexpr double kMinimumAge = 1.0 / 1440;  // a minute, in days

struct Trace {
    double day;
    double decay;
};

class ActivationLearner final : public Learner {
public:
    explicit ActivationLearner(const LearnerTraits& traits) : traces_(traits.difficulty.size()) {
        for (std::size_t q = 0; q < traces_.size(); ++q) {
            threshold_.push_back(kThreshold + kDifficultyShift * traits.difficulty[q] - kSpeedShift * std::log(traits.speed));
            // Old knowledge adds a steady strength worth activation 0.5 to 1.3 above the threshold.
            oldStrength_.push_back(traits.knownBefore[q] > 0
                                       ? std::exp(threshold_.back() + 0.5 + 0.8 * traits.knownBefore[q])
                                       : 0.0);
        }
    }

    double recall(int q, double day) const override { return recallOf(q, strengthAt(q, day)); }

    double recallAfter(int q, double day, bool, double then) const override {
        const double decay = kActivationDecay * strengthAt(q, day) + kBaseDecay;
        return recallOf(q, strengthAt(q, then) + std::pow(std::max(then - day, kMinimumAge), -decay));
    }

    void study(int q, double day, bool) override {
        const double strength = strengthAt(q, day);
        traces_[q].push_back({day, kActivationDecay * strength + kBaseDecay});
    }

private:
    double recallOf(int q, double strength) const {
        if (strength <= 0) return 0;
        return 1 / (1 + std::exp((threshold_[q] - std::log(strength)) / kNoise));
    }

    double strengthAt(int q, double day) const {
        double sum = oldStrength_[q];
        for (const Trace& trace : traces_[q]) sum += std::pow(std::max(day - trace.day, kMinimumAge), -trace.decay);
        return sum;
    }

    std::vector<std::vector<Trace>> traces_;
    std::vector<double> threshold_;
    std::vector<double> oldStrength_;
};

}  // namespace

std::unique_ptr<Learner> MakeActivationLearner(const LearnerTraits& traits) {
    return std::make_unique<ActivationLearner>(traits);
}

}  // namespace pathwick::bench
