#pragma once
// The pass chance over time, for a chart of the last days: the answers of one
// pool replayed once, the chance read off at each moment on the way.
#include <span>
#include <string>
#include <vector>

#include "bank/pool_edition.h"
#include "console/clock.h"
#include "progress/question_states.h"

namespace pathwick {

// One remembered answer.
struct RecordedAnswer {
    std::string question;  // "T1A01"
    UtcTime answeredAt{};
    bool correct{};
};

// The states after all `answers`, taken in the order given.
QuestionStates Replay(std::span<const RecordedAnswer> answers);

// The pass chance at each of `moments` (in increasing order) from the answers
// before it: the answers are taken in the order given, each moment seeing
// those up to the first one not before it.
std::vector<double> PassChanceHistory(std::span<const RecordedAnswer> answers, const PoolEdition& edition,
                                      std::span<const UtcTime> moments);

}  // namespace pathwick
