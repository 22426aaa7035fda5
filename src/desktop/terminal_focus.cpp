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

class ErrorsIgnored {
public:
    ErrorsIgnored() : previous_(XSetErrorHandler(ignoreError)) {}
    ~ErrorsIgnored() { XSetErrorHandler(previous_); }
    ErrorsIgnored(const ErrorsIgnored&) = delete;
    ErrorsIgnored& operator=(const ErrorsIgnored&) = delete;

private:
    XErrorHandler previous_;
};

Display* displayOf(SDL_Window* window, ::Window& id) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return nullptr;
    id = info.info.x11.window;
    return info.info.x11.display;
}

// The X windows of `ours` and their connection, or none off X11.
Display* ownWindows(const std::vector<SDL_Window*>& ours, std::vector<::Window>& own) {
    Display* display = nullptr;
    for (SDL_Window* window : ours) {
        ::Window id = 0;
        display = displayOf(window, id);
        if (display == nullptr) return nullptr;
        own.push_back(id);
    }
    return display;
}

::Window currentFocus(Display* display) {
    ::Window focus = None;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    return focus;
}

bool isOwn(::Window window, std::span<const ::Window> own) {
    return std::find(own.begin(), own.end(), window) != own.end();
}

// Focus on no window, the pointer root, the root window or one of `own` is
// free for the terminal to take.
bool focusIsFree(::Window focus, ::Window root, std::span<const ::Window> own) {
    return focus == None || focus == PointerRoot || focus == root || isOwn(focus, own);
}

// A window that is gone or not shown cannot take the focus: the keyboard
// then goes where the pointer is, as the X server starts out.
::Window focusable(Display* display, ::Window target) {
    if (target == PointerRoot || target == DefaultRootWindow(display)) return target;
    XWindowAttributes attributes{};
    const ErrorsIgnored quiet;
    const bool shown = XGetWindowAttributes(display, target, &attributes) != 0 &&
                       attributes.map_state == IsViewable;
    return shown ? target : PointerRoot;
}

}  // namespace

unsigned long TerminalWindowId(const char* text) {
    if (text == nullptr) return 0;
    const std::string_view digits(text);
    unsigned long id = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), id);
    return error == std::errc() && end == digits.data() + digits.size() ? id : 0;
}

TerminalFocus::TerminalFocus() : terminal_(TerminalWindowId(std::getenv("WINDOWID"))) {}

void TerminalFocus::noteHolder(const std::vector<SDL_Window*>& ours) {
    std::vector<::Window> own;
    Display* display = ownWindows(ours, own);
    if (display == nullptr) return;
    const ::Window focus = currentFocus(display);
    if (isOwn(focus, own)) return;
    // Nobody had the keyboard: it goes back to where the pointer is.
    holder_ = focus == None ? PointerRoot : focus;
}

bool TerminalFocus::free(const std::vector<SDL_Window*>& ours) const {
    if (terminal_ == 0 && !holder_) return false;
    std::vector<::Window> own;
    Display* display = ownWindows(ours, own);
    return display != nullptr && focusIsFree(currentFocus(display), DefaultRootWindow(display), own);
}

void TerminalFocus::giveBack(SDL_Window* any) const {
    ::Window id = 0;
    Display* display = displayOf(any, id);
    if (display == nullptr || (terminal_ == 0 && !holder_)) return;
    const ::Window target = focusable(display, terminal_ != 0 ? terminal_ : *holder_);
    const ErrorsIgnored quiet;
    XSetInputFocus(display, target, RevertToPointerRoot, CurrentTime);
    XSync(display, False);
}

}  // namespace pathwick
