#include "console/ask_choice.h"

#include <gtest/gtest.h>

#include "support/screen_test.h"

namespace pathwick::testing {
namespace {

const char kExamPrompt[] = "Are you sure you want to end the Exam? [Y] or [N]";

class AskChoiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        rig.screen.setColor(0, 15);
        rig.screen.clearScreen();
        rig.screen.locate(25, 26);
        rig.screen.printText(kExamPrompt);
    }
    std::string ask() { return AskChoice(rig.screen, kExamPrompt, -25, 26, "[Y]", "[N]"); }

    ScreenRig rig;
};

TEST_F(AskChoiceTest, HighlightsOnlyTheLettersOfAPromptAlreadyOnScreen) {
    rig.terminal.type("y");
    EXPECT_EQ(ask(), "Y");
    EXPECT_EQ(textAt(rig.screen, 25, 65, 3), "[Y]");
    EXPECT_EQ(colorsAt(rig.screen, 25, 66), "14/4");
    EXPECT_EQ(colorsAt(rig.screen, 25, 73), "14/4");
    EXPECT_EQ(colorsAt(rig.screen, 25, 65), "0/15");
    EXPECT_EQ(colorsAt(rig.screen, 25, 67), "0/15");
    EXPECT_EQ(rig.screen.foreground(), 14);
    EXPECT_EQ(rig.screen.background(), 4);
}

TEST_F(AskChoiceTest, ClicksCountOnTheLetterItsBracketAndTheColumnAfter) {
    rig.terminal.click(25, 65).click(24, 66).click(25, 69).click(25, 72).click(25, 68);
    EXPECT_EQ(ask(), "Y");
    EXPECT_TRUE(rig.terminal.exhausted());
    for (int column : {73, 74, 75}) {
        rig.terminal.click(25, column);
        EXPECT_EQ(ask(), "N") << column;
    }
    EXPECT_TRUE(rig.terminal.mouseReporting());
}

TEST_F(AskChoiceTest, OtherKeysAreIgnored) {
    rig.terminal.type("xq").key("\r").extended(59).type("n");
    EXPECT_EQ(ask(), "N");
}

TEST(AskChoiceWriting, APositiveRowWritesThePromptFirst) {
    ScreenRig rig;
    rig.screen.setColor(15, 1);
    rig.screen.clearScreen();
    rig.terminal.type("s");
    const char prompt[] = "Do you want the questions to be presented [R]andomly or in [S]equence?";
    EXPECT_EQ(AskChoice(rig.screen, prompt, 21, 15, "[R]", "[S]"), "S");
    EXPECT_EQ(textAt(rig.screen, 21, 15, 10), "Do you wan");
    EXPECT_EQ(colorsAt(rig.screen, 21, 58), "14/4");  // the R of [R]
    EXPECT_EQ(textAt(rig.screen, 21, 58, 1), "R");
    EXPECT_EQ(colorsAt(rig.screen, 21, 75), "14/4");  // the S of [S]
}

}  // namespace
}  // namespace pathwick::testing
