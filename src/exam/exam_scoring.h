#pragma once
#include <cstdint>

#include "bank/question_pool.h"
#include "console/counted_list.h"
#include "console/screen_layer.h"
#include "progress/progress.h"

namespace pathwick {

// Colours of the exam page and its review panel: black on white.
inline constexpr int kExamPageForeground = 0;
inline constexpr int kExamPageBackground = 15;

// 100 * part / whole as a single-precision value, rounded to two decimal
// places with halves going to the even hundredth.
float roundedPercent(float part, float whole);

// True when a score is above the single-precision 73.99.
bool isPass(float score);

// A whole test scored as the result screen scores it.
struct FinalScore {
    int correct = 0;
    int questions = 0;
    bool passed{};
};
FinalScore FinalScoreOf(const CountedList& answers, const QuestionPool& questions);

// The review panel on rows 27 to 43 (every answer of `answers`, 35 or 50,
// against field 7 of `questions`, in columns of ten), or blank rows when
// reviewOn is 0.
void ShowRunningScore(const std::int32_t& reviewOn, const CountedList& answers,
                      const QuestionPool& questions, ScreenLayer& screen);

// The result screen, scored over every question of `answers`, with the
// notice when the test could not be saved; returns after a key or click.
void ShowExamResults(const CountedList& answers, const QuestionPool& questions,
                     ScreenLayer& screen, const Progress& progress = NothingRemembered());

}  // namespace pathwick
