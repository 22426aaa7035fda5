#pragma once
// One learner studying with one strategy, day by day, until the true chance
// to pass first reaches the goal.
#include <cstdint>
#include <vector>

#include "learner.h"
#include "strategies.h"
#include "study_pool.h"

namespace pathwick::bench {

struct StudyPlan {
    int answersPerDay = 50;
    double sessionStartHour = 19;
    double secondsPerAnswer = 25;
    double goal = 0.95;
    int maxDays = 250;
    // The learner sets the exam date this many days after the first day of
    // study and, once it has gone by short of the goal, as many days on
    // again; 0: no exam date, Review looks a day ahead.
    int examEveryDays = 0;
};

// The chance Pathwick shows beside the learner's true chance, at one moment.
struct ShownAndTrue {
    double shown;
    double truth;
};

struct StudyRun {
    int answersToGoal = -1;  // -1: not reached within maxDays
    int answers = 0;         // given in all
    std::vector<ShownAndTrue> moments;  // one at the start of each day's session
};

StudyRun Study(const StudyPool& pool, const LearnerFamily& family, std::uint64_t learnerSeed, StrategyKind strategy,
               const StudyPlan& plan);

// The true chance to pass at `day`: the exam takes one question of each group.
double TruePassChance(const StudyPool& pool, const Learner& learner, double day);

}  // namespace pathwick::bench
