// The screen layer's sleep: it waits through the terminal, so that an end
// signal or a hang-up cuts it short, while keys typed meanwhile wait for the
// next read.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "app/program.h"
#include "support/screen_test.h"

namespace pathwick::testing {
namespace {

using namespace std::chrono_literals;

TEST(ScreenSleep, KeysTypedDuringTheSleepAreKeptForTheNextRead) {
    ScreenRig rig;
    rig.terminal.key("x");
    rig.screen.sleep(5000);
    EXPECT_EQ(rig.clock.slept(), 5000ms);
    EXPECT_EQ(rig.screen.waitKey(), "x");
}

TEST(ScreenSleep, AnEndSignalDuringTheSleepEndsItAtOnce) {
    ScreenRig rig;
    rig.screen.printText("shown");
    rig.terminal.idle(1200).close().key("y");
    EXPECT_THROW(rig.screen.sleep(5000), InputClosed);
    EXPECT_EQ(rig.clock.slept(), 1200ms);
    EXPECT_EQ(rig.terminal.presentCount(), 1) << "the screen is shown before the wait";
    EXPECT_EQ(rig.screen.waitKey(), "y") << "the sleep took nothing but the close";
}

TEST(ScreenSleep, AnEndSignalAfterTheSleepDoesNotShortenIt) {
    ScreenRig rig;
    rig.terminal.idle(6000).close();
    rig.screen.sleep(5000);
    EXPECT_EQ(rig.clock.slept(), 5000ms);
    EXPECT_THROW(rig.screen.waitKey(), InputClosed);
}

TEST(ScreenSleep, ASignalDuringTheGoodbyeLineEndsTheProgramWithoutTheRestOfThePause) {
    ScreenRig rig;
    TempDirectory hints;
    rig.context.hintsDirectory = hints.path();
    rig.terminal.escape().idle(1000).close();
    EXPECT_THROW(RunProgram(rig.context), InputClosed);
    EXPECT_EQ(rig.clock.slept(), 1000ms);
    EXPECT_EQ(trimmedRow(rig.screen, 21), std::string(27, ' ') + "Thanks for playing.  Have a real nice day.");
}

}  // namespace
}  // namespace pathwick::testing
