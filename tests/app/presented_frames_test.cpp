#include <gtest/gtest.h>

#include <algorithm>

#include "app/program.h"
#include "support/screen_test.h"

namespace pathwick {
namespace {

// The whole program on a terminal that keeps every frame it is given and
// counts its waits for input; the input is scripted.
struct FrameRecorder final : Terminal {
    testing::FakeClock clock;
    testing::ScriptedTerminal script{clock};
    std::vector<ScreenGrid> frames;
    int waits = 0;

    void present(ScreenGrid& grid, const CursorState&) override { frames.push_back(grid); }
    std::optional<InputEvent> readInput(std::chrono::milliseconds limit) override {
        ++waits;
        return script.readInput(limit);
    }
    void setTitle(std::string_view) override {}
    void setMouseReporting(bool) override {}

    void run() {
        ScreenLayer screen(*this, clock);
        testing::RecordingDesktop desktop;
        RandomSource random(clock);
        testing::TempDirectory hints;
        ProgramContext context{screen, desktop, random, hints.path()};
        EXPECT_THROW(RunProgram(context), InputClosed);
    }
    bool anyFrameShows(int row, int column, std::u32string_view text) const {
        return std::any_of(frames.begin(), frames.end(), [&](const ScreenGrid& frame) {
            const auto& cells = frame.cells.at(row - 1);
            return std::equal(text.begin(), text.end(), cells.begin() + column - 1,
                              [](char32_t ch, const Cell& cell) { return cell.ch == ch; });
        });
    }
};

// A drill question waits a second at a time (not in a busy loop), and a
// message that stands while the program works is shown at once.
TEST(PresentedFrames, RunTimeWakesOncePerSecondAndTheWorkMessageIsShown) {
    FrameRecorder terminal;
    terminal.script.key("0").key("R").idle(10'000).key("S").key("P").close();
    terminal.run();
    EXPECT_TRUE(terminal.anyFrameShows(25, 50, U"Run Time: 00:00:10"));
    EXPECT_TRUE(terminal.anyFrameShows(21, 29, U"One moment please, preparing your test..."));
    EXPECT_LE(terminal.waits, 18);  // the menu, the order prompt, 11 seconds shown, the menu, the practice test
}

}  // namespace
}  // namespace pathwick
