#pragma once
#include "bank/pool_edition.h"
#include "console/screen_layer.h"

namespace pathwick {

// The fixed help page, with the edition's class and dates; returns after one
// key or click.
void ShowHelpScreen(ScreenLayer& screen, const PoolEdition& edition = Edition2018());

}  // namespace pathwick
