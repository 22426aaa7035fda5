#pragma once
// A desktop that records every call and hands out handles 1, 2, 3, ...
#include <set>
#include <string>
#include <vector>

#include "desktop/desktop.h"
#include "desktop/figure_catalogue.h"

namespace pathwick::testing {

class RecordingDesktop final : public Desktop {
public:
    // Only the three known figures open.
    void showFigure(std::string_view marker, WindowHandle& handle) override {
        handle = FindFigure(marker) != nullptr ? open() : 0;
        log("showFigure " + std::string(marker) + " -> " + std::to_string(handle));
    }
    void showImageFile(std::string_view path, std::string_view title, WindowHandle& handle) override {
        if (handle != 0) closeGraphicWindow(handle);
        handle = open();
        log("showImageFile " + std::string(path) + " '" + std::string(title) + "' -> " + std::to_string(handle));
    }
    void closeGraphicWindow(WindowHandle handle) override { open_.erase(handle), log("close " + std::to_string(handle)); }
    void playWaveAsync(std::string_view name) override { log("play " + std::string(name)); }

    // "showFigure Figure:T1 -> 1", "showImageFile Figures/a.bmp '' -> 2", "close 1", "play #10"
    const std::vector<std::string>& calls() const { return calls_; }
    const std::set<WindowHandle>& openWindows() const { return open_; }
    void clear() { calls_.clear(); }

private:
    WindowHandle open() { return *open_.insert(nextHandle_++).first; }
    void log(std::string call) { calls_.push_back(std::move(call)); }

    WindowHandle nextHandle_ = 1;
    std::vector<std::string> calls_;
    std::set<WindowHandle> open_;
};

}  // namespace pathwick::testing
