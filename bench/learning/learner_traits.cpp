#include <cmath>

#include "learner.h"
#include "random.h"

namespace pathwick::bench {

namespace {
constexpr std::uint64_t kQuestionSeed = 20261207;
}

LearnerTraits DrawTraits(int questions, std::uint64_t learnerSeed) {
    Random pool(kQuestionSeed);
    Random own(learnerSeed);
    LearnerTraits traits;
    traits.speed = std::exp(0.3 * own.normal());
    const double knownShare = own.uniform(0.05, 0.25);
    for (int q = 0; q < questions; ++q) {
        traits.difficulty.push_back(0.5 * pool.normal() + 0.25 * own.normal());
        traits.knownBefore.push_back(own.chance(knownShare) ? own.uniform() : 0.0);
    }
    return traits;
}

}  // namespace pathwick::bench
