// The practice test: scoring against worked figures, the review panel's
// blanking and text cut above the rule. (The button bar's click columns:
// the walks of tests/screens/walks.txt, a click on each side of every label.)
#include <gtest/gtest.h>

#include "exam/exam_scoring.h"
#include "exam/practice_exam.h"
#include "support/screen_test.h"

namespace pathwick::testing {
namespace {

// 35 questions keyed A; `correct` answered A, the next `wrong` answered B.
struct Answers {
    QuestionPool questions{kPracticeTestLastRow};
    CountedList answers{kExamQuestions};
    Answers(int correct, int wrong) {
        for (int q = 1; q <= kExamQuestions; ++q)
            questions.cell(q, kKeyField) = "A", answers[q] = q <= correct ? "A" : q <= correct + wrong ? "B" : "";
    }
};

TEST(ExamScoring, ResultScreenAndRunningScore) {
    struct Case {
        int correct, wrong;
        const char *score, *status, *running, *runningStatus;
    };
    const Case cases[] = {
        {0, 0, " 0 %", "Fail", " --%", "-"},           {25, 10, " 71.43 %", "Fail", " 71.43%", "Fail"},
        {26, 9, " 74.29 %", "Pass", " 74.29%", "Pass"}, {35, 0, " 100 %", "Pass", " 100%", "Pass"},
        {20, 0, " 57.14 %", "Fail", " 100%", "Pass"},   {1, 31, " 2.86 %", "Fail", " 3.12%", "Fail"},
        {3, 29, " 8.57 %", "Fail", " 9.38%", "Fail"},   {25, 7, " 71.43 %", "Fail", " 78.12%", "Pass"},
    };
    for (const Case& c : cases) {
        ScreenRig rig;
        Answers test(c.correct, c.wrong);
        rig.terminal.key("x");
        ShowExamResults(test.answers, test.questions, rig.screen);
        std::string values;
        for (int row = 19; row <= 23; ++row) values += trimmedRow(rig.screen, row).substr(56) + "|";
        EXPECT_EQ(values, " " + std::to_string(c.correct) + "| " + std::to_string(c.wrong) + "| " +
                              std::to_string(35 - c.correct - c.wrong) + "|" + c.score + "| " + c.status + "|");

        const std::int32_t on = -1;
        ShowRunningScore(on, test.answers, test.questions, rig.screen);
        EXPECT_EQ(textAt(rig.screen, 29, 22, 8), (c.running + std::string(8, ' ')).substr(0, 8)) << c.correct;
        EXPECT_EQ(textAt(rig.screen, 30, 23, 7), (c.runningStatus + std::string(7, ' ')).substr(0, 7)) << c.correct;
        rig.screen.locate(43, 1), rig.screen.printText("x");
        ShowRunningScore(0, test.answers, test.questions, rig.screen);  // review off blanks rows 27 to 43
        for (int row = 27; row <= 43; ++row) EXPECT_EQ(trimmedRow(rig.screen, row), "") << row;
    }
}

TEST(ExamPage, TextThatWouldReachTheRuleIsCutAboveIt) {
    ScreenRig rig;
    PracticeTest test;
    for (int field = kChoiceAField; field <= kChoiceDField; ++field) test.questions.cell(1, field) = std::string(400, 'w');
    DrawExamPage(test, rig.context);  // question on row 3, choices of five lines from rows 5, 11, 17 and 23
    EXPECT_EQ(trimmedRow(rig.screen, 23) + textAt(rig.screen, 24, 1, 1) + textAt(rig.screen, 24, 100, 1), std::string(5, ' ') + std::string(90, 'w') + "\u2500 ");
}

}  // namespace
}  // namespace pathwick::testing
