#pragma once
// What the record of answers says of each question of one pool: its memory
// state after the answers so far, and how often first answers were right
// (the chance for a question never seen).
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "console/clock.h"
#include "progress/forgetting_fit.h"
#include "progress/memory_model.h"

namespace pathwick {

// Days from `from` to `to` as a real number; a moment before `from` (a clock
// set back) counts as no time at all.
double ElapsedDays(UtcTime from, UtcTime to);

// A question of four choices is answered right when recalled, and by a guess
// one time in four when not.
double WithGuessing(double recall);

struct QuestionMemory {
    MemoryState memory;
    UtcTime lastAnswer{};
    int answers = 0;
    Sitting sitting;  // the latest: answers each less than half a day after the one before

    friend bool operator==(const QuestionMemory&, const QuestionMemory&) = default;
};

class QuestionStates {
public:
    QuestionStates() = default;
    QuestionStates(const QuestionStates& other);
    QuestionStates& operator=(const QuestionStates& other);
    QuestionStates(QuestionStates&&) = default;
    QuestionStates& operator=(QuestionStates&&) = default;
    ~QuestionStates() = default;

    // One answer; answers are added in the order they were given.
    void add(std::string_view question, UtcTime answeredAt, bool correct);

    // The chance of a right answer at `when`: recall, or else a guess right
    // one time in four; for a question never answered, from the first
    // answers of the pool so far.
    double chance(std::string_view question, UtcTime when) const;
    double unseenChance() const;
    // The chance for a question in `state`. A question answered once, right,
    // may have been guessed: it counts as known only with the share of right
    // first answers the pool's first answers show to be known, and else as
    // seen once after a guess.
    double chanceOf(const QuestionMemory& state, UtcTime when) const;

    std::optional<QuestionMemory> find(std::string_view question) const;
    const std::map<std::string, QuestionMemory, std::less<>>& all() const { return questions_; }
    int firstAnswers() const { return firstAnswers_; }
    int firstAnswersRight() const { return firstAnswersRight_; }

    // The curve chances are read from, fitted to this learner's later answers.
    const ForgettingCurve& curve() const;
    const ForgettingRecord& forgetting() const { return forgetting_; }

    // Puts back a state kept from an earlier replay.
    void restore(std::string_view question, const QuestionMemory& state);
    void restoreFirstAnswers(int answers, int right);
    void restoreForgetting(const ForgettingRecord::Counts& counts);

private:
    double knownShareOfRightFirstAnswers() const;
    QuestionMemory* lookUp(std::string_view question) const;
    QuestionMemory& insert(std::string_view question, const QuestionMemory& state);

    std::map<std::string, QuestionMemory, std::less<>> questions_;
    // The same states found by hashing, as a replay looks a question up for
    // each of many thousand answers. It points into questions_, whose keys
    // and values never move; a copy builds its own.
    std::unordered_map<std::string_view, QuestionMemory*> index_;
    int firstAnswers_ = 0;
    int firstAnswersRight_ = 0;
    ForgettingRecord forgetting_;
    // Fitted when first asked for after a change.
    mutable std::optional<ForgettingCurve> curve_;
};

}  // namespace pathwick
