#include "simulation.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "progress/pass_chance.h"
#include "progress/readiness.h"

namespace pathwick::bench {
namespace {

// Study starts on a Monday, midnight UTC; the learner's clock is UTC.
UtcTime UtcOfDay(double day) {
    using namespace std::chrono;
    const sys_days start = 2026y / January / 5;
    return UtcTime{start} + milliseconds{static_cast<long long>(day * 86'400'000.0)};
}

// Noon of the exam day Review reads chances at (the learner's clock is UTC):
// the next date of the plan still ahead, or a day from now without one.
double ExamDayAfter(double now, int examEveryDays) {
    if (examEveryDays <= 0) return now + 1;
    const double step = examEveryDays;
    const double datesGone = std::max(0.0, std::floor((now - 0.5) / step) + 1);
    return std::max(1.0, datesGone) * step + 0.5;
}

}  // namespace

double TruePassChance(const StudyPool& pool, const Learner& learner, double day) {
    std::vector<double> groupChances;
    for (const auto& group : pool.groups) {
        double sum = 0;
        for (const int q : group) sum += learner.chanceRight(q, day);
        groupChances.push_back(sum / static_cast<double>(group.size()));
    }
    return PassChance(groupChances, pool.edition.passMark);
}

StudyRun Study(const StudyPool& pool, const LearnerFamily& family, std::uint64_t learnerSeed, StrategyKind kind,
               const StudyPlan& plan) {
    const auto learner = family.make(DrawTraits(pool.size(), learnerSeed));
    const auto strategy = MakeStrategy(kind);
    QuestionStates record;
    Random random(learnerSeed ^ 0x5EED);
    StudyRun run;
    int answers = 0;
    for (int day = 0; day < plan.maxDays; ++day) {
        const double start = day + plan.sessionStartHour / 24;
        // Ready is judged before the day's session: what was learnt has had
        // a night to settle, so a cram at the end of yesterday does not count.
        const double truth = TruePassChance(pool, *learner, start);
        run.moments.push_back({StandingAt(record, pool.edition, UtcOfDay(start)).passChance, truth});
        if (truth >= plan.goal) {
            run.answersToGoal = answers;
            break;
        }
        strategy->newSession();
        for (int i = 0; i < plan.answersPerDay; ++i) {
            const double now = start + i * plan.secondsPerAnswer / 86'400;
            const double exam = ExamDayAfter(now, plan.examEveryDays);
            const StudyMoment moment{pool, record, *learner, now, UtcOfDay(now), exam, UtcOfDay(exam), random};
            const auto q = strategy->next(moment);
            if (!q) break;
            const bool recalled = random.chance(learner->recall(*q, now));
            const bool right = recalled || random.chance(0.25);
            learner->study(*q, now, recalled);
            record.add(pool.ids[static_cast<std::size_t>(*q)], UtcOfDay(now), right);
            strategy->answered(*q, right);
            ++answers;
        }
    }
    run.answers = answers;
    return run;
}

}  // namespace pathwick::bench
