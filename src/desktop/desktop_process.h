#pragma once
// The desktop as a helper process (`pathwick-desktop`): every call becomes a
// message to it, and keys typed into its windows come back into `keys`.
//
// No call waits longer than the reply limit. A helper that does not answer
// or does not read in that time is hung: it is killed, and the desktop is
// left alone for a pause (every call does nothing), so that a window system
// that stopped answering costs one wait, not one per question. A helper that
// ends (the window system went away or made it exit, it crashed, it was
// killed) is reaped at once; if it had windows open, a successor opens them
// again. A helper that cannot be started leaves every call quiet. The
// program's handles stay valid across helpers: each maps to the window the
// current helper shows for it.
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "console/forwarded_keys.h"
#include "desktop/desktop.h"
#include "desktop/desktop_channel.h"

namespace pathwick {

struct DesktopLimits {
    // The helper itself gives up on a window after 5 s; past this it is hung.
    std::chrono::milliseconds reply{6000};
    // How long the desktop is left alone after a hung helper.
    std::chrono::milliseconds pause{60000};
};

class DesktopProcess final : public Desktop {
public:
    // Starts the helper at once (it loads its libraries meanwhile); throws
    // std::runtime_error when it cannot be started.
    DesktopProcess(ForwardedKeys& keys, std::filesystem::path helper, DesktopLimits limits = {});
    ~DesktopProcess() override;
    DesktopProcess(const DesktopProcess&) = delete;
    DesktopProcess& operator=(const DesktopProcess&) = delete;

    void showFigure(std::string_view marker, WindowHandle& handle) override;
    void showImageFile(std::string_view path, std::string_view title,
                       WindowHandle& handle) override;
    void closeGraphicWindow(WindowHandle handle) override;
    void playWaveAsync(std::string_view name) override;

private:
    class Helper;
    struct Window {
        DesktopMessage kind;
        std::string request;
        int own = 0;         // the helper's handle, 0 when it shows none
        int generation = 0;  // of the helper that showed it
    };
    using Deadline = std::chrono::steady_clock::time_point;

    // All of these run with mutex_ held.
    Helper* helper();  // the running helper, started anew if the last one ended
    bool paused() const;
    void hang();
    std::optional<int> ask(DesktopMessage kind, std::string_view request, Deadline deadline);
    WindowHandle remember(DesktopMessage kind, std::string_view request);
    void tell(Helper& running, DesktopMessage kind, std::string_view payload);
    void reopen();

    void watch();  // the thread that brings windows back after a helper ends
    void ended();  // called by a helper's reader when it ends

    ForwardedKeys& keys_;
    std::filesystem::path program_;
    DesktopLimits limits_;

    std::mutex mutex_;  // guards the calls, the watch thread and what follows
    std::unique_ptr<Helper> helper_;
    int generation_ = 0;
    Deadline pausedUntil_{};
    std::map<WindowHandle, Window> windows_;
    WindowHandle lastHandle_ = 0;
    int revivals_ = 0;

    std::mutex eventMutex_;
    std::condition_variable event_;
    bool helperEnded_ = false;  // guarded by eventMutex_
    bool stopping_ = false;     // guarded by eventMutex_
    std::thread watcher_;       // last: starts once everything above exists
};

}  // namespace pathwick
