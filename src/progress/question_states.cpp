#include "progress/question_states.h"

#include <algorithm>
#include <chrono>

namespace pathwick {
namespace {

Rating ratingOf(bool correct) { return correct ? Rating::Good : Rating::Again; }

// What a right guess leaves: the right answer seen once, as after a wrong one.
double guessedStability() { return FirstMemory(Rating::Again).stability; }

}  // namespace

double ElapsedDays(UtcTime from, UtcTime to) {
    constexpr double kMillisecondsPerDay = 86'400'000;
    return std::max(0.0, static_cast<double>((to - from).count()) / kMillisecondsPerDay);
}

double WithGuessing(double recall) { return recall + (1 - recall) / 4; }

QuestionStates::QuestionStates(const QuestionStates& other)
    : questions_(other.questions_),
      firstAnswers_(other.firstAnswers_),
      firstAnswersRight_(other.firstAnswersRight_),
      forgetting_(other.forgetting_),
      curve_(other.curve_) {
    index_.reserve(questions_.size());
    for (auto& [question, state] : questions_) index_.emplace(question, &state);
}

QuestionStates& QuestionStates::operator=(const QuestionStates& other) {
    return *this = QuestionStates(other);
}

QuestionMemory* QuestionStates::lookUp(std::string_view question) const {
    const auto known = index_.find(question);
    return known == index_.end() ? nullptr : known->second;
}

QuestionMemory& QuestionStates::insert(std::string_view question, const QuestionMemory& state) {
    auto& [key, value] = *questions_.emplace(question, state).first;
    index_.emplace(key, &value);
    return value;
}

void QuestionStates::add(std::string_view question, UtcTime answeredAt, bool correct) {
    curve_.reset();
    if (QuestionMemory* state = lookUp(question)) {
        const double days = ElapsedDays(state->lastAnswer, answeredAt);
        forgetting_.add(days, state->memory.stability, state->answers, state->sitting, correct);
        state->memory = NextMemory(state->memory, days, ratingOf(correct));
        state->lastAnswer = answeredAt;
        ++state->answers;
        state->sitting = days < kSittingGapDays ? Sitting{state->sitting.answers + 1, state->sitting.firstStability}
                                                : Sitting{1, state->memory.stability};
        return;
    }
    const MemoryState first = FirstMemory(ratingOf(correct));
    insert(question, {first, answeredAt, 1, {1, first.stability}});
    ++firstAnswers_;
    if (correct) ++firstAnswersRight_;
}

double QuestionStates::chance(std::string_view question, UtcTime when) const {
    const QuestionMemory* state = lookUp(question);
    return state ? chanceOf(*state, when) : unseenChance();
}

double QuestionStates::chanceOf(const QuestionMemory& state, UtcTime when) const {
    const double days = ElapsedDays(state.lastAnswer, when);
    const ForgettingCurve& fitted = curve();
    const double asRecorded = WithGuessing(fitted.recall(days, state.memory.stability, state.answers));
    const bool onlyAnsweredRightOnce = state.answers == 1 && state.memory.stability > guessedStability();
    if (!onlyAnsweredRightOnce) return asRecorded;
    const double known = knownShareOfRightFirstAnswers();
    return known * asRecorded + (1 - known) * WithGuessing(fitted.recall(days, guessedStability(), 1));
}

const ForgettingCurve& QuestionStates::curve() const {
    if (!curve_) curve_ = forgetting_.fitted();
    return *curve_;
}

void QuestionStates::restoreForgetting(const ForgettingRecord::Counts& counts) {
    forgetting_.restore(counts);
    curve_.reset();
}

double QuestionStates::knownShareOfRightFirstAnswers() const {
    // First answers are right with chance a = k + (1 - k) / 4 when a share k
    // of the questions is known: of the right ones, k / a were known.
    const double right = unseenChance();
    return std::max(0.0, (right - 0.25) / 0.75) / right;
}

double QuestionStates::unseenChance() const {
    return (firstAnswersRight_ + 1.0) / (firstAnswers_ + 4.0);
}

std::optional<QuestionMemory> QuestionStates::find(std::string_view question) const {
    const QuestionMemory* state = lookUp(question);
    if (!state) return std::nullopt;
    return *state;
}

void QuestionStates::restore(std::string_view question, const QuestionMemory& state) {
    if (QuestionMemory* known = lookUp(question))
        *known = state;
    else
        insert(question, state);
}

void QuestionStates::restoreFirstAnswers(int answers, int right) {
    // Kept apart from the answers, so possibly damaged: counts that cannot be are mended.
    firstAnswers_ = std::max(answers, 0);
    firstAnswersRight_ = std::clamp(right, 0, firstAnswers_);
}

}  // namespace pathwick
