#include "drill/program.h"

namespace pathwick {

// Placeholder.
void RunProgram(ProgramContext&) {}

}  // namespace pathwick
