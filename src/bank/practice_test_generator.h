#pragma once
#include <functional>
#include <string>

#include "bank/question_pool.h"
#include "console/random_source.h"
#include "console/screen_layer.h"

namespace pathwick {

// Fills rows 1..35 of `questions` with one question from each group, in
// random order, choices re-lettered. The screen is used only to report a
// group of size 0.
void GeneratePracticeTest(QuestionPool& questions, RandomSource& random, ScreenLayer& screen);

// Reads blueprint item `index` (1-based, empty past the end).
using BlueprintItems = std::function<std::string(int index)>;

// The same generation over another blueprint laid out like the built-in one.
void GeneratePracticeTest(QuestionPool& questions, RandomSource& random, ScreenLayer& screen,
                          const BlueprintItems& blueprint);

}  // namespace pathwick
