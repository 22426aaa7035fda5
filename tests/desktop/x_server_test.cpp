// The desktop's X11 code: its rules for display names and window IDs, then
// against a real X server, a private Xvfb (skipped where Xvfb is not
// installed; the project's test setup installs it).
#include <gtest/gtest.h>
// After gtest: Xlib's macros (None, Bool, Status) would break its headers.
#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <thread>

#include "desktop/desktop_process.h"
#include "desktop/display_name.h"
#include "desktop/terminal_focus.h"

namespace pathwick::testing {
namespace {

TEST(WindowSystem, OnlyADisplayOnAnotherHostIsReachedOverTheNetwork) {
    const struct { std::string_view name; bool network; } kDisplays[] = {
        {"localhost:10.0", true}, {"server.example:0", true}, {"[::1]:11", true}, {"h:1", true},
        {":0", false}, {":0.1", false}, {"unix:0", false}, {"/tmp/.X11-unix/X0:0", false},
        {"", false}, {"localhost", false}, {"unixx:0", true}, {"uni:0", true},
    };
    for (const auto& display : kDisplays) EXPECT_EQ(IsNetworkDisplay(display.name), display.network) << display.name;
}

// WINDOWID names the terminal's window only as a whole decimal number.
TEST(WindowSystem, TheTerminalsWindowIsAWholeDecimalNumber) {
    EXPECT_EQ(TerminalWindowId("8388621"), 8388621UL);
    for (const char* bad : {static_cast<const char*>(nullptr), "", "12x", "x12", "-5", " 7", "99999999999999999999999"})
        EXPECT_EQ(TerminalWindowId(bad), 0UL) << (bad ? bad : "(unset)");
}

bool eventually(const std::function<bool()>& holds) {
    for (int tries = 0; tries < 200 && !holds(); ++tries) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return holds();
}

// Xvfb on a display number of its own choosing, this process's DISPLAY and
// SDL's video driver while the test runs, and a connection to it.
class XServer : public ::testing::Test {
protected:
    void SetUp() override {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        if ((xvfb_ = ::fork()) == 0) {  // it writes its display number once it is ready
            ::dup2(ready[1], STDOUT_FILENO), ::dup2(::open("/dev/null", O_WRONLY), STDERR_FILENO);
            ::execlp("Xvfb", "Xvfb", "-displayfd", "1", "-listen", "tcp", "-screen", "0", "1280x1024x24", nullptr);
            ::_exit(127);
        }
        ::close(ready[1]);
        started_ = ::fdopen(ready[0], "r");
        int number = -1;
        if (std::fscanf(started_, "%d", &number) != 1) GTEST_SKIP() << "no Xvfb";
        name = ":" + std::to_string(number);
        ::setenv("DISPLAY", name.c_str(), 1), ::setenv("SDL_VIDEODRIVER", "x11", 1);
        display = XOpenDisplay(name.c_str());
        ASSERT_NE(display, nullptr);
    }
    void TearDown() override {
        if (display != nullptr) XCloseDisplay(display);
        ::kill(xvfb_, SIGTERM), ::waitpid(xvfb_, nullptr, 0), std::fclose(started_);
    }

    ::Window focus() const {
        ::Window focused = 0;
        int revert = 0;
        XGetInputFocus(display, &focused, &revert);
        return focused;
    }
    // The top-level window under (x, y) of the screen, or none (0).
    ::Window windowAt(int x, int y) const {
        ::Window root = 0, child = 0;
        int place = 0;  // where the pointer is: known already
        unsigned mask = 0;
        XWarpPointer(display, 0, DefaultRootWindow(display), 0, 0, 0, 0, x, y);
        XQueryPointer(display, DefaultRootWindow(display), &root, &child, &place, &place, &place, &place, &mask);
        return child;
    }
    ::Window mappedWindow() const {
        const ::Window made = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 50, 50, 0, 0, 0);
        XMapWindow(display, made);
        XSync(display, False);
        return made;
    }

    // Top-level windows shown (this program's own included).
    int shownWindows() const {
        ::Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0, shown = 0;
        XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
        for (unsigned i = 0; i < count; ++i) {
            XWindowAttributes attributes{};
            shown += XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable;
        }
        XFree(children);
        return static_cast<int>(shown);
    }

