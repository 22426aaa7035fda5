#include "support/lazy_desktop.h"

#include <dlfcn.h>

#include "support/desktop_module.h"

namespace pathwick {
namespace {

std::unique_ptr<Desktop> loadModule(ForwardedKeys& keys,
                                    const std::vector<std::filesystem::path>& paths) {
    for (const auto& path : paths) {
        // RTLD_NODELETE: SDL and its libraries register handlers of their
        // own; unloading them under a running process is not safe.
        void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
        if (module == nullptr) continue;
        const auto entry = reinterpret_cast<DesktopEntry>(::dlsym(module, kDesktopEntryName));
        std::unique_ptr<Desktop> desktop;
        if (entry != nullptr) entry(keys, desktop);
        ::dlclose(module);  // stays loaded (RTLD_NODELETE); drops our reference
        if (desktop) return desktop;
    }
    return nullptr;
}

}  // namespace

// The module and the libraries under it take tens of milliseconds to load and
// hold the dynamic loader's lock meanwhile, which the program's own start-up
// (locale, terminfo) also needs. Loading starts once the first screen is
// usually drawn, or at once when a figure or sound is wanted before that.
constexpr std::chrono::milliseconds kLoadDelay{150};

LazyDesktop::LazyDesktop(ForwardedKeys& keys, std::vector<std::filesystem::path> modulePaths)
    : loader_([this, &keys, paths = std::move(modulePaths)](std::stop_token stop) {
          load(stop, keys, paths);
      }) {}

void LazyDesktop::load(std::stop_token stop, ForwardedKeys& keys,
                       const std::vector<std::filesystem::path>& paths) {
    {
        std::unique_lock lock(mutex_);
        wanted_.wait_for(lock, stop, kLoadDelay, [this] { return neededNow_; });
    }
    loaded_.set_value(stop.stop_requested() ? nullptr : loadModule(keys, paths));
}

std::vector<std::filesystem::path> LazyDesktop::defaultModulePaths() {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return {};
    const auto folder = program.parent_path();
    return {folder / kDesktopModuleName, folder.parent_path() / "lib" / "pathwick" / kDesktopModuleName};
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
