#pragma once
#include "program_context.h"

namespace pathwick {

// Start-up, then the main menu until the user leaves through the goodbye
// screen. Returns after the goodbye pause.
void RunProgram(ProgramContext& context);

}  // namespace pathwick
