// A hint fills the rows below the answer bar: lines as wide as the hint's
// width, down to the last row of the screen and no further.
#include <gtest/gtest.h>

#include "hints/hints_file.h"
#include "support/screen_test.h"

namespace pathwick::testing {
namespace {

TEST(HintRows, AsWideAsTheWidthAndDownToTheLastRow) {
    ScreenRig rig;
    TempDirectory folder;
    // 47 + 1 + 48 letters: one more than a line holds; then words of 60
    // letters, one to a line, far more of them than rows.
    std::string hint = std::string(47, 'x') + " " + std::string(48, 'y');
    for (char word = 'a'; word <= 'z'; ++word) hint += " " + std::string(60, word);
    folder.write("hints.txt", "T0A01: " + hint + " [k]\r\n");
    CountedList index(8);
    WindowHandle window = 0;
    std::string request = "T0A01";
    showHint(request, index, window, rig.screen, rig.desktop, folder.path());
    std::string rows;
    for (int row = 28; row <= kScreenRows; ++row) rows += trimmedRow(rig.screen, row) + "|";
    std::string expected = "| " + std::string(47, 'x') + "| " + std::string(48, 'y') + "|";
    for (char word = 'a'; word <= 'm'; ++word) expected += " " + std::string(60, word) + "|";
    EXPECT_EQ(rows, expected);
}

}  // namespace
}  // namespace pathwick::testing
