// Whole drills: set-up, random and sequential order, wrong answers,
// completion and stop.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "support/drill_driver.h"
#include "support/screen_test.h"

namespace pathwick::testing {
namespace {

std::string threeDigits(int n) {
    char text[16];
    std::snprintf(text, sizeof text, "%03d", n);
    return text;
}

TEST(DrillFlowTest, SetUpScreenShowsDescriptionAndOrderPrompt) {
    DrillRig rig;
    rig.load(0);
    EXPECT_THROW(rig.run(), InputClosed);
    const ScreenLayer& screen = rig.screen;
    EXPECT_TRUE(rig.state.descriptionLine.ends_with("[3 Questions, 3 Groups] [37 Questions]"));
    EXPECT_EQ(trimmedRow(screen, 16),
              std::string(14, ' ') + "Module T0 \u2013 Electrical Safety: AC and DC power circuits; antenna");
    EXPECT_EQ(trimmedRow(screen, 17),
              std::string(14, ' ') + "installation; RF hazards \u2013 [3 Questions, 3 Groups] [37 Questions]");
    EXPECT_EQ(trimmedRow(screen, 21),
              std::string(14, ' ') +
                  "Do you want the questions to be presented [R]andomly or in [S]equence?");
    EXPECT_EQ(colorsAt(screen, 21, 58), "14/4");
    EXPECT_EQ(colorsAt(screen, 21, 75), "14/4");
    EXPECT_EQ(colorsAt(screen, 21, 57), "15/1");
}

TEST(DrillFlowTest, RandomDrillShowsEveryQuestionOnceThenCompletes) {
    DrillRig rig;
    rig.load(0);
    rig.script().type("r");
    std::vector<ShownQuestion> log;
    rig.answerAllCorrectly(log, "y");
    EXPECT_EQ(rig.run(), DrillOutcome::BackToMenu);

    ASSERT_EQ(log.size(), 37u);
    std::set<int> rows;
    for (std::size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(log[i].number, threeDigits(static_cast<int>(i) + 1));
        rows.insert(log[i].row);
    }
    EXPECT_EQ(rows.size(), 37u);
    EXPECT_EQ(rig.state.order, DrillOrder::Random);
    EXPECT_EQ(rig.desktop.soundsPlayed(), 0);
    EXPECT_EQ(trimmedRow(rig.screen, 20),
              std::string(16, ' ') + "You have correctly answered all of the questions in this section.");
    EXPECT_EQ(trimmedRow(rig.screen, 21),
              std::string(16, ' ') + "    Would you like to drill on another section? [Y] or [N]o?");
    EXPECT_TRUE(allColors(rig.screen, 20, 1, 100, 15, 1));
    EXPECT_EQ(colorsAt(rig.screen, 21, 66), "14/4");
}

TEST(DrillFlowTest, CompletionNoEndsTheProgram) {
    DrillRig rig;
    rig.load(4);
    rig.script().type("R");
    std::vector<ShownQuestion> log;
    rig.answerAllCorrectly(log, "n");
    EXPECT_EQ(rig.run(), DrillOutcome::Goodbye);
    EXPECT_EQ(log.size(), 24u);
}

TEST(DrillFlowTest, WrongAnswerInRandomOrderComesBackLater) {
    DrillRig rig;
    rig.load(0);
    rig.script().type("r");
    std::vector<ShownQuestion> log;
    int missedRow = 0;
    std::string missedKey;
    std::vector<std::string> wrongLines;
    rig.terminal.respondWith([&](ScriptedTerminal& next) {
        if (rig.onCompletion()) {
            next.type("y");
        } else if (rig.onWrongAnswer()) {
            for (int row = 21; row <= 23; ++row) wrongLines.push_back(textAt(rig.screen, row, 29, 41));
            EXPECT_TRUE(allColors(rig.screen, 21, 29, 41, 0, 15));
            next.click(10, 10);  // any event continues
        } else if (rig.onQuestion()) {
            log.push_back(rig.shown());
            if (missedRow == 0) {
                missedRow = rig.state.current;
                missedKey = rig.keyLetter();
                next.type(rig.wrongLetter() == "A" ? "a" : "b");  // lower case works too
            } else {
                next.type(rig.keyLetter());
            }
        }
    });
    EXPECT_EQ(rig.run(), DrillOutcome::BackToMenu);

    ASSERT_EQ(log.size(), 38u);
    EXPECT_EQ(log.back().number, "038");
    int shownOfMissed = 0;
    for (const auto& question : log) shownOfMissed += question.row == missedRow ? 1 : 0;
    EXPECT_EQ(shownOfMissed, 2);
    ASSERT_EQ(wrongLines.size(), 3u);
    EXPECT_EQ(wrongLines[0], "Incorrect Answer, the correct answer is " + missedKey);
    EXPECT_EQ(wrongLines[1], "We will come back to this question again.");
    EXPECT_EQ(wrongLines[2], "      Press any key to continue.....     ");
    EXPECT_EQ(rig.desktop.soundsPlayed(), 1);
    EXPECT_EQ(rig.desktop.calls().front(), "play #10");
}

TEST(DrillFlowTest, SequentialFromQuestionFiveAsksEachLaterRowOnce) {
    DrillRig rig;
    rig.load(4);
    rig.script().type("s").type("5").enter();
    std::vector<ShownQuestion> log;
    int wrongAnswers = 0;
    rig.terminal.respondWith([&](ScriptedTerminal& next) {
        if (rig.onCompletion()) {
            next.type("y");
        } else if (rig.onWrongAnswer()) {
            ++wrongAnswers;
            next.type(" ");
        } else if (rig.onQuestion()) {
            log.push_back(rig.shown());
            // Every third question is answered wrongly; it is not asked again.
            next.type(log.size() % 3 == 0 ? rig.wrongLetter() : rig.keyLetter());
        }
    });
    EXPECT_EQ(rig.run(), DrillOutcome::BackToMenu);

    ASSERT_EQ(log.size(), 20u);
    for (std::size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(log[i].row, static_cast<int>(i) + 5);
        EXPECT_EQ(log[i].number, threeDigits(static_cast<int>(i) + 5));
    }
    EXPECT_EQ(wrongAnswers, 6);
    EXPECT_EQ(rig.state.order, DrillOrder::Sequential);
}

TEST(DrillFlowTest, InvalidStartQuestionIsWipedAndAskedAgain) {
    DrillRig rig;
    rig.load(4);
    rig.script().type("s").type("0").enter();
    auto expectAskedAgain = [&rig](std::string_view nextEntry) {
        return [&rig, nextEntry](ScriptedTerminal& next) {
            EXPECT_EQ(textAt(rig.screen, 23, 15, 25), "Start with Question:     ") << dump(rig.screen);
            next.type(nextEntry).enter();
        };
    };
    std::string firstNumber;
    rig.respondInTurn({expectAskedAgain("abc"), expectAskedAgain(""), expectAskedAgain("25"),
                       expectAskedAgain("-3"), expectAskedAgain("  23.6, 2"),
                       [&](ScriptedTerminal&) { firstNumber = rig.shown().number; }});
    EXPECT_THROW(rig.run(), InputClosed);
    EXPECT_EQ(firstNumber, "024");
    EXPECT_EQ(rig.state.current, 24);
    for (int row = 1; row <= 24; ++row) EXPECT_EQ(rig.state.answeredFlags[row], 1) << row;
}

TEST(DrillFlowTest, StopReturnsToMenuAndTheSameSubelementStartsAfresh) {
    DrillRig rig;
    rig.load(0);
    rig.script().type("r");
    int answered = 0;
    rig.terminal.respondWith([&](ScriptedTerminal& next) {
        if (!rig.onQuestion()) return;
        next.type(++answered <= 3 ? rig.keyLetter() : "s");
    });
    EXPECT_EQ(rig.run(), DrillOutcome::BackToMenu);
    EXPECT_EQ(answered, 4);

    rig.load(0);
    rig.script().type("r");
    std::vector<ShownQuestion> log;
    rig.answerAllCorrectly(log, "y");
    EXPECT_EQ(rig.run(), DrillOutcome::BackToMenu);
    EXPECT_EQ(log.size(), 37u);
    EXPECT_EQ(log.front().number, "001");
}

TEST(DrillFlowTest, EmptyPoolGoesStraightToCompletion) {
    DrillRig rig;
    rig.state.descriptionLine = "Nothing: here";
    rig.state.pool.cell(0, 1) = " 0";
    rig.script().type("r").type("y");
    EXPECT_EQ(rig.run(), DrillOutcome::BackToMenu);
    EXPECT_TRUE(rig.onCompletion());
}

}  // namespace
}  // namespace pathwick::testing
