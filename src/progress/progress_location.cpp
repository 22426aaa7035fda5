#include "progress/progress_location.h"

namespace pathwick {

std::optional<std::filesystem::path> DefaultProgressFile(std::string_view xdgStateHome, std::string_view home) {
    const std::filesystem::path state(xdgStateHome);
    if (state.is_absolute()) return state / "pathwick" / "progress.sqlite3";
    const std::filesystem::path homeFolder(home);
    if (homeFolder.is_absolute()) return homeFolder / ".local" / "state" / "pathwick" / "progress.sqlite3";
    return std::nullopt;
}

}  // namespace pathwick
