#pragma once
// The desktop as a helper process (`pathwick-desktop`): every call becomes a
// message to it, and keys typed into its windows come back into `keys`. If
// the helper ends (the window system went away or made it exit, or it
// crashed), its windows are gone and the next call starts a new one; a
// helper that cannot be started leaves every call quiet. Handles carry the
// helper's generation, so that a handle of an ended helper never closes a
// window of its successor.
#include <filesystem>
#include <memory>

#include "console/forwarded_keys.h"
#include "desktop/desktop.h"
#include "desktop/desktop_channel.h"

namespace pathwick {

class DesktopProcess final : public Desktop {
public:
    // Starts the helper at once (it loads its libraries meanwhile); throws
    // std::runtime_error when it cannot be started.
    DesktopProcess(ForwardedKeys& keys, std::filesystem::path helper);
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
    Helper* helper();  // the running helper, started anew if the last one ended
    WindowHandle open(DesktopMessage kind, std::string_view payload);

    ForwardedKeys& keys_;
    std::filesystem::path program_;
    std::unique_ptr<Helper> helper_;
    int generation_ = 0;
};

}  // namespace pathwick
