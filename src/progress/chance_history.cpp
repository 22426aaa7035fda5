#include "progress/chance_history.h"

#include "progress/readiness.h"

namespace pathwick {

QuestionStates Replay(std::span<const RecordedAnswer> answers) {
    QuestionStates states;
    for (const RecordedAnswer& answer : answers) states.add(answer.question, answer.answeredAt, answer.correct);
    return states;
}

std::vector<double> PassChanceHistory(std::span<const RecordedAnswer> answers, const PoolEdition& edition,
                                      std::span<const UtcTime> moments) {
    std::vector<double> chances;
    chances.reserve(moments.size());
    QuestionStates states;
    auto next = answers.begin();
    for (const UtcTime moment : moments) {
        for (; next != answers.end() && next->answeredAt < moment; ++next)
            states.add(next->question, next->answeredAt, next->correct);
        chances.push_back(StandingAt(states, edition, moment).passChance);
    }
    return chances;
}

}  // namespace pathwick
