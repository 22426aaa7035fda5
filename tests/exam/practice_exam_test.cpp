#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bank/exam_blueprint.h"
#include "bank/load_pool.h"
#include "console/text_values.h"
#include "exam/practice_exam.h"
#include "support/screen_test.h"

namespace pathwick {
namespace {

using testing::colorsAt;
using testing::dump;
using testing::ScreenRig;
using testing::textAt;
using testing::trimmedRow;

constexpr int kFigureRow = 21;  // T6C02, "Figure:T1"

// A test of question 02 of every group in blueprint order, as the pools hold
// them (no re-lettering), started as RunPracticeExam starts one.
struct ExamRig : ScreenRig {
    PracticeTest test;

    ExamRig() {
        QuestionPool pool(kScratchTableLastRow);
        int item = 1;
        for (int row = 1; row <= kExamQuestions; ++row) {
            const int size = static_cast<int>(valueOf(blueprintItem(item)));
            const std::string id = blueprintItem(item + 2);
            item += size + 1;
            LoadPool(id[1] - '0', pool);
            for (int r = 1; r <= pool.count(); ++r) {
                if (!pool.cell(r, kIdField).starts_with(id)) continue;
                for (int f = 1; f <= kFieldsPerQuestion; ++f) test.questions.cell(row, f) = pool.cell(r, f);
            }
        }
        StartPracticeExam(test, screen);
    }

