#pragma once
// A simulated learner's memory of the pool: the truth the benchmark judges
// Pathwick against. Its families are deliberately not the scheduler's own
// memory model. Time is in days from the start of study.
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace pathwick::bench {

class Learner {
public:
    virtual ~Learner() = default;
    // The chance that question q is recalled at `day`.
    virtual double recall(int q, double day) const = 0;
    // Question q answered at `day` (recalled or not), the right answer then shown.
    virtual void study(int q, double day, bool recalled) = 0;

    // The chance of recall at `then` had question q been answered at `day`,
    // recalled or not; the memory itself is left as it is.
    virtual double recallAfter(int q, double day, bool recalled, double then) const = 0;

    // Recalled, or else guessed right one time in four.
    double chanceRight(int q, double day) const { return withGuessing(recall(q, day)); }
    static double withGuessing(double recall) { return recall + (1 - recall) / 4; }
};

// What every family draws the same way: per question a difficulty (shared by
// all learners, plus a little of the learner's own), per learner a speed and
// the share of questions known before any study.
struct LearnerTraits {
    double speed = 1;
    std::vector<double> difficulty;  // per question, about N(0, 0.55)
    std::vector<double> knownBefore;  // per question: 0, or the strength of old knowledge in [0, 1]
};
LearnerTraits DrawTraits(int questions, std::uint64_t learnerSeed);

struct LearnerFamily {
    std::string_view name;
    std::unique_ptr<Learner> (*make)(const LearnerTraits& traits);
};

std::unique_ptr<Learner> MakeHalfLifeLearner(const LearnerTraits& traits);
std::unique_ptr<Learner> MakeActivationLearner(const LearnerTraits& traits);

inline constexpr LearnerFamily kFamilies[] = {
    {"half-life", MakeHalfLifeLearner},
    {"activation", MakeActivationLearner},
};

}  // namespace pathwick::bench
