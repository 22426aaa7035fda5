#include "drill/drill_session.h"

namespace pathwick {

// Placeholder.
DrillOutcome RunDrillSession(RunState&, ProgramContext&) { return DrillOutcome::BackToMenu; }

}  // namespace pathwick
