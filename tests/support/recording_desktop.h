#pragma once
// A desktop that records every call and hands out handles 1, 2, 3, ...
#include <set>
#include <string>
#include <vector>

#include "support/desktop.h"

namespace pathwick::testing {

class RecordingDesktop final : public Desktop {
public:
    void showFigure(std::string_view marker, WindowHandle& handle) override;
    void showImageFile(std::string_view path, std::string_view title,
                       WindowHandle& handle) override;
    void closeGraphicWindow(WindowHandle handle) override;
    void playWaveAsync(std::string_view name) override;

    // "showFigure Figure:T1 -> 1", "showImageFile Figures/a.bmp '' -> 2",
    // "close 1", "play #10"
    const std::vector<std::string>& calls() const { return calls_; }
    const std::set<WindowHandle>& openWindows() const { return open_; }
    int soundsPlayed() const { return sounds_; }
    void clear() { calls_.clear(); }

private:
    WindowHandle nextHandle_ = 1;
    std::vector<std::string> calls_;
    std::set<WindowHandle> open_;
    int sounds_ = 0;
};

}  // namespace pathwick::testing
