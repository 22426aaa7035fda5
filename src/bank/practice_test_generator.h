#pragma once
#include <functional>
#include <string>

#include "bank/pool_edition.h"
#include "bank/question_pool.h"
#include "console/random_source.h"
#include "console/screen_layer.h"

namespace pathwick {

// Fills rows 1.. of `questions` with one question from each group of the
// edition's pool (35 or 50), in random order, choices re-lettered. The screen is used
// only to report a group of size 0.
void GeneratePracticeTest(QuestionPool& questions, RandomSource& random, ScreenLayer& screen,
                          const PoolEdition& edition = Edition2018());

// Reads blueprint item `index` (1-based, empty past the end).
using BlueprintItems = std::function<std::string(int index)>;

// The same generation over another blueprint laid out like the built-in
// one, with as many groups as the edition has, fetching from its pool.
void GeneratePracticeTest(QuestionPool& questions, RandomSource& random, ScreenLayer& screen,
                          const BlueprintItems& blueprint,
                          const PoolEdition& edition = Edition2018());

}  // namespace pathwick
