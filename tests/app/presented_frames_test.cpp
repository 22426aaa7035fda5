#include <gtest/gtest.h>

#include <algorithm>

#include "support/screen_test.h"

namespace pathwick::testing {
namespace {

bool anyFrameShows(const std::vector<ScreenGrid>& frames, int row, int column, std::u32string_view text) {
    return std::any_of(frames.begin(), frames.end(), [&](const ScreenGrid& frame) {
        return std::equal(text.begin(), text.end(), frame.cells.at(row - 1).begin() + column - 1,
                          [](char32_t ch, const Cell& cell) { return cell.ch == ch; });
    });
}

// A drill question waits a second at a time (not in a busy loop), and a
// message that stands while the program works is shown at once.
TEST(PresentedFrames, RunTimeWakesOncePerSecondAndTheWorkMessageIsShown) {
    ProgramRig rig;
    rig.terminal.frames.emplace();
    rig.run("0 R ~10000 S P");
    EXPECT_TRUE(anyFrameShows(*rig.terminal.frames, 25, 50, U"Run Time: 00:00:10"));
    EXPECT_TRUE(anyFrameShows(*rig.terminal.frames, 21, 29, U"One moment please, preparing your test..."));
    EXPECT_LE(rig.terminal.reads, 18);  // the menu, the order prompt, 11 seconds shown, the menu, the practice test
}

}  // namespace
}  // namespace pathwick::testing
