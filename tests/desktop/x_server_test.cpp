// The desktop's X11 code against a real X server: a private Xvfb, skipped
// where Xvfb is not installed (the project's test setup installs it).
#include <gtest/gtest.h>
// After gtest: Xlib's macros (None, Bool, Status) would break its headers.
#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "desktop/desktop_process.h"
#include "desktop/sdl_desktop.h"

extern char** environ;

namespace pathwick::testing {
namespace {

// Xvfb on a display number it picks itself; empty name when it cannot start.
class VirtualDisplay {
public:
    VirtualDisplay() {
        int ready[2];
        if (::pipe(ready) != 0) return;
        const std::string fd = std::to_string(ready[1]);
        const char* arguments[] = {"Xvfb", "-displayfd", fd.c_str(), "-listen", "tcp", "-screen", "0", "1280x1024x24", nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        if (::posix_spawnp(&pid_, "Xvfb", &actions, nullptr, const_cast<char**>(arguments), environ) != 0) pid_ = 0;
        posix_spawn_file_actions_destroy(&actions);
        ::close(ready[1]);
        pollfd started{ready[0], POLLIN, 0};
        char number[16] = {};
        if (pid_ != 0 && ::poll(&started, 1, 20000) == 1 && ::read(ready[0], number, sizeof number - 1) > 0)
            name_ = std::string(":") + std::to_string(std::atoi(number));
        ::close(ready[0]);
    }
    ~VirtualDisplay() {
        if (pid_ == 0) return;
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    const std::string& name() const { return name_; }

private:
    pid_t pid_ = 0;
    std::string name_;
};

bool eventually(const std::function<bool()>& holds) {
    for (int tries = 0; tries < 200 && !holds(); ++tries) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return holds();
}

// The top-level window titled `title`, or None.
::Window windowTitled(Display* display, const std::string& title) {
    ::Window root = 0, parent = 0, *children = nullptr, found = 0;
    unsigned count = 0;
    XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
    for (unsigned i = 0; i < count && found == 0; ++i) {
        char* name = nullptr;
        if (XFetchName(display, children[i], &name) && name != nullptr && title == name) found = children[i];
        XFree(name);
    }
    XFree(children);
    return found;
}

::Window focusOf(Display* display) {
    ::Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    return focus;
}

// A display on this machine offers its shared memory to SDL; the same
// server reached over the network does not.
TEST(XServer, SharedMemoryOnlyForADisplayOnThisMachine) {
    VirtualDisplay xvfb;
    if (xvfb.name().empty()) GTEST_SKIP() << "no Xvfb";
    Display* local = XOpenDisplay(xvfb.name().c_str());
    ASSERT_NE(local, nullptr);
    EXPECT_TRUE(XShmQueryExtension(local));
    XCloseDisplay(local);
    // Over loopback TCP, where the machine allows it.
    if (Display* network = XOpenDisplay(("localhost" + xvfb.name()).c_str())) {
        EXPECT_FALSE(XShmQueryExtension(network));
        XCloseDisplay(network);
    }
}

// The keyboard goes back to the terminal's window (WINDOWID) after a
// figure opens and after one closes, while no other program holds it.
TEST(XServer, TheTerminalGetsTheKeyboardBackFromFiguresOnly) {
    VirtualDisplay xvfb;
    if (xvfb.name().empty()) GTEST_SKIP() << "no Xvfb";
    ::setenv("DISPLAY", xvfb.name().c_str(), 1), ::setenv("SDL_VIDEODRIVER", "x11", 1);
    Display* display = XOpenDisplay(xvfb.name().c_str());
    ASSERT_NE(display, nullptr);
    const auto window = [&] {
        const ::Window made = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 50, 50, 0, 0, 0);
        XMapWindow(display, made);
        XSync(display, False);
        return made;
    };
    const ::Window terminal = window(), other = window();
    ::setenv("WINDOWID", std::to_string(terminal).c_str(), 1);
    ForwardedKeys keys;
    SdlDesktop desktop(keys);
    WindowHandle first = 0, second = 0;
    desktop.showFigure("Figure:T1", first);
    EXPECT_TRUE(eventually([&] { return focusOf(display) == terminal; })) << "after the figure opened";

    XSetInputFocus(display, other, RevertToPointerRoot, CurrentTime);
    desktop.showFigure("Figure:T2", second);
    desktop.closeGraphicWindow(second);
    desktop.windowsForTesting();
    EXPECT_EQ(focusOf(display), other) << "another program's focus stays";

    XSetInputFocus(display, windowTitled(display, "Figure T1"), RevertToPointerRoot, CurrentTime);
    XSync(display, False);
    desktop.closeGraphicWindow(first);
    EXPECT_TRUE(eventually([&] { return focusOf(display) == terminal; })) << "after the figure closed";
    XCloseDisplay(display);
}

// A key typed into a figure window of the helper reaches the program.
TEST(XServer, KeysTypedIntoAFigureReachTheProgram) {
    VirtualDisplay xvfb;
    if (xvfb.name().empty()) GTEST_SKIP() << "no Xvfb";
    ::setenv("DISPLAY", xvfb.name().c_str(), 1), ::setenv("SDL_VIDEODRIVER", "x11", 1);
    Display* display = XOpenDisplay(xvfb.name().c_str());
    ASSERT_NE(display, nullptr);
    ForwardedKeys keys;
    DesktopProcess desktop(keys, PATHWICK_DESKTOP_HELPER);
    WindowHandle figure = 0;
    desktop.showFigure("Figure:T1", figure);
    ::Window shown = 0;
    ASSERT_TRUE(eventually([&] { return (shown = windowTitled(display, "Figure T1")) != 0; }));
    XSetInputFocus(display, shown, RevertToPointerRoot, CurrentTime);
    for (const char* name : {"b", "Escape"}) {
        XKeyEvent press{};
        press.type = KeyPress, press.display = display, press.window = shown, press.root = DefaultRootWindow(display);
        press.same_screen = True, press.keycode = XKeysymToKeycode(display, XStringToKeysym(name));
        XSendEvent(display, shown, True, KeyPressMask, reinterpret_cast<XEvent*>(&press));
        press.type = KeyRelease;
        XSendEvent(display, shown, True, KeyReleaseMask, reinterpret_cast<XEvent*>(&press));
    }
    XSync(display, False);
    std::string typed;
    EXPECT_TRUE(eventually([&] {
        while (const auto key = keys.take()) typed += *key + "|";
        return typed.size() >= 4;
    })) << typed;
    EXPECT_EQ(typed, "b|\x1b|");
    XCloseDisplay(display);
}

}  // namespace
}  // namespace pathwick::testing