    std::string name;
    Display* display = nullptr;
    pid_t xvfb_ = 0;

private:
    FILE* started_ = nullptr;
};

// A display on this machine offers its shared memory to SDL; the same
// server reached over the network (loopback TCP, where allowed) does not.
TEST_F(XServer, SharedMemoryOnlyForADisplayOnThisMachine) {
    EXPECT_TRUE(XShmQueryExtension(display));
    if (Display* network = XOpenDisplay(("localhost" + name).c_str())) {
        EXPECT_FALSE(XShmQueryExtension(network));
        XCloseDisplay(network);
    }
}

// The keyboard goes back to the terminal's window (WINDOWID) after a figure
// of the helper opens, and after one closes unless another program holds
// it; keys typed into a figure reach the program.
TEST_F(XServer, FiguresGiveTheKeyboardBackAndPassTheirKeysOn) {
    const ::Window terminal = mappedWindow(), other = mappedWindow();
    ::setenv("WINDOWID", std::to_string(terminal).c_str(), 1);
    ForwardedKeys keys;
    DesktopProcess desktop(keys, PATHWICK_DESKTOP_HELPER);
    WindowHandle first = 0, second = 0;
    desktop.showFigure("Figure:T1", first);
    EXPECT_TRUE(eventually([&] { return focus() == terminal; })) << "after the figure opened";
    desktop.showFigure("Figure:T2", second);
    EXPECT_TRUE(eventually([&] { return focus() == terminal; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    XSetInputFocus(display, other, RevertToPointerRoot, CurrentTime);
    XSync(display, False);
    desktop.closeGraphicWindow(second);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(focus(), other) << "another program's focus stays";

    const ::Window shown = windowAt(1100, 200);  // Figure T1's place
    XSetInputFocus(display, shown, RevertToPointerRoot, CurrentTime);
    for (const char* key : {"b", "Escape"}) {
        XKeyEvent press{};
        press.type = KeyPress, press.display = display, press.window = shown, press.root = DefaultRootWindow(display);
        press.same_screen = True, press.keycode = XKeysymToKeycode(display, XStringToKeysym(key));
        XSendEvent(display, shown, True, KeyPressMask, reinterpret_cast<XEvent*>(&press));
    }
    XSync(display, False);
    std::string typed;
    EXPECT_TRUE(eventually([&] {
        while (const auto key = keys.take()) typed += *key + "|";
        return typed.size() >= 4;
    }));
    EXPECT_EQ(typed, "b|\x1b|");
    desktop.closeGraphicWindow(first);
    EXPECT_TRUE(eventually([&] { return focus() == terminal; })) << "after the figure closed";
}

// Without WINDOWID (ssh passes none) the keyboard goes back to whoever held
// it before the figure took it, once the figure is shown and once it closes;
// to the pointer's window when that holder has gone meanwhile.
TEST_F(XServer, WithoutWindowIdTheKeyboardGoesBackToItsHolder) {
    ::unsetenv("WINDOWID");
    const ::Window terminal = mappedWindow(), doomed = mappedWindow();
    const struct { ::Window holder, after; } cases[] = {{terminal, terminal}, {PointerRoot, PointerRoot}, {doomed, PointerRoot}};
    for (const auto& [holder, after] : cases) {
        XSetInputFocus(display, holder, RevertToPointerRoot, CurrentTime);
        XSync(display, False);
        ForwardedKeys keys;
        DesktopProcess desktop(keys, PATHWICK_DESKTOP_HELPER);
        WindowHandle figure = 0;
        desktop.showFigure("Figure:T1", figure);
        EXPECT_TRUE(eventually([&] { return focus() == holder; })) << holder << " after the figure opened";
        if (holder != after) XDestroyWindow(display, holder);
        desktop.closeGraphicWindow(figure);
        EXPECT_TRUE(eventually([&] { return windowAt(1100, 200) == 0 && focus() == after; })) << holder << " after it closed";
    }
}

// The X server stops while a figure is shown (the helper's window system
// does not answer: it is given up after one wait), comes back, and figures
// return after the pause: at every step at most one figure window is shown,
// also while the figures of a drill started again come and go.
TEST_F(XServer, AfterTheServerCameBackAtMostOneFigureIsShown) {
    ForwardedKeys keys;
    DesktopProcess desktop(keys, PATHWICK_DESKTOP_HELPER, {std::chrono::milliseconds(6000), std::chrono::milliseconds(1000)});
    WindowHandle figure = 0;
    desktop.showFigure("Figure:T1", figure);
    ::kill(xvfb_, SIGSTOP);
    desktop.closeGraphicWindow(figure);
    desktop.showFigure("Figure:T1", figure);  // the one wait
    ::kill(xvfb_, SIGCONT);
    for (int tries = 0; tries < 100 && figure == 0; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        desktop.showFigure("Figure:T2", figure);
        EXPECT_LE(shownWindows(), 1);
    }
    ASSERT_NE(figure, 0) << "figures did not return";
    for (const char* marker : {"Figure:T1", "Figure:T1", "Figure:T3", "Figure:T1"}) {
        desktop.closeGraphicWindow(figure);
        desktop.showFigure(marker, figure);  // shown, and the last one hidden, by its return
        EXPECT_EQ(shownWindows(), 1) << marker;
    }
}

}  // namespace
}  // namespace pathwick::testing
