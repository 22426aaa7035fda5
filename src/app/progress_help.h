#pragma once
// The help page of the progress screen: how the chance to pass is worked
// out, where the answers are kept and how to start over.
#include "bank/pool_edition.h"
#include "console/screen_layer.h"
#include "progress/progress.h"

namespace pathwick {

// Draws the page in 15 on 1 and returns after one key or click.
void ShowProgressHelp(ScreenLayer& screen, const PoolEdition& edition, const Progress& progress);

}  // namespace pathwick
