#include "desktop/lazy_desktop.h"

#include <gtest/gtest.h>

#include <fstream>

#include "console/forwarded_keys.h"
#include "desktop/desktop_process.h"
#include "support/screen_test.h"

namespace pathwick {
namespace {

// The real helper program (SDL's dummy video driver, see tests/CMakeLists.txt)
// opens and closes figure windows; without a helper every call does nothing.
TEST(LazyDesktop, WorksThroughTheHelperAndQuietlyWithoutIt) {
    ForwardedKeys keys;
    LazyDesktop helped(keys, {"/nonexistent/pathwick-desktop", PATHWICK_DESKTOP_HELPER});
    WindowHandle figure = 0, next = 0;
    helped.showFigure("Figure:T2", figure);
    EXPECT_NE(figure, 0);
    helped.closeGraphicWindow(figure);
    helped.showFigure("Figure:T1", next);
    EXPECT_EQ(next, figure + 1) << "the same helper serves request after request";
    helped.showFigure("Figure:T9", figure);
    EXPECT_EQ(figure, 0);

    LazyDesktop without(keys, {"/nonexistent/pathwick-desktop"});
    WindowHandle picture = 7;
    without.showFigure("Figure:T1", figure);
    without.showImageFile("Figures/x.bmp", "", picture);
    without.closeGraphicWindow(figure);
    without.playWaveAsync("#10");
    EXPECT_EQ(figure + picture, 0);
}

// A helper that ends while it opens a window gets one successor to try
// again, not an endless line of them.
TEST(DesktopProcess, AHelperThatEndsOnARequestIsStartedOnceMore) {
    testing::TempDirectory folder;
    const auto starts = folder.path() / "starts";
    folder.write("helper", "#!/bin/sh\necho >> '" + starts.string() + "'\nhead -c 1 <&3 >/dev/null\n");
    std::filesystem::permissions(folder.path() / "helper", std::filesystem::perms::owner_all);
    ForwardedKeys keys;
    DesktopProcess desktop(keys, folder.path() / "helper");
    WindowHandle figure = 7;
    desktop.showFigure("Figure:T1", figure);
    EXPECT_EQ(figure, 0);
    std::ifstream lines(starts);
    EXPECT_EQ(std::count(std::istreambuf_iterator<char>(lines), {}, '\n'), 2);
}

}  // namespace
}  // namespace pathwick
