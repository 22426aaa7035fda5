// Recall falls exponentially, m = 2^(-t/h); the half-life h grows on each
// right recall and is cut back on each failure. Spacing earns nothing
// special here: a recall a minute later grows h as much as one a week later.
#include <algorithm>
#include <cmath>

#include "learner.h"

namespace pathwick::bench {
namespace {

constexpr double kFirstHalfLife = 3;  // days, for speed 1 and difficulty 0
constexpr double kGrowth = 1.6;          // h *= 1 + kGrowth * speed * e^-difficulty on a recall
constexpr double kFailureKeeps = 0.5;    // h *= this on a failure, not below the first half-life

class HalfLifeLearner final : public Learner {
public:
    explicit HalfLifeLearner(const LearnerTraits& traits) : traits_(traits), halfLife_(traits.difficulty.size(), 0.0),
        last_(traits.difficulty.size(), 0.0) {
        for (std::size_t q = 0; q < halfLife_.size(); ++q) {
            // Old knowledge: a half-life of 30 days to a year, last used a month ago.
            if (traits.knownBefore[q] > 0) halfLife_[q] = 30 * std::pow(12.0, traits.knownBefore[q]), last_[q] = -30;
        }
    }

    double recall(int q, double day) const override {
        if (halfLife_[q] == 0) return 0;
        return std::exp2(-(day - last_[q]) / halfLife_[q]);
    }

    void study(int q, double day, bool recalled) override {
        halfLife_[q] = halfLifeAfter(q, recalled);
        last_[q] = day;
    }

    double recallAfter(int q, double day, bool recalled, double then) const override {
        return std::exp2(-(then - day) / halfLifeAfter(q, recalled));
    }

private:
    double halfLifeAfter(int q, bool recalled) const {
        const double ease = traits_.speed * std::exp(-traits_.difficulty[q]);
        const double first = kFirstHalfLife * ease;
        const double h = halfLife_[q];
        if (h == 0) return first;
        return recalled ? h * (1 + kGrowth * ease) : std::max(first, h * kFailureKeeps);
    }

    LearnerTraits traits_;
    std::vector<double> halfLife_;
    std::vector<double> last_;
};

}  // namespace

std::unique_ptr<Learner> MakeHalfLifeLearner(const LearnerTraits& traits) {
    return std::make_unique<HalfLifeLearner>(traits);
}

}  // namespace pathwick::bench
