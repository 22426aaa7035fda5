#include "desktop/terminal_focus.h"

#include <SDL_syswm.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <string_view>

namespace pathwick {
namespace {

// A terminal that has gone, or a WINDOWID that names no window, must not
// end the helper through Xlib's default error handler.
int ignoreError(Display*, XErrorEvent*) { return 0; }

::Window terminalWindow() {
    const char* text = std::getenv("WINDOWID");
    if (text == nullptr) return 0;
    const std::string_view digits(text);
    unsigned long id = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), id);
    return error == std::errc() && end == digits.data() + digits.size() ? id : 0;
}

}  // namespace

void giveFocusToTerminal(const std::vector<SDL_Window*>& ours) {
    const ::Window terminal = terminalWindow();
    if (terminal == 0 || ours.empty()) return;
    std::vector<::Window> own;
    Display* display = nullptr;
    for (SDL_Window* window : ours) {
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
        display = info.info.x11.display;
        own.push_back(info.info.x11.window);
    }
    ::Window focus = None;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    if (focus != None && focus != PointerRoot && std::find(own.begin(), own.end(), focus) == own.end()) return;
    const XErrorHandler previous = XSetErrorHandler(ignoreError);
    XSetInputFocus(display, terminal, RevertToPointerRoot, CurrentTime);
    XSync(display, False);
    XSetErrorHandler(previous);
}

}  // namespace pathwick
