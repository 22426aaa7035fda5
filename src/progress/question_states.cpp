#include "progress/question_states.h"

#include <algorithm>
#include <chrono>

namespace pathwick {
namespace {

// Days from `from` to `to` as a real number; a moment before `from` (a clock
// set back) counts as no time at all.
double elapsedDays(UtcTime from, UtcTime to) {
    constexpr double kMillisecondsPerDay = 86'400'000;
    return std::max(0.0, static_cast<double>((to - from).count()) / kMillisecondsPerDay);
}

Rating ratingOf(bool correct) { return correct ? Rating::Good : Rating::Again; }

// A question of four choices is answered right when recalled, and by a guess
// one time in four when not.
double withGuessing(double recall) { return recall + (1 - recall) / 4; }

}  // namespace

void QuestionStates::add(std::string_view question, UtcTime answeredAt, bool correct) {
    if (const auto known = questions_.find(question); known != questions_.end()) {
        QuestionMemory& state = known->second;
        state.memory = NextMemory(state.memory, elapsedDays(state.lastAnswer, answeredAt), ratingOf(correct));
        state.lastAnswer = answeredAt;
        ++state.answers;
        return;
    }
    questions_.emplace(question, QuestionMemory{FirstMemory(ratingOf(correct)), answeredAt, 1});
    ++firstAnswers_;
    if (correct) ++firstAnswersRight_;
}

double QuestionStates::chance(std::string_view question, UtcTime when) const {
    const auto known = questions_.find(question);
    if (known == questions_.end()) return unseenChance();
    const QuestionMemory& state = known->second;
    return withGuessing(Retrievability(elapsedDays(state.lastAnswer, when), state.memory.stability));
}

double QuestionStates::unseenChance() const {
    return (firstAnswersRight_ + 1.0) / (firstAnswers_ + 4.0);
}

std::optional<QuestionMemory> QuestionStates::find(std::string_view question) const {
    const auto known = questions_.find(question);
    if (known == questions_.end()) return std::nullopt;
    return known->second;
}

void QuestionStates::restore(std::string_view question, const QuestionMemory& state) {
    if (const auto known = questions_.find(question); known != questions_.end())
        known->second = state;
    else
        questions_.emplace(question, state);
}

void QuestionStates::restoreFirstAnswers(int answers, int right) {
    // Kept apart from the answers, so possibly damaged: counts that cannot be are mended.
    firstAnswers_ = std::max(answers, 0);
    firstAnswersRight_ = std::clamp(right, 0, firstAnswers_);
}

}  // namespace pathwick
