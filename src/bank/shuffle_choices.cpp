#include "bank/shuffle_choices.h"

namespace pathwick {

// Placeholder.
void ShuffleChoices(QuestionPool&, RandomSource&) {}

}  // namespace pathwick
