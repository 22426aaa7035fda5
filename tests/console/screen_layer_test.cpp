#include <gtest/gtest.h>

#include <string>

#include "support/screen_test.h"

namespace pathwick::testing {
namespace {

const std::string kRule = "\u2500";

class ScreenLayerTest : public ::testing::Test {
protected:
    ScreenRig rig;
    ScreenLayer& screen = rig.screen;
};

TEST_F(ScreenLayerTest, TextReachingTheLastCellScrollsOnlyWhenMoreFollows) {
    screen.setColor(15, 1);
    screen.clearScreen();
    screen.locate(1, 1);
    screen.printText("top");
    screen.locate(43, 1);
    screen.printText(std::string(100, 'x'));
    EXPECT_EQ(screen.row(), 43);
    EXPECT_EQ(screen.column(), 1);
    EXPECT_TRUE(screen.scrollPending());
    EXPECT_EQ(textAt(screen, 1, 1, 3), "top");

    screen.printText("y");  // scrolls first, then writes at (43, 1)
    EXPECT_EQ(textAt(screen, 1, 1, 3), "   ");
    EXPECT_EQ(textAt(screen, 42, 1, 3), "xxx");
    EXPECT_EQ(trimmedRow(screen, 43), "y");
    EXPECT_EQ(colorsAt(screen, 43, 50), "15/1");  // new bottom row in the current colours
    EXPECT_FALSE(screen.scrollPending());
}

TEST_F(ScreenLayerTest, LocateCancelsAPendingScroll) {
    screen.locate(43, 1);
    screen.printText(std::string(100, 'x'));
    screen.locate(10, 1);
    EXPECT_FALSE(screen.scrollPending());
    screen.printText("z");
    EXPECT_EQ(textAt(screen, 43, 1, 2), "xx");
    EXPECT_EQ(textAt(screen, 10, 1, 1), "z");
}

TEST_F(ScreenLayerTest, TextWrapsAtTheRightEdge) {
    screen.locate(5, 90);
    screen.printText(std::string(11, 'a') + std::string(19, 'b'));
    EXPECT_EQ(textAt(screen, 5, 90, 11), std::string(11, 'a'));
    EXPECT_EQ(textAt(screen, 6, 1, 19), std::string(19, 'b'));
    EXPECT_EQ(screen.row(), 6);
    EXPECT_EQ(screen.column(), 20);
}

// An out-of-range coordinate or colour keeps its old value; the other one applies.
TEST_F(ScreenLayerTest, OutOfRangeLocateAndColourKeepThatValue) {
    screen.locate(7, 8);
    screen.locate(0, 5);
    EXPECT_EQ(screen.row(), 7);
    EXPECT_EQ(screen.column(), 5);
    screen.locate(44, 200);
    EXPECT_EQ(screen.row(), 7);
    EXPECT_EQ(screen.column(), 5);
    screen.setColor(15, 1);
    screen.setColor(16, 4);
    EXPECT_EQ(screen.foreground(), 15);
    EXPECT_EQ(screen.background(), 4);
    screen.setColor(2, 99);
    EXPECT_EQ(screen.foreground(), 2);
    EXPECT_EQ(screen.background(), 4);
}

TEST_F(ScreenLayerTest, NewLineOnTheBottomRowScrollsOnceOrTwiceWhenPending) {
    for (int row = 1; row <= 43; ++row) {
        screen.locate(row, 1);
        screen.printText("r" + std::to_string(row));
    }
    screen.locate(43, 5);
    screen.newLine();
    EXPECT_EQ(trimmedRow(screen, 42), "r43");
    EXPECT_EQ(screen.row(), 43);
    EXPECT_EQ(screen.column(), 1);

    screen.printText(std::string(100, 'x'));  // pending scroll
    screen.newLine();
    EXPECT_EQ(trimmedRow(screen, 41), std::string(100, 'x'));
    EXPECT_EQ(trimmedRow(screen, 42), "");
    EXPECT_EQ(trimmedRow(screen, 43), "");
    EXPECT_FALSE(screen.scrollPending());
}

TEST_F(ScreenLayerTest, ClearScreenUsesCurrentColoursAndHomesTheCursor) {
    screen.setColor(0, 15);
    screen.locate(30, 30);
    screen.clearScreen();
    EXPECT_TRUE(allColors(screen, 1, 1, 100, 0, 15));
    EXPECT_TRUE(allColors(screen, 43, 1, 100, 0, 15));
    EXPECT_EQ(screen.row(), 1);
    EXPECT_EQ(screen.column(), 1);
}

TEST_F(ScreenLayerTest, NumbersAndRules) {
    screen.locate(1, 1);
    screen.printNumber(5);
    screen.printNumber(-2);
    screen.printNumber(74.29f);
    screen.printNumber(0.5f);
    EXPECT_EQ(trimmedRow(screen, 1), " 5 -2  74.29  .5");
    screen.locate(2, 2);
    screen.horizontalRule(99);
    EXPECT_EQ(textAt(screen, 2, 1, 1), " ");
    EXPECT_EQ(textAt(screen, 2, 2, 1), kRule);
    EXPECT_EQ(textAt(screen, 2, 100, 1), kRule);
    EXPECT_EQ(screen.row(), 3);
}

TEST_F(ScreenLayerTest, WindowsCharactersReachTheCellsAsUnicode) {
    screen.locate(1, 1);
    screen.printText("a\x96" "b\x97" "c\x92\x93\x94\xA0");
    EXPECT_EQ(textAt(screen, 1, 1, 9), "a\u2013b\u2014c\u2019\u201c\u201d\u00a0");
}

TEST_F(ScreenLayerTest, ClicksCountOnlyAfterEnableMouse) {
    rig.terminal.click(1, 1).key("k");
    EXPECT_EQ(screen.waitKey(), "k");
    EXPECT_EQ(screen.mouseRow(), 0);

    screen.enableMouse();
    EXPECT_TRUE(rig.terminal.mouseReporting());
    rig.terminal.click(1, 1).doubleClick(25, 9);
    EXPECT_EQ(screen.waitKey(), clickEvent(kClickPressed));
    EXPECT_EQ(screen.mouseRow(), 1);
    EXPECT_EQ(screen.mouseColumn(), 1);
    EXPECT_EQ(screen.waitKey(), clickEvent(kClickPressed));
    EXPECT_EQ(screen.waitKey(), clickEvent(kClickDouble));
    EXPECT_EQ(screen.mouseRow(), 25);
    EXPECT_EQ(screen.mouseColumn(), 9);
}

TEST_F(ScreenLayerTest, PollKeyGivesUpAfterOnePauseAndKeepsQueuedKeys) {
    rig.terminal.idle(100).key("a");
    EXPECT_EQ(screen.pollKey(5), "");
    EXPECT_EQ(rig.clock.now().millisecond, 20);
    EXPECT_EQ(screen.waitKey(), "a");
    EXPECT_EQ(rig.clock.now().millisecond, 100);
}

TEST_F(ScreenLayerTest, EndOfInputEndsAKeyWait) {
    rig.terminal.close();
    EXPECT_THROW(screen.waitKey(), InputClosed);
    EXPECT_THROW(screen.pollKey(5), InputClosed);  // an exhausted script reads as closed
}

TEST_F(ScreenLayerTest, ForwardedKeysAreReadAsIfTyped) {
    ForwardedKeys keys;
    screen.attachForwardedKeys(&keys);
    keys.push("b");
    rig.terminal.key("c");
    EXPECT_EQ(screen.waitKey(), "b");
    EXPECT_EQ(screen.waitKey(), "c");
}

TEST_F(ScreenLayerTest, TheGridReachesTheTerminalOnlyWhenWaiting) {
    screen.clearScreen();
    screen.printText("hello");
    screen.locate(3, 3);
    EXPECT_EQ(rig.terminal.presentCount(), 0);
    rig.terminal.key("x");
    screen.waitKey();
    EXPECT_EQ(rig.terminal.presentCount(), 1);
    screen.sleep(5000);
    EXPECT_EQ(rig.terminal.presentCount(), 2);
    EXPECT_EQ(rig.clock.slept().count(), 5000);
}

TEST_F(ScreenLayerTest, ReadLineEchoesEditsAndEndsWithANewLine) {
    screen.hideCursor();
    screen.locate(20, 43);
    rig.terminal.key("\b").type("T1X").key("\b").type("A01").key("\x1b").key("\t");
    rig.terminal.extended(72).click(20, 44).enter();
    EXPECT_EQ(screen.readLine(), "T1A01");
    EXPECT_EQ(textAt(screen, 20, 43, 6), "T1A01 ");
    EXPECT_EQ(screen.row(), 21);
    EXPECT_EQ(screen.column(), 1);
    EXPECT_TRUE(rig.terminal.lastCursor().visible);
    EXPECT_FALSE(screen.cursorVisible());

    rig.terminal.enter();
    EXPECT_EQ(screen.readLine(), "");
}

TEST_F(ScreenLayerTest, ReadLineBackspaceAcrossRowsErasesTheRightCell) {
    screen.locate(10, 99);
    rig.terminal.type("abc").key("\b").key("\b").enter();
    EXPECT_EQ(screen.readLine(), "a");
    EXPECT_EQ(textAt(screen, 10, 99, 2), "a ");
    EXPECT_EQ(textAt(screen, 11, 1, 1), " ");

    // The last cell of the screen: the erase must hit (43, 100), not row 42.
    screen.locate(42, 100);
    screen.printText("k");
    screen.locate(43, 99);
    rig.terminal.type("xy").key("\b").enter();
    EXPECT_EQ(screen.readLine(), "x");
    // Enter on the bottom row scrolled everything up by one.
    EXPECT_EQ(textAt(screen, 41, 100, 1), "k");
    EXPECT_EQ(textAt(screen, 42, 99, 2), "x ");
}

TEST_F(ScreenLayerTest, ReadLineKeepsAtMostTenThousandCharacters) {
    screen.locate(1, 1);
    rig.terminal.type(std::string(10005, 'q')).enter();
    EXPECT_EQ(screen.readLine().size(), 10000u);
}

}  // namespace
}  // namespace pathwick::testing
