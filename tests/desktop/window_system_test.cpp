// The rules the desktop helper applies to what the X window system tells it:
// where a display's server runs, and when the keyboard goes back to the
// terminal.
#include <gtest/gtest.h>

#include <string_view>

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
    for (const auto& display : kDisplays)
        EXPECT_EQ(IsNetworkDisplay(display.name), display.network) << display.name;
}

TEST(WindowSystem, TheTerminalTakesTheFocusOnlyFromNoWindowTheRootOrOurs) {
    EXPECT_EQ(TerminalWindowId("8388621"), 8388621UL);
    for (const char* bad : {static_cast<const char*>(nullptr), "", "12x", "x12", "-5", " 7", "99999999999999999999999"})
        EXPECT_EQ(TerminalWindowId(bad), 0UL) << (bad ? bad : "(unset)");

    const unsigned long root = 0x2A0, own[] = {0x600001, 0x600009};
    const unsigned long noWindow = 0, pointerRoot = 1;  // X's None and PointerRoot
    for (unsigned long free : {noWindow, pointerRoot, root, own[0], own[1]})
        EXPECT_TRUE(FocusIsFree(free, root, own)) << free;
    for (unsigned long taken : {0x600002UL, 0x400001UL, root + 1})
        EXPECT_FALSE(FocusIsFree(taken, root, own)) << taken;
    EXPECT_FALSE(FocusIsFree(0x600001, root, {}));
}

}  // namespace
}  // namespace pathwick::testing