    // Runs page steps until the script is used up (the next wait throws).
    void runUntilInputEnds() {
        EXPECT_THROW(RunExamPages(test, context), InputClosed);
        EXPECT_TRUE(terminal.exhausted());
    }
    std::string key(int row) const { return test.questions.cell(row, kKeyField); }
    bool pageShowsQuestion(int q) const {
        const std::string start = "  " + std::to_string(q) + ". ";
        return textAt(screen, 3, 1, static_cast<int>(start.size())) == start;
    }
};

bool isRule(const ScreenLayer& screen, int row) {
    for (int column = 1; column <= 99; ++column) {
        if (screen.cellAt(row, column).ch != U'\u2500') return false;
    }
    return screen.cellAt(row, 100).ch == U' ';
}

TEST(ExamButtonBar, LabelsStandHighlightedAtTheirClickColumns) {
    ScreenRig rig;
    rig.screen.locate(25, 1);
    rig.screen.printText(std::string(100, 'x'));
    DrawExamButtonBar(rig.screen);
    EXPECT_EQ(trimmedRow(rig.screen, 25),
              " [ A ][ B ][ C ][ D ]   Next  Prev            Review       Stop Exam");
    std::string keys;
    for (int column = 1; column <= 100; ++column) {
        const std::string key = ExamButtonAt(column);
        keys += key.empty() ? "." : key;
        EXPECT_EQ(colorsAt(rig.screen, 25, column), key.empty() ? "0/15" : "0/7") << column;
    }
    EXPECT_EQ(keys,
              "..AAA..BBB..CCC..DDD....NNNN..PPPP............RRRRRR.......SSSSSSSSS"
              "................................");
    EXPECT_EQ(rig.screen.foreground(), 0);
    EXPECT_EQ(rig.screen.background(), 15);
}

TEST(ExamPage, DrawsRulesBarQuestionAndChoices) {
    ExamRig rig;
    auto& questions = rig.test.questions;
    questions.cell(1, kQuestionField) = "  What is this?";
    questions.cell(1, kChoiceAField) = "A. One";
    questions.cell(1, kChoiceAField + 1) = "B. Two";
    std::string longChoice = "C.";
    for (int i = 0; i < 30; ++i) longChoice += " three";
    questions.cell(1, kChoiceAField + 2) = longChoice;
    questions.cell(1, kChoiceDField) = "D. Four";
    rig.screen.locate(22, 1);
    rig.screen.printText("stale text");
    DrawExamPage(rig.test, rig.context);

    const auto& screen = rig.screen;
    EXPECT_TRUE(isRule(screen, 1)) << dump(screen);
    EXPECT_TRUE(isRule(screen, 24));
    EXPECT_TRUE(isRule(screen, 26));
    EXPECT_EQ(textAt(screen, 25, 2, 5), "[ A ]");
    const std::vector<std::string> rows{
        "",
        "  1. What is this?",
        "",
        "     A. One",
        "",
        "     B. Two",
        "",
        "     C." + longChoice.substr(2, 84),
        "        three three three three three three three three three three three three three "
        "three three",
        "        three",
        "",
        "     D. Four",
    };
    for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(trimmedRow(screen, 2 + static_cast<int>(i)), rows[i]) << i;
    for (int row = 14; row <= 23; ++row) EXPECT_EQ(trimmedRow(screen, row), "") << row;
    EXPECT_TRUE(testing::allColors(screen, 3, 1, 100, 0, 15));
    EXPECT_TRUE(rig.desktop.calls().empty());
}

TEST(ExamPage, TextThatWouldReachTheRuleIsCutAboveIt) {
    ExamRig rig;
    std::string words;
    for (int i = 0; i < 400; ++i) words += "word ";
    rig.test.questions.cell(1, kQuestionField) = words;  // 23 lines
    rig.test.questions.cell(1, kChoiceAField) = "A. " + words;
    DrawExamPage(rig.test, rig.context);
    for (int row = 3; row <= 23; ++row) EXPECT_EQ(textAt(rig.screen, row, 6, 4), "word") << row;
    EXPECT_TRUE(isRule(rig.screen, 24)) << dump(rig.screen);
    EXPECT_TRUE(isRule(rig.screen, 1));
    EXPECT_TRUE(isRule(rig.screen, 26));
    EXPECT_EQ(textAt(rig.screen, 25, 2, 5), "[ A ]");
}

TEST(ExamCommands, IgnoredKeysAndDeadClicksAreSkipped) {
    ScreenRig rig;
    rig.screen.enableMouse();
    rig.terminal.extended(72).extended(59).enter().escape().type("x1 ");
    for (int column : {1, 2, 6, 7, 11, 12, 16, 17, 21, 24, 29, 30, 35, 46, 53, 59, 69, 100})
        rig.terminal.click(25, column);
    rig.terminal.click(10, 26).click(24, 26).type("n");
    EXPECT_EQ(WaitForExamCommand(rig.screen), "N");
    EXPECT_TRUE(rig.terminal.exhausted());

    rig.terminal.type("a").click(25, 68).click(25, 47).click(25, 5).type("s");
    EXPECT_EQ(WaitForExamCommand(rig.screen), "A");
    EXPECT_EQ(WaitForExamCommand(rig.screen), "S");
    EXPECT_EQ(WaitForExamCommand(rig.screen), "R");
    EXPECT_EQ(WaitForExamCommand(rig.screen), "A");
    EXPECT_EQ(WaitForExamCommand(rig.screen), "S");
}

TEST(ExamSession, PrevOnTheFirstQuestionSoundsAndStays) {
    ExamRig rig;
    rig.terminal.type("p");
    rig.terminal.click(25, 32);
    rig.runUntilInputEnds();
    EXPECT_EQ(rig.test.current, 1);
    EXPECT_EQ(rig.desktop.soundsPlayed(), 2);
    EXPECT_TRUE(rig.pageShowsQuestion(1)) << dump(rig.screen);
    EXPECT_EQ(trimmedRow(rig.screen, 22), "");
}

// Next and an answer on question 35 both show the notice (only Next sounds);
// the key that dismisses it leaves question 35 showing.
TEST(ExamSession, NextOrAnswerOnTheLastQuestionShowsTheNotice) {
    for (const auto& [command, sounds] : std::initializer_list<std::pair<const char*, int>>{{"N", 1}, {"c", 0}}) {
        SCOPED_TRACE(command);
        ExamRig rig;
        rig.test.current = 35;
        rig.terminal.type(command);
        rig.runUntilInputEnds();  // ends in the notice's key wait
        EXPECT_EQ(rig.desktop.soundsPlayed(), sounds);
        EXPECT_EQ(rig.test.answers[35], sounds ? "" : "C");
        EXPECT_EQ(trimmedRow(rig.screen, 22),
                  "         This was the last question you can End the exam or go back to a "
                  "Previous question.");
        EXPECT_EQ(trimmedRow(rig.screen, 25), std::string(36, ' ') + "Press any key to continue.");

        ExamRig after;
        after.test.current = 35;
        after.terminal.type(command).click(3, 3);
        after.runUntilInputEnds();
        EXPECT_EQ(after.test.current, 35);
        EXPECT_TRUE(after.pageShowsQuestion(35)) << dump(after.screen);
        EXPECT_EQ(trimmedRow(after.screen, 22), "");
        EXPECT_EQ(textAt(after.screen, 25, 2, 5), "[ A ]");
    }
}

TEST(ExamSession, AnswersAreStoredReplacedAndAdvance) {
    ExamRig rig;
    rig.terminal.type("a").click(25, 9).type("P").type("d").type("pp").click(25, 14);
    rig.runUntilInputEnds();
    EXPECT_EQ(rig.test.answers[1], "C");
    EXPECT_EQ(rig.test.answers[2], "D");
    EXPECT_EQ(rig.test.current, 2);
    EXPECT_EQ(rig.desktop.soundsPlayed(), 0);
    EXPECT_TRUE(rig.pageShowsQuestion(2));

    ExamRig twice;  // a double-click on Next moves two questions
    twice.terminal.doubleClick(25, 26);
    twice.runUntilInputEnds();
    EXPECT_EQ(twice.test.current, 3);
}

TEST(ExamSession, ReviewTogglesThePanel) {
    ExamRig rig;
    rig.test.answers[1] = rig.key(1);
    rig.terminal.type("r");
    rig.runUntilInputEnds();
    EXPECT_EQ(rig.test.reviewOn, -1);
    EXPECT_EQ(textAt(rig.screen, 27, 30, 5), "01. " + rig.key(1));
    EXPECT_EQ(textAt(rig.screen, 29, 1, 26), "  Your Current Score: 100%");

    ExamRig twice;
    twice.test.answers[1] = twice.key(1);
    twice.terminal.type("r").type("R");
    twice.runUntilInputEnds();
    EXPECT_EQ(twice.test.reviewOn, 0);
    for (int row = 27; row <= 43; ++row) EXPECT_EQ(trimmedRow(twice.screen, row), "") << row;

    // On again: drawn anew from the answers given meanwhile.
    ExamRig thrice;
    thrice.terminal.type("rr").type(thrice.key(1) == "A" ? "b" : "a").type("r");
    thrice.runUntilInputEnds();
    EXPECT_EQ(colorsAt(thrice.screen, 27, 34), "4/15");
}

TEST(ExamSession, StopThenNoKeepsEverything) {
    ExamRig rig;
    rig.terminal.type("b").type("s");
    rig.runUntilInputEnds();  // waiting in the question
    EXPECT_EQ(trimmedRow(rig.screen, 25),
              std::string(25, ' ') + "Are you sure you want to end the Exam? [Y] or [N]");
    EXPECT_EQ(colorsAt(rig.screen, 25, 66), "14/4");
    EXPECT_EQ(colorsAt(rig.screen, 25, 73), "14/4");

    ExamRig no;
    no.terminal.type("b").type("r").type("S").click(25, 65).type("x").click(25, 74);
    no.runUntilInputEnds();
    EXPECT_EQ(no.test.current, 2);
    EXPECT_EQ(no.test.answers[1], "B");
    EXPECT_EQ(no.test.reviewOn, -1);
    EXPECT_TRUE(no.pageShowsQuestion(2));
    EXPECT_EQ(textAt(no.screen, 25, 2, 5), "[ A ]");
    EXPECT_EQ(colorsAt(no.screen, 25, 3), "0/7");
    EXPECT_EQ(textAt(no.screen, 27, 30, 5), "01. B");
}

TEST(ExamSession, StopThenYesShowsTheResultsWithSkippedQuestions) {
    ExamRig rig;
    rig.terminal.type(rig.key(1)).type(rig.key(2) == "A" ? "B" : "A").type("s").type("y").type("x");
    RunExamPages(rig.test, rig.context);
    EXPECT_TRUE(rig.terminal.exhausted());
    EXPECT_EQ(textAt(rig.screen, 19, 39, 21), "  Correct Answers: 1 ");
    EXPECT_EQ(textAt(rig.screen, 20, 39, 21), "Incorrect Answers: 1 ");
    EXPECT_EQ(textAt(rig.screen, 21, 39, 22), "Skipped Questions: 33 ");
    EXPECT_EQ(textAt(rig.screen, 23, 39, 23), "      Your Status: Fail");
    EXPECT_EQ(colorsAt(rig.screen, 1, 1), "15/1");
}

TEST(ExamSession, FigureWindowFollowsTheFigureQuestion) {
    ExamRig rig;
    ASSERT_EQ(rig.test.questions.cell(kFigureRow, kIdField), "T6C02 Figure:T1");
    rig.test.current = kFigureRow - 1;
    rig.terminal.type("n").type("r").type("n");
    rig.runUntilInputEnds();
    const std::vector<std::string> expected{"showFigure Figure:T1 -> 1", "close 1",
                                            "showFigure Figure:T1 -> 2", "close 2"};
    EXPECT_EQ(rig.desktop.calls(), expected);
    EXPECT_TRUE(rig.desktop.openWindows().empty());
    EXPECT_TRUE(rig.test.figureName.empty());
}

TEST(ExamSession, FigureWindowStaysUpForTheResultsThenCloses) {
    ExamRig rig;
    rig.test.current = kFigureRow;
    rig.terminal.type("s").type("y");
    rig.runUntilInputEnds();  // in the result screen's key wait
    // The guard closes it when the session is left by the closed input.
    EXPECT_TRUE(rig.desktop.openWindows().empty());

    ExamRig full;
    full.test.current = kFigureRow;
    full.terminal.type("s").type("y").type("x");
    RunExamPages(full.test, full.context);
    const std::vector<std::string> expected{"showFigure Figure:T1 -> 1", "close 1"};
    EXPECT_EQ(full.desktop.calls(), expected);
    EXPECT_TRUE(full.desktop.openWindows().empty());
    EXPECT_TRUE(full.test.figureName.empty());
    EXPECT_EQ(full.test.figureWindow, 0);
}

TEST(PracticeExam, WholeExamFromGenerationToResults) {
    ScreenRig rig;
    rig.terminal.type("a").type("n").type("s").type("y").type("x");
    RunPracticeExam(rig.context);
    EXPECT_TRUE(rig.terminal.exhausted());
    EXPECT_TRUE(rig.terminal.mouseReporting());
    EXPECT_FALSE(rig.screen.cursorVisible());
    EXPECT_EQ(textAt(rig.screen, 21, 39, 21), "Skipped Questions: 34");
    EXPECT_EQ(textAt(rig.screen, 23, 39, 23), "      Your Status: Fail");
    EXPECT_TRUE(rig.desktop.openWindows().empty());
}

}  // namespace
}  // namespace pathwick
