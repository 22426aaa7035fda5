#include "drill/help_screen.h"

namespace pathwick {

// Placeholder.
void ShowHelpScreen(ScreenLayer&) {}

}  // namespace pathwick
