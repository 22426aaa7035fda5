#pragma once
// Figure and picture windows and the alert sound. Real: SDL2 on its own
// thread. Tests: a recorder of calls. Every failure is quiet.
#include <cstdint>
#include <string_view>

namespace pathwick {

// 0 means no window.
using WindowHandle = std::int32_t;

class Desktop {
public:
    virtual ~Desktop() = default;

    // Opens the window for "Figure:T1", "Figure:T2" or "Figure:T3" and
    // stores its handle; an unknown marker opens nothing.
    virtual void showFigure(std::string_view marker, WindowHandle& handle) = 0;
    // Closes the window of `handle` if it is not 0, then opens one showing
    // the bitmap file and stores its handle.
    virtual void showImageFile(std::string_view path, std::string_view title,
                               WindowHandle& handle) = 0;
    // Nothing happens when the window is already gone.
    virtual void closeGraphicWindow(WindowHandle handle) = 0;
    // "#10" is the built-in alert; a name with "." is a file. Never waits.
    virtual void playWaveAsync(std::string_view name) = 0;
};

// For terminals without a display: every operation does nothing.
class NullDesktop final : public Desktop {
public:
    void showFigure(std::string_view, WindowHandle&) override {}
    void showImageFile(std::string_view, std::string_view, WindowHandle& handle) override {
        handle = 0;
    }
    void closeGraphicWindow(WindowHandle) override {}
    void playWaveAsync(std::string_view) override {}
};

}  // namespace pathwick
