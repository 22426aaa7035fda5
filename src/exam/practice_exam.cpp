#include "exam/practice_exam.h"

namespace pathwick {

// Placeholder.
void RunPracticeExam(ProgramContext&) {}
void DrawExamButtonBar(ScreenLayer&) {}

}  // namespace pathwick
