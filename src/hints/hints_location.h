#pragma once
// Where the hints file of the pool edition is looked for, chosen once at
// start-up: the current folder first, so that a user's own edited file wins;
// then the XDG data folders, the user's before the system's, with
// "pathwick/" appended; then the folder the program was installed for (the
// source folder for a program run from its build folder). The folders follow
// from the environment and the program's location alone.
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

namespace pathwick {

struct HintsSearchInputs {
    // The environment's values; an unset variable is empty text.
    std::string_view home;
    std::string_view xdgDataHome;
    std::string_view xdgDataDirs;
    // The running program's file; empty when it is not known.
    std::filesystem::path executable;
    // A program whose file sits in `buildDirectory` reads the sample hints
    // of `sourceDirectory`; an installed one those of its bin folder /
    // `dataFromBin` (for example "../share/pathwick").
    std::filesystem::path buildDirectory;
    std::filesystem::path sourceDirectory;
    std::filesystem::path dataFromBin;
};

// The folders to look in, the preferred first; "." is always the first.
// Relative and empty values are ignored, as the XDG rules ask.
std::vector<std::filesystem::path> HintsSearchFolders(const HintsSearchInputs& inputs);

// The first folder that holds `fileName` as a regular file (or a link to
// one); "." when none does, where then simply no hints are found.
std::filesystem::path FindHintsDirectory(std::span<const std::filesystem::path> folders,
                                         std::string_view fileName);

}  // namespace pathwick
