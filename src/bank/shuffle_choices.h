#pragma once
#include "bank/question_pool.h"
#include "console/random_source.h"

namespace pathwick {

// Re-letters the four choices of the row named in row 0, field 2 at random
// (an "All of these choices are correct" choice D, in any of the pools'
// wordings, stays D) and rewrites the row's key letter to follow the correct
// choice.
void ShuffleChoices(QuestionPool& table, RandomSource& random);

}  // namespace pathwick
