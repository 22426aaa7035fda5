#pragma once
// The program's desktop: starts the desktop helper process (DesktopProcess)
// from a thread of its own shortly after start-up, and forwards every call to
// it once started. Without the helper (not installed, or it cannot start)
// every call quietly does nothing.
#include <condition_variable>
#include <filesystem>
#include <future>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

#include "console/forwarded_keys.h"
#include "desktop/desktop.h"

namespace pathwick {

class LazyDesktop final : public Desktop {
public:
    // Tries each candidate path of the helper program in turn.
    LazyDesktop(ForwardedKeys& keys, std::vector<std::filesystem::path> helperPaths);
    ~LazyDesktop() override = default;
    LazyDesktop(const LazyDesktop&) = delete;
    LazyDesktop& operator=(const LazyDesktop&) = delete;

    void showFigure(std::string_view marker, WindowHandle& handle) override;
    void showImageFile(std::string_view path, std::string_view title,
                       WindowHandle& handle) override;
    void closeGraphicWindow(WindowHandle handle) override;
    void playWaveAsync(std::string_view name) override;

    // Where the helper program is looked for, beside the program and in its
    // installed library folder.
    static std::vector<std::filesystem::path> defaultHelperPaths();

private:
    void load(std::stop_token stop, ForwardedKeys& keys,
              const std::vector<std::filesystem::path>& paths);
    Desktop& target();

    std::mutex mutex_;
    std::condition_variable_any wanted_;
    bool neededNow_ = false;
    std::promise<std::unique_ptr<Desktop>> loaded_;
    std::future<std::unique_ptr<Desktop>> result_ = loaded_.get_future();
    std::unique_ptr<Desktop> desktop_;
    bool ready_ = false;
    NullDesktop fallback_;
    std::jthread loader_;  // last: stopped and joined before the rest goes
};

}  // namespace pathwick
