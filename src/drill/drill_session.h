#pragma once
#include "program_context.h"
#include "drill/run_state.h"

namespace pathwick {

enum class DrillOutcome { BackToMenu, Goodbye };

// Drills the subelement the menu has loaded into `state.pool`.
DrillOutcome RunDrillSession(RunState& state, ProgramContext& context);

}  // namespace pathwick
