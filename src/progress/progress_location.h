#pragma once
// Where progress is kept when --remember names no file: in the user's state
// folder, $XDG_STATE_HOME/pathwick/progress.sqlite3, or when that is not set
// (or not an absolute path, which the XDG rules say to ignore)
// $HOME/.local/state/pathwick/progress.sqlite3.
#include <filesystem>
#include <optional>
#include <string_view>

namespace pathwick {

// The values of the two variables, empty when unset. Nothing when neither
// gives an absolute folder.
std::optional<std::filesystem::path> DefaultProgressFile(std::string_view xdgStateHome, std::string_view home);

}  // namespace pathwick
