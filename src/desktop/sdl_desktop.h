#pragma once
// The Desktop on SDL2. SDL starts on a thread of its own the first time a
// window or a sound is needed; windows are created, repainted and destroyed
// only there. The logic thread hands it commands through a small queue and
// waits only while a window is being created. Every failure (no display, no
// audio device, a missing picture) is quiet and the program goes on.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/forwarded_keys.h"
#include "desktop/desktop.h"

namespace pathwick {

class SdlDesktop final : public Desktop {
public:
    // Key presses that reach one of the windows are pushed to `keys` as if
    // they had been typed in the terminal.
    explicit SdlDesktop(ForwardedKeys& keys);
    ~SdlDesktop() override;
    SdlDesktop(const SdlDesktop&) = delete;
    SdlDesktop& operator=(const SdlDesktop&) = delete;

    void showFigure(std::string_view marker, WindowHandle& handle) override;
    // A file that is missing or not a bitmap opens no window and leaves the
    // handle 0.
    void showImageFile(std::string_view path, std::string_view title,
                       WindowHandle& handle) override;
    void closeGraphicWindow(WindowHandle handle) override;
    void playWaveAsync(std::string_view name) override;

    // False once the window system did not answer in time; from then on
    // windows may hang.
    bool answering() const;

    // For tests: the open windows as the window thread sees them after it
    // has handled every event queued so far.
    struct WindowInfo {
        WindowHandle handle = 0;
        std::string title;  // UTF-8
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
        bool borderless = false;
        bool resizable = false;
    };
    std::vector<WindowInfo> windowsForTesting();
    // The 0xRRGGBB colour shown at (x, y) of a window's drawing area.
    std::optional<std::uint32_t> pixelForTesting(WindowHandle handle, int x, int y);

private:
    class WindowThread;
    WindowThread& windowThread();
    void settle(WindowHandle handle);

    ForwardedKeys& keys_;
    std::unique_ptr<WindowThread> thread_;
};

// The desktop the program uses.
std::unique_ptr<Desktop> makeSystemDesktop(ForwardedKeys& keys);

// How a key press that reached a window is forwarded (SDL key code in,
// KeyEvent out; empty for keys that only arrive as text, or not at all).
KeyEvent forwardedKeyOf(std::int32_t sdlKeycode);
// SDL's UTF-8 text input as Windows-1252 characters; characters without a
// Windows-1252 form are dropped.
std::string cp1252OfTextInput(std::string_view utf8);

}  // namespace pathwick
