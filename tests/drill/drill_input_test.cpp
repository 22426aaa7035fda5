// Keys and clicks during a drill question: peek, redraw, hint, stop, the
// row-25 labels, double-clicks, the run time and figure windows.
#include <gtest/gtest.h>

#include "support/drill_driver.h"
#include "support/hints_file.h"
#include "support/screen_test.h"

namespace pathwick::testing {
namespace {

void startSequential(DrillRig& rig, int subelement, int first) {
    rig.load(subelement);
    rig.script().type("s").type(std::to_string(first)).enter();
}

int rowOf(const RunState& state, std::string_view id) {
    for (int row = 1; row <= state.pool.count(); ++row) {
        if (state.pool.cell(row, 1).starts_with(id)) return row;
    }
    return 0;
}

int labelColumn(std::string_view letter) { return 3 + 5 * (letter.front() - 'A'); }

std::string choiceRows(const ScreenLayer& screen) {
    std::string text;
    for (int row = 4; row <= 20; ++row) text += trimmedRow(screen, row) + "\n";
    return text;
}

TEST(DrillInputTest, SpaceTogglesPeekWithoutReletteringTheChoices) {
    DrillRig rig;
    rig.load(0);
    rig.script().type("r");
    std::string choices;
    int column = 0;
    int row = 0;
    rig.respondInTurn({
        [&](ScriptedTerminal& next) {
            choices = choiceRows(rig.screen);
            row = rig.state.current;
            column = labelColumn(rig.keyLetter()) + 1;
            EXPECT_EQ(textAt(rig.screen, 23, column, 1), " ");
            next.type(" ");
        },
        [&](ScriptedTerminal& next) {
            EXPECT_EQ(textAt(rig.screen, 25, 90, 7), "Peek On");
            EXPECT_EQ(colorsAt(rig.screen, 25, 90), "14/4");
            EXPECT_EQ(textAt(rig.screen, 23, column, 1), "*");
            EXPECT_EQ(choiceRows(rig.screen), choices);
            EXPECT_EQ(rig.state.current, row);
            next.click(25, 100);
        },
        [&](ScriptedTerminal& next) {
            EXPECT_EQ(textAt(rig.screen, 25, 90, 8), "Peek Off");
            EXPECT_EQ(textAt(rig.screen, 23, column, 1), " ");
            EXPECT_EQ(choiceRows(rig.screen), choices);
            next.click(25, 90);
        },
        [&](ScriptedTerminal& next) {
            EXPECT_TRUE(rig.state.peekOn);
            next.type(rig.keyLetter());
        },
        [&](ScriptedTerminal&) {
            // Peek lasts into the next question.
            EXPECT_EQ(textAt(rig.screen, 23, labelColumn(rig.keyLetter()) + 1, 1), "*");
        },
    });
    EXPECT_THROW(rig.run(), InputClosed);
}

TEST(DrillInputTest, RedrawRestoresTheScreenAndOtherRowsAreIgnored) {
    DrillRig rig;
    startSequential(rig, 0, 1);
    auto scribble = [&rig] {
        rig.screen.setColor(0, 15);
        rig.screen.locate(2, 60);
        rig.screen.printText("SCRIBBLE");
    };
    auto scribbled = [&rig] { return textAt(rig.screen, 2, 60, 8) == "SCRIBBLE"; };
    rig.respondInTurn({
        [&](ScriptedTerminal& next) {
            scribble();
            // Answer, stop, hint and peek columns, but not on row 25.
            next.click(24, 3).click(26, 24).click(10, 80).click(1, 95).type("x").type("1");
            next.extended(72).key("\r");  // Up arrow (scan code 72 is 'H')
        },
        [&](ScriptedTerminal& next) {
            EXPECT_TRUE(scribbled()) << "nothing was redrawn";
            EXPECT_FALSE(rig.state.peekOn);
            EXPECT_EQ(textAt(rig.screen, 27, 2, 10), "          ");
            next.type("z");
        },
        [&](ScriptedTerminal& next) {
            EXPECT_FALSE(scribbled());
            scribble();
            next.type("Z");
        },
        [&](ScriptedTerminal& next) {
            EXPECT_FALSE(scribbled());
            for (int column : {1, 2, 6, 7, 11, 12, 16, 17, 21, 22, 23, 34, 50, 79, 84, 89}) {
                scribble();
                next.click(25, column);
            }
        },
        [&](ScriptedTerminal&) {
            EXPECT_FALSE(scribbled());
            EXPECT_FALSE(rig.state.peekOn);
            EXPECT_EQ(trimmedRow(rig.screen, 27), "");
            EXPECT_EQ(rig.state.current, 1);
            EXPECT_EQ(rig.shown().number, "001");
        },
    });
    EXPECT_THROW(rig.run(), InputClosed);
    EXPECT_EQ(rig.desktop.soundsPlayed(), 0);
}

TEST(DrillInputTest, ClicksOnBothEdgesOfEachAnswerLabelAnswer) {
    DrillRig rig;
    rig.load(0);
    rig.script().type("r");
    int shown = 0;
    rig.terminal.respondWith([&](ScriptedTerminal& next) {
        if (rig.onCompletion()) {
            next.click(21, 66);
            return;
        }
        if (!rig.onQuestion()) return;
        ++shown;
        next.click(25, labelColumn(rig.keyLetter()) + (shown % 2 == 0 ? 2 : 0));
    });
    EXPECT_EQ(rig.run(), DrillOutcome::BackToMenu);
    EXPECT_EQ(shown, 37);
    EXPECT_EQ(rig.desktop.soundsPlayed(), 0);
}

TEST(DrillInputTest, ClickOnStopDrillLabelStops) {
    for (int column : {24, 33}) {
        DrillRig rig;
        startSequential(rig, 0, 1);
        rig.respondInTurn({[column](ScriptedTerminal& next) { next.click(25, 34).click(25, column); }});
        EXPECT_EQ(rig.run(), DrillOutcome::BackToMenu) << column;
    }
}

TEST(DrillInputTest, DoubleClickOnAnAnswerLabelCountsAsTwoClicks) {
    DrillRig wrong;  // the second click dismisses the wrong-answer message
    startSequential(wrong, 0, 1);
    std::string second;
    wrong.respondInTurn({
        [&](ScriptedTerminal& next) { next.doubleClick(25, labelColumn(wrong.wrongLetter())); },
        [&](ScriptedTerminal&) { second = wrong.shown().number; },
    });
    EXPECT_THROW(wrong.run(), InputClosed);
    EXPECT_EQ(second, "002");
    EXPECT_EQ(wrong.desktop.soundsPlayed(), 1);

    DrillRig right;  // the second click answers question 2: question 3 or the message waits
    startSequential(right, 0, 1);
    right.respondInTurn({[&](ScriptedTerminal& next) { next.doubleClick(25, labelColumn(right.keyLetter())); }});
    EXPECT_THROW(right.run(), InputClosed);
    EXPECT_TRUE(right.state.current == 3 || right.onWrongAnswer()) << dump(right.screen);
}

TEST(DrillInputTest, HintKeyWithoutHintsFileShowsOnlyTheAnswer) {
    DrillRig rig;
    TempDirectory empty;
    rig.context.hintsDirectory = empty.path();
    startSequential(rig, 0, 1);
    rig.respondInTurn({
        [&](ScriptedTerminal& next) { next.type("h"); },
        [&](ScriptedTerminal& next) {
            EXPECT_EQ(textAt(rig.screen, 27, 2, 24), "The Correct Answer is: " + rig.keyLetter());
            EXPECT_EQ(colorsAt(rig.screen, 27, 25), "2/15");
            EXPECT_EQ(colorsAt(rig.screen, 27, 2), "0/15");
            EXPECT_EQ(trimmedRow(rig.screen, 29), "");
            EXPECT_EQ(rig.state.current, 1);
            next.type(rig.keyLetter());
        },
        [&](ScriptedTerminal&) { EXPECT_EQ(trimmedRow(rig.screen, 27), ""); },
    });
    EXPECT_THROW(rig.run(), InputClosed);
    EXPECT_TRUE(rig.desktop.calls().empty());
}

TEST(DrillInputTest, HintKeyShowsHintAndPictureWhichCloseBeforeTheNextQuestion) {
    DrillRig rig;
    TempDirectory folder;
    folder.write("hints.txt", "T0A01: Keep hands off both terminals [battery] ~Figure battery.bmp\r\n");
    rig.context.hintsDirectory = folder.path();
    std::string index = "Index";
    showHint(index, rig.state.hintIndex, rig.state.hintWindow, rig.screen, rig.desktop, folder.path());
    startSequential(rig, 0, 1);
    rig.respondInTurn({
        [&](ScriptedTerminal& next) {
            EXPECT_EQ(textAt(rig.screen, 25, 80, 4), "Hint");
            next.click(25, 83);
        },
        [&](ScriptedTerminal& next) {
            EXPECT_EQ(trimmedRow(rig.screen, 29), " Keep hands off both terminals [battery]");
            EXPECT_EQ(textAt(rig.screen, 27, 2, 23), "The Correct Answer is: ");
            EXPECT_EQ(rig.state.hintWindow, 1);
            next.type("s");
        },
    });
    EXPECT_EQ(rig.run(), DrillOutcome::BackToMenu);
    const std::vector<std::string> expected = {
        "showImageFile " + (folder.path() / "Figures" / "battery.bmp").string() + " '' -> 1",
        "close 1"};
    EXPECT_EQ(rig.desktop.calls(), expected);
    EXPECT_EQ(rig.state.hintWindow, 0);
}

TEST(DrillInputTest, FigureWindowsOpenForEachQuestionAndCloseBeforeTheNext) {
    DrillRig rig;
    rig.load(6);
    const int first = rowOf(rig.state, "T6C02");
    ASSERT_GT(first, 0);
    ASSERT_TRUE(rig.state.pool.cell(first - 1, 1).find("Figure") == std::string::npos);
    rig.script().type("s").type(std::to_string(first - 1)).enter();
    std::vector<std::string> callsAtQuestion;
    int questions = 0;
    rig.terminal.respondWith([&](ScriptedTerminal& next) {
        if (!rig.onQuestion()) return;
        callsAtQuestion.push_back(rig.desktop.calls().empty() ? "" : rig.desktop.calls().back());
        next.type(++questions <= 2 ? rig.keyLetter() : "S");
    });
    EXPECT_EQ(rig.run(), DrillOutcome::BackToMenu);
    const std::vector<std::string> expectedCalls = {
        "showFigure Figure:T1 -> 1", "close 1", "showFigure Figure:T1 -> 2", "close 2"};
    EXPECT_EQ(rig.desktop.calls(), expectedCalls);
    const std::vector<std::string> expectedAtQuestion = {"", "showFigure Figure:T1 -> 1",
                                                         "showFigure Figure:T1 -> 2"};
    EXPECT_EQ(callsAtQuestion, expectedAtQuestion);
    EXPECT_TRUE(rig.desktop.openWindows().empty());
    EXPECT_TRUE(rig.state.figureMarker.empty());
}

TEST(DrillInputTest, RunTimeStartsAtZeroAndKeepsCountingAcrossMidnight) {
    DrillRig rig;
    startSequential(rig, 0, 1);
    rig.respondInTurn({
        [&](ScriptedTerminal& next) {
            EXPECT_EQ(textAt(rig.screen, 25, 50, 18), "Run Time: 00:00:00");
            next.idle(3000);
        },
        [&](ScriptedTerminal& next) {
            EXPECT_EQ(textAt(rig.screen, 25, 50, 18), "Run Time: 00:00:03");
            EXPECT_EQ(colorsAt(rig.screen, 25, 50), "0/15");
            next.idle(3600 * 1000);
        },
        [&](ScriptedTerminal&) { EXPECT_EQ(textAt(rig.screen, 25, 50, 18), "Run Time: 01:00:03"); },
    });
    EXPECT_THROW(rig.run(), InputClosed);

    DrillRig midnight;
    midnight.clock.set({2026, 12, 31, 23, 59, 58, 500});
    startSequential(midnight, 0, 1);
    midnight.respondInTurn({
        [&](ScriptedTerminal& next) { next.idle(4000); },
        [&](ScriptedTerminal&) { EXPECT_EQ(textAt(midnight.screen, 25, 50, 18), "Run Time: 00:00:04"); },
    });
    EXPECT_THROW(midnight.run(), InputClosed);
}

TEST(DrillInputTest, InvalidDateIsReportedOnceAtTheStart) {
    DrillRig rig;
    rig.clock.set({1979, 12, 31, 12, 0, 0, 0});
    rig.load(0);
    rig.screen.locate(30, 1);
    rig.respondInTurn({
        [&](ScriptedTerminal& next) {
            EXPECT_EQ(trimmedRow(rig.screen, 30), "Invalid date range!");
            EXPECT_EQ(trimmedRow(rig.screen, 31), "Date: 12-31-1979");
            EXPECT_EQ(trimmedRow(rig.screen, 32), "Time: 12:00:00");
            next.type("q").type("s").type("1").enter();
        },
        [&](ScriptedTerminal& next) {
            EXPECT_TRUE(rig.onQuestion());
            next.idle(2000).type(rig.keyLetter());
        },
        [&](ScriptedTerminal&) {
            EXPECT_TRUE(rig.onQuestion()) << "the answer reached the drill";
            EXPECT_EQ(rig.state.current, 2);
        },
    });
    EXPECT_THROW(rig.run(), InputClosed);
}

}  // namespace
}  // namespace pathwick::testing
