#include "study/study_mode.h"

namespace pathwick {

// Placeholder.
void RunStudyMode(QuestionPool&, CountedList&, ProgramContext&) {}

}  // namespace pathwick
