#include "support/lazy_desktop.h"

#include <gtest/gtest.h>

namespace pathwick {
namespace {

TEST(LazyDesktop, WithoutTheModuleEveryCallIsQuiet) {
    ForwardedKeys keys;
    {
        LazyDesktop desktop(keys, {"/nonexistent/pathwick-desktop.so", "relative/missing.so"});
        WindowHandle handle = 7;
        desktop.showImageFile("Figures/a.bmp", "", handle);
        EXPECT_EQ(handle, 0);
        desktop.showFigure("Figure:T1", handle);
        EXPECT_EQ(handle, 0);
        desktop.playWaveAsync("#10");
        desktop.closeGraphicWindow(3);
    }
    // An unused desktop is dropped without loading anything.
    LazyDesktop unused(keys, LazyDesktop::defaultHelperPaths());
}

}  // namespace
}  // namespace pathwick
