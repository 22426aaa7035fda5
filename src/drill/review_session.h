#pragma once
// Review: rounds across the whole pool, the questions whose answer adds most
// to the exam first, each asked on the drill's question screen. A round ends
// after 20 answers or when nothing is left worth asking, and tells how it
// went; the user may then take another.
#include "drill/run_state.h"
#include "program_context.h"

namespace pathwick {

// Runs rounds until the user takes no other, or stops (Esc, "S") at any
// point: back to the menu either way. Every answer is remembered as given.
void RunReviewSession(RunState& state, ProgramContext& context);

}  // namespace pathwick
