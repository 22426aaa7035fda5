#pragma once
#include "console/screen_layer.h"

namespace pathwick {

// The fixed help page; returns after one key or click.
void ShowHelpScreen(ScreenLayer& screen);

}  // namespace pathwick
