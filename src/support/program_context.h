#pragma once
// The machine as the logic sees it: the screen layer (over Terminal and
// Clock), the desktop, the random source and where hints.txt is looked for.
#include <filesystem>

#include "console/random_source.h"
#include "console/screen_layer.h"
#include "support/desktop.h"

namespace pathwick {

struct ProgramContext {
    ScreenLayer& screen;
    Desktop& desktop;
    RandomSource& random;
    // The folder that holds hints.txt and Figures/ (the current directory).
    std::filesystem::path hintsDirectory = ".";
};

}  // namespace pathwick
