#pragma once
#include "bank/question_pool.h"
#include "console/counted_list.h"
#include "program_context.h"

namespace pathwick {

// Look-up of single questions by ID until an empty ID or Q after not-found.
void RunStudyMode(QuestionPool& pool, CountedList& hintIndex, ProgramContext& context);

}  // namespace pathwick
