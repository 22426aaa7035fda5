#pragma once
#include "drill/program_context.h"

namespace pathwick {

// One complete practice test: generation, page steps, result screen.
void RunPracticeExam(ProgramContext& context);

// Row 25: the whole bar in the page colours, then each label highlighted.
void DrawExamButtonBar(ScreenLayer& screen);

}  // namespace pathwick
