#include "bank/practice_test_generator.h"

namespace pathwick {

// Placeholder.
void GeneratePracticeTest(QuestionPool&, RandomSource&, ScreenLayer&) {}

}  // namespace pathwick
