#include <gtest/gtest.h>

#include "app/help_screen.h"
#include "support/screen_test.h"

namespace pathwick {
namespace {

using namespace pathwick::testing;

TEST(HelpScreen, PageRowsInTheMenuColours) {
    ScreenRig rig;
    rig.screen.setColor(15, 1);
    rig.screen.locate(40, 30);
    rig.screen.printText("left over");
    EXPECT_THROW(ShowHelpScreen(rig.screen), InputClosed);  // still waiting for its key
    const ScreenLayer& s = rig.screen;

    EXPECT_EQ(trimmedRow(s, 1), "");
    EXPECT_EQ(trimmedRow(s, 2), "  Welcome the Amateur Radio Technician Exam Practice Program.  "
                                "This program will help you to");
    EXPECT_EQ(trimmedRow(s, 25), std::string(23, ' ') +
                                     "The Pathwick Team (N0CALL)  email: pathwick@example.org");
    EXPECT_EQ(trimmedRow(s, 29), " Square Root is shpwn as SQRT() and the anti-log which in the "
                                 "book is shown as log raised to");
    EXPECT_EQ(trimmedRow(s, 36),
              " If the Hint prompt is showing pressing the H key will Display Hint.");
    EXPECT_EQ(trimmedRow(s, 40), "") << "the page starts from a cleared screen";
    EXPECT_EQ(s.row(), 37) << "no scrolling: the page fits";
    for (int row = 1; row <= 43; ++row) EXPECT_TRUE(allColors(s, row, 1, 100, 15, 1)) << row;
}

TEST(HelpScreen, AnyKeyOrClickClosesAndClearsThePage) {
    ScreenRig rig;
    rig.screen.enableMouse();
    rig.terminal.extended(72).click(40, 90);
    ShowHelpScreen(rig.screen);
    EXPECT_EQ(trimmedRow(rig.screen, 2), "");
    ShowHelpScreen(rig.screen);
    EXPECT_EQ(trimmedRow(rig.screen, 25), "");
    EXPECT_TRUE(rig.terminal.exhausted());
}

}  // namespace
}  // namespace pathwick
