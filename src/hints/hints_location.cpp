#include "hints/hints_location.h"

#include <system_error>

namespace pathwick {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kDefaultDataDirs = "/usr/local/share:/usr/share";
constexpr std::string_view kProgramFolder = "pathwick";

bool IsAbsolute(std::string_view value) { return !value.empty() && value.front() == '/'; }

// $XDG_DATA_HOME, or ~/.local/share when it is unset or not usable.
fs::path UserDataFolder(const HintsSearchInputs& inputs) {
    if (IsAbsolute(inputs.xdgDataHome)) return inputs.xdgDataHome;
    if (IsAbsolute(inputs.home)) return fs::path(inputs.home) / ".local" / "share";
    return {};
}

void AddSystemDataFolders(std::string_view dataDirs, std::vector<fs::path>& folders) {
    if (dataDirs.empty()) dataDirs = kDefaultDataDirs;
    for (;;) {
        const std::size_t colon = dataDirs.find(':');
        const std::string_view entry = dataDirs.substr(0, colon);
        if (IsAbsolute(entry)) folders.push_back(fs::path(entry) / kProgramFolder);
        if (colon == std::string_view::npos) return;
        dataDirs.remove_prefix(colon + 1);
    }
}

fs::path InstalledFolder(const HintsSearchInputs& inputs) {
    if (!inputs.executable.is_absolute()) return {};
    const fs::path bin = inputs.executable.parent_path();
    if (!inputs.buildDirectory.empty() && bin == inputs.buildDirectory) return inputs.sourceDirectory;
    return (bin / inputs.dataFromBin).lexically_normal();
}

}  // namespace

std::vector<fs::path> HintsSearchFolders(const HintsSearchInputs& inputs) {
    std::vector<fs::path> folders{"."};
    if (const fs::path user = UserDataFolder(inputs); !user.empty())
        folders.push_back(user / kProgramFolder);
    AddSystemDataFolders(inputs.xdgDataDirs, folders);
    if (const fs::path installed = InstalledFolder(inputs); !installed.empty())
        folders.push_back(installed);
    return folders;
}

fs::path FindHintsDirectory(std::span<const fs::path> folders, std::string_view fileName) {
    for (const fs::path& folder : folders) {
        std::error_code error;
        if (fs::is_regular_file(folder / fs::path(fileName), error)) return folder;
    }
    return ".";
}

}  // namespace pathwick
