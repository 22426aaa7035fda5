#include "desktop/terminal_focus.h"

#include <SDL_syswm.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <span>
#include <string_view>

namespace pathwick {
namespace {

// A terminal that has gone, or a WINDOWID that names no window, must not
// end the helper through Xlib's default error handler.
int ignoreError(Display*, XErrorEvent*) { return 0; }

::Window terminalWindow() { return TerminalWindowId(std::getenv("WINDOWID")); }

Display* displayOf(SDL_Window* window, ::Window& id) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return nullptr;
    id = info.info.x11.window;
    return info.info.x11.display;
}

// Focus on no window, the pointer root, the root window or one of `own` is
// free for the terminal to take.
bool focusIsFree(unsigned long focus, unsigned long root, std::span<const unsigned long> own) {
    return focus == None || focus == PointerRoot || focus == root ||
           std::find(own.begin(), own.end(), focus) != own.end();
}

}  // namespace

unsigned long TerminalWindowId(const char* text) {
    if (text == nullptr) return 0;
    const std::string_view digits(text);
    unsigned long id = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), id);
    return error == std::errc() && end == digits.data() + digits.size() ? id : 0;
}

bool focusFreeForTerminal(const std::vector<SDL_Window*>& ours) {
    if (terminalWindow() == 0 || ours.empty()) return false;
    std::vector<::Window> own;
    Display* display = nullptr;
    for (SDL_Window* window : ours) {
        ::Window id = 0;
        display = displayOf(window, id);
        if (display == nullptr) return false;
        own.push_back(id);
    }
    ::Window focus = None;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    return focusIsFree(focus, DefaultRootWindow(display), own);
}

void focusTerminal(SDL_Window* any) {
    ::Window id = 0;
    const ::Window terminal = terminalWindow();
    Display* display = displayOf(any, id);
    if (terminal == 0 || display == nullptr) return;
    const XErrorHandler previous = XSetErrorHandler(ignoreError);
    XSetInputFocus(display, terminal, RevertToPointerRoot, CurrentTime);
    XSync(display, False);
    XSetErrorHandler(previous);
}

}  // namespace pathwick
