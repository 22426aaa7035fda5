#pragma once
// The program's desktop: loads the SDL desktop module in the background as
// soon as it is made, and forwards every call to it once loaded. Without the
// module (not installed, or SDL missing) every call quietly does nothing.
#include <filesystem>
#include <future>
#include <memory>
#include <vector>

#include "console/forwarded_keys.h"
#include "support/desktop.h"

namespace pathwick {

class LazyDesktop final : public Desktop {
public:
    // Tries each candidate path of the module in turn.
    LazyDesktop(ForwardedKeys& keys, std::vector<std::filesystem::path> modulePaths);
    ~LazyDesktop() override;
    LazyDesktop(const LazyDesktop&) = delete;
    LazyDesktop& operator=(const LazyDesktop&) = delete;

    void showFigure(std::string_view marker, WindowHandle& handle) override;
    void showImageFile(std::string_view path, std::string_view title,
                       WindowHandle& handle) override;
    void closeGraphicWindow(WindowHandle handle) override;
    void playWaveAsync(std::string_view name) override;

    // Where the module is looked for, beside the program and in its
    // installed library folder.
    static std::vector<std::filesystem::path> defaultModulePaths();

private:
    Desktop& target();

    std::future<std::unique_ptr<Desktop>> loading_;
    std::unique_ptr<Desktop> loaded_;
    bool ready_ = false;
    NullDesktop fallback_;
};

}  // namespace pathwick
