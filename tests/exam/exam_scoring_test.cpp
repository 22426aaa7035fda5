#include <gtest/gtest.h>

#include <string>

#include "exam/exam_scoring.h"
#include "exam/practice_exam.h"
#include "support/screen_test.h"

namespace pathwick {
namespace {

using testing::colorsAt;
using testing::dump;
using testing::ScreenRig;
using testing::textAt;
using testing::trimmedRow;

// Keys cycle A, B, C, D over the 35 questions.
std::string keyOf(int q) { return std::string(1, static_cast<char>('A' + q % 4)); }
std::string wrongFor(int q) { return std::string(1, static_cast<char>('A' + (q + 1) % 4)); }

struct ScoredTest {
    QuestionPool questions{kPracticeTestLastRow};
    CountedList answers{kExamQuestions};

    ScoredTest() {
        for (int q = 1; q <= kExamQuestions; ++q) questions.cell(q, kKeyField) = keyOf(q);
    }
    // Questions 1..correct right, the next `wrong` wrong, the rest unanswered.
    void answer(int correct, int wrong) {
        answers.clear();
        for (int q = 1; q <= correct; ++q) answers[q] = keyOf(q);
        for (int q = correct + 1; q <= correct + wrong; ++q) answers[q] = wrongFor(q);
    }
};

std::string textFrom(const ScreenLayer& screen, int row, int column, const std::string& like) {
    return textAt(screen, row, column, static_cast<int>(like.size()));
}

TEST(ExamScoring, RoundsToHundredthsWithHalvesToEven) {
    EXPECT_EQ(roundedPercent(1, 32), 3.12f);
    EXPECT_EQ(roundedPercent(3, 32), 9.38f);
    EXPECT_EQ(roundedPercent(25, 32), 78.12f);
    EXPECT_EQ(roundedPercent(26, 35), 74.29f);
    EXPECT_EQ(roundedPercent(25, 35), 71.43f);
    EXPECT_EQ(roundedPercent(35, 35), 100.0f);
    EXPECT_FALSE(isPass(73.99f));
    EXPECT_TRUE(isPass(74.0f));
    EXPECT_TRUE(isPass(74.29f));
    EXPECT_FALSE(isPass(71.43f));
}

TEST(ExamScoring, ResultScreenCountsAndVerdicts) {
    struct Case {
        int correct, wrong;
        std::string correctText, incorrectText, skippedText, scoreText, status;
    };
    const Case cases[] = {
        {0, 0, " 0 ", " 0 ", " 35 ", " 0 % ", " Fail"},
        {26, 9, " 26 ", " 9 ", " 0 ", " 74.29 % ", " Pass"},
        {25, 10, " 25 ", " 10 ", " 0 ", " 71.43 % ", " Fail"},
        {35, 0, " 35 ", " 0 ", " 0 ", " 100 % ", " Pass"},
        {20, 0, " 20 ", " 0 ", " 15 ", " 57.14 % ", " Fail"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.correct);
        ScreenRig rig;
        ScoredTest test;
        test.answer(c.correct, c.wrong);
        rig.terminal.key("x");
        ShowExamResults(test.answers, test.questions, rig.screen);
        EXPECT_TRUE(rig.terminal.exhausted());

        const auto& screen = rig.screen;
        EXPECT_EQ(textAt(screen, 19, 39, 18), "  Correct Answers:");
        EXPECT_EQ(textAt(screen, 20, 39, 18), "Incorrect Answers:");
        EXPECT_EQ(textAt(screen, 21, 39, 18), "Skipped Questions:");
        EXPECT_EQ(textAt(screen, 22, 39, 18), "       Your Score:");
        EXPECT_EQ(textAt(screen, 23, 39, 18), "      Your Status:");
        EXPECT_EQ(textFrom(screen, 19, 57, c.correctText), c.correctText);
        EXPECT_EQ(textFrom(screen, 20, 57, c.incorrectText), c.incorrectText);
        EXPECT_EQ(textFrom(screen, 21, 57, c.skippedText), c.skippedText);
        EXPECT_EQ(textFrom(screen, 22, 57, c.scoreText), c.scoreText);
        EXPECT_EQ(trimmedRow(screen, 23).substr(56), c.status);
        EXPECT_EQ(textAt(screen, 25, 35, 30), "Press any key to end the exam.");
        EXPECT_EQ(colorsAt(screen, 1, 1), "15/1");
        EXPECT_EQ(colorsAt(screen, 22, 58), "15/1");
    }
}

TEST(ExamScoring, PanelGridEntriesAndColours) {
    ScreenRig rig;
    ScoredTest test;
    test.answers[7] = "B";  // key of 7 is D: wrong
    test.answers[9] = "B";  // key of 9 is B: right
    test.answers[11] = keyOf(11);
    const std::int32_t on = -1;
    ShowRunningScore(on, test.answers, test.questions, rig.screen);
    const auto& screen = rig.screen;

    EXPECT_EQ(textAt(screen, 27, 30, 5), "01.  ");
    EXPECT_EQ(textAt(screen, 33, 30, 5), "07. B");
    EXPECT_EQ(textAt(screen, 34, 30, 5), "08.  ");
    EXPECT_EQ(textAt(screen, 35, 30, 5), "09. B");
    EXPECT_EQ(textAt(screen, 36, 30, 5), "10.  ");
    EXPECT_EQ(textAt(screen, 27, 41, 5), "11. " + keyOf(11));
    EXPECT_EQ(textAt(screen, 36, 41, 5), "20.  ");
    EXPECT_EQ(textAt(screen, 27, 51, 5), "21.  ");
    EXPECT_EQ(textAt(screen, 27, 61, 5), "31.  ");
    EXPECT_EQ(textAt(screen, 31, 61, 5), "35.  ");
    EXPECT_EQ(trimmedRow(screen, 32).size(), 53u) << dump(screen);  // "26." ends it
    EXPECT_EQ(trimmedRow(screen, 37), "");
    for (int c = 30; c < 35; ++c) {
        EXPECT_EQ(colorsAt(screen, 33, c), "4/15");  // wrong: red
        EXPECT_EQ(colorsAt(screen, 34, c), "0/15");  // unanswered
        EXPECT_EQ(colorsAt(screen, 35, c), "0/15");  // right
    }
    EXPECT_EQ(textAt(screen, 27, 1, 24), "     Correct Answers: 2 ");
    EXPECT_EQ(textAt(screen, 28, 1, 24), "   Incorrect Answers: 1 ");
    EXPECT_EQ(textAt(screen, 29, 1, 29), "  Your Current Score: 66.67% ");
    EXPECT_EQ(textAt(screen, 30, 1, 29), " Current Test Status: Fail   ");
    EXPECT_EQ(screen.foreground(), 0);
    EXPECT_EQ(screen.background(), 15);
}

// Redrawn in the same rig so that a shorter value must wipe the longer one.
TEST(ExamScoring, PanelRunningScoreCountsOnlyAnsweredQuestions) {
    struct Case {
        int correct, wrong;
        const char* score;
        const char* status;
    };
    ScreenRig rig;
    ScoredTest test;
    const std::int32_t on = -1;
    for (const Case& c : {Case{20, 0, "  Your Current Score: 100%   ", " Current Test Status: Pass   "},
                          Case{1, 1, "  Your Current Score: 50%    ", " Current Test Status: Fail   "},
                          Case{25, 7, "  Your Current Score: 78.12% ", " Current Test Status: Pass   "},
                          Case{0, 0, "  Your Current Score: --%    ", " Current Test Status: -      "}}) {
        test.answer(c.correct, c.wrong);
        ShowRunningScore(on, test.answers, test.questions, rig.screen);
        EXPECT_EQ(textAt(rig.screen, 29, 1, 29), c.score);
        EXPECT_EQ(textAt(rig.screen, 30, 1, 29), c.status);
    }
}

TEST(ExamScoring, PanelOffBlanksRows27To43) {
    ScreenRig rig;
    ScoredTest test;
    test.answer(3, 3);
    std::int32_t review = -1;
    ShowRunningScore(review, test.answers, test.questions, rig.screen);
    rig.screen.locate(40, 1);
    rig.screen.printText("left over");
    review = 0;
    rig.screen.setColor(0, 15);
    ShowRunningScore(review, test.answers, test.questions, rig.screen);
    for (int row = 27; row <= 43; ++row) {
        EXPECT_EQ(trimmedRow(rig.screen, row), "") << row;
        EXPECT_TRUE(testing::allColors(rig.screen, row, 1, 100, 0, 15)) << row;
    }
}

}  // namespace
}  // namespace pathwick
