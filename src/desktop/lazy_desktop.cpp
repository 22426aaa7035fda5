#include "desktop/lazy_desktop.h"

#include <unistd.h>

#include <stdexcept>

#include "desktop/desktop_channel.h"
#include "desktop/desktop_process.h"

namespace pathwick {
namespace {

std::unique_ptr<Desktop> startHelper(ForwardedKeys& keys, const std::vector<std::filesystem::path>& paths) {
    for (const auto& path : paths) {
        if (::access(path.c_str(), X_OK) != 0) continue;
        try {
            return std::make_unique<DesktopProcess>(keys, path);
        } catch (const std::runtime_error&) {
            // try the next place
        }
    }
    return nullptr;
}

}  // namespace

// The helper takes tens of milliseconds of processor time to load SDL and the
// libraries under it, which the program's own start-up would have to share
// on a small machine. It starts once the first screen is usually drawn, or at
// once when a figure or sound is wanted before that.
constexpr std::chrono::milliseconds kLoadDelay{150};

LazyDesktop::LazyDesktop(ForwardedKeys& keys, std::vector<std::filesystem::path> helperPaths)
    : loader_([this, &keys, paths = std::move(helperPaths)](std::stop_token stop) {
          load(stop, keys, paths);
      }) {}

void LazyDesktop::load(std::stop_token stop, ForwardedKeys& keys,
                       const std::vector<std::filesystem::path>& paths) {
    {
        std::unique_lock lock(mutex_);
        wanted_.wait_for(lock, stop, kLoadDelay, [this] { return neededNow_; });
    }
    loaded_.set_value(stop.stop_requested() ? nullptr : startHelper(keys, paths));
}

std::vector<std::filesystem::path> LazyDesktop::defaultHelperPaths() {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return {};
    const auto folder = program.parent_path();
    return {folder / kDesktopHelperName, folder.parent_path() / "lib" / "pathwick" / kDesktopHelperName};
}

Desktop& LazyDesktop::target() {
    if (!ready_) {
        {
            std::lock_guard lock(mutex_);
            neededNow_ = true;
        }
        wanted_.notify_all();
        desktop_ = result_.get();
        ready_ = true;
    }
    return desktop_ ? *desktop_ : static_cast<Desktop&>(fallback_);
}

void LazyDesktop::showFigure(std::string_view marker, WindowHandle& handle) {
    target().showFigure(marker, handle);
}

void LazyDesktop::showImageFile(std::string_view path, std::string_view title,
                                WindowHandle& handle) {
    target().showImageFile(path, title, handle);
}

void LazyDesktop::closeGraphicWindow(WindowHandle handle) { target().closeGraphicWindow(handle); }

void LazyDesktop::playWaveAsync(std::string_view name) { target().playWaveAsync(name); }

}  // namespace pathwick
