#include "support/recording_desktop.h"

namespace pathwick::testing {

void RecordingDesktop::showFigure(std::string_view marker, WindowHandle& handle) {
    const bool known = marker == "Figure:T1" || marker == "Figure:T2" || marker == "Figure:T3";
    handle = known ? nextHandle_++ : 0;
    if (handle != 0) open_.insert(handle);
    calls_.push_back("showFigure " + std::string(marker) + " -> " + std::to_string(handle));
}

void RecordingDesktop::showImageFile(std::string_view path, std::string_view title,
                                     WindowHandle& handle) {
    if (handle != 0) closeGraphicWindow(handle);
    handle = nextHandle_++;
    open_.insert(handle);
    calls_.push_back("showImageFile " + std::string(path) + " '" + std::string(title) +
                     "' -> " + std::to_string(handle));
}

void RecordingDesktop::closeGraphicWindow(WindowHandle handle) {
    open_.erase(handle);
    calls_.push_back("close " + std::to_string(handle));
}

void RecordingDesktop::playWaveAsync(std::string_view name) {
    ++sounds_;
    calls_.push_back("play " + std::string(name));
}

}  // namespace pathwick::testing
