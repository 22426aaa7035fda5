#include "support/lazy_desktop.h"

#include <gtest/gtest.h>

#include "console/forwarded_keys.h"

namespace pathwick {
namespace {

// The real helper program (SDL's dummy video driver, see tests/CMakeLists.txt)
// opens and closes figure windows; without a helper every call does nothing.
TEST(LazyDesktop, WorksThroughTheHelperAndQuietlyWithoutIt) {
    ForwardedKeys keys;
    LazyDesktop helped(keys, {"/nonexistent/pathwick-desktop", PATHWICK_DESKTOP_HELPER});
    WindowHandle figure = 0;
    helped.showFigure("Figure:T2", figure);
    EXPECT_NE(figure, 0);
    helped.closeGraphicWindow(figure);
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

}  // namespace
}  // namespace pathwick
