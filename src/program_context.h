#pragma once
// The machine as the logic sees it: the screen layer (over Terminal and
// Clock), the desktop, the random source and where the hints file is looked
// for; the pool edition the program runs on, and the record of answers.
#include <filesystem>

#include "bank/pool_edition.h"
#include "console/random_source.h"
#include "console/screen_layer.h"
#include "desktop/desktop.h"
#include "progress/progress.h"

namespace pathwick {

struct ProgramContext {
    ScreenLayer& screen;
    Desktop& desktop;
    RandomSource& random;
    // The folder that holds the edition's hints file and Figures/, chosen
    // at start-up (hints/hints_location.h).
    std::filesystem::path hintsDirectory = ".";
    // Chosen once at start; every screen takes its pool and texts from it.
    const PoolEdition& edition = Edition2018();
    // The record of answers; NothingRemembered() without --remember.
    Progress& progress = NothingRemembered();
};

}  // namespace pathwick
