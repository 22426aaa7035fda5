#pragma once
// How a simulated learner picks the next question. Review and the oracle
// run the program's own review round; they differ only in whose chances
// order it: Pathwick's record, or the learner's true memory.
#include <memory>
#include <optional>
#include <string_view>

#include "console/clock.h"
#include "learner.h"
#include "progress/question_states.h"
#include "progress/review_round.h"
#include "random.h"
#include "study_pool.h"

namespace pathwick::bench {

// What a strategy may look at when it picks.
struct StudyMoment {
    const StudyPool& pool;
    const QuestionStates& record;  // what Pathwick knows
    const Learner& truth;          // what only an oracle may read
    double day;
    UtcTime utc;
    // The exam day Review looks ahead to, in days from the start and in UTC.
    double horizonDay;
    UtcTime horizon;
    Random& random;
};

class Strategy {
public:
    virtual ~Strategy() = default;
    // The question to ask now; none when nothing is worth asking.
    virtual std::optional<int> next(const StudyMoment& moment) = 0;
    virtual void answered(int q, bool right) = 0;
    // A new day's session begins.
    virtual void newSession() {}
};

enum class StrategyKind { Drill, WeakestFirst, Review, Oracle };
inline constexpr StrategyKind kStrategies[] = {StrategyKind::Drill, StrategyKind::WeakestFirst, StrategyKind::Review,
                                               StrategyKind::Oracle};
std::string_view NameOf(StrategyKind kind);
std::unique_ptr<Strategy> MakeStrategy(StrategyKind kind);

}  // namespace pathwick::bench
