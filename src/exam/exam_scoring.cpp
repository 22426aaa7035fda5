#include "exam/exam_scoring.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>

#include "console/text_values.h"
#include "progress/saving_notice.h"
#include "console/palette.h"

namespace pathwick {
namespace {

constexpr int kPanelFirstRow = 27;
// The review panel's columns of ten answers each (11 cells between the first
// two, 10 between the others).
constexpr int kGridColumns[] = {30, 41, 51, 61, 71};
constexpr int kGridRows = 10;
constexpr int kLastRow = 43;
constexpr int kWrongForeground = 4;
const std::string kBlankRow(100, ' ');

struct Tally {
    float correct = 0;
    float incorrect = 0;
    float skipped = 0;
};

// The number of questions of the test: one answer entry each, as many as
// the table and the panel hold.
int questionCount(const CountedList& answers, const QuestionPool& questions) {
    const int panel = static_cast<int>(std::size(kGridColumns)) * kGridRows;
    return std::min({answers.lastIndex(), questions.lastRow(), panel});
}

Tally tallyOf(const CountedList& answers, const QuestionPool& questions) {
    Tally tally;
    for (int q = 1; q <= questionCount(answers, questions); ++q) {
        const std::string& answer = answers[q];
        if (answer.empty()) {
            tally.skipped += 1;
        } else if (answer == questions.cell(q, kKeyField)) {
            tally.correct += 1;
        } else {
            tally.incorrect += 1;
        }
    }
    return tally;
}

// "07. B", or "08.  " without an answer: always five characters.
std::string gridEntry(int question, const std::string& answer) {
    std::string entry;
    entry += static_cast<char>('0' + question / 10);
    entry += static_cast<char>('0' + question % 10);
    entry += ". " + answer + "     ";
    return entry.substr(0, 5);
}

void drawAnswerGrid(const CountedList& answers, const QuestionPool& questions,
                    ScreenLayer& screen) {
    for (int q = 1; q <= questionCount(answers, questions); ++q) {
        screen.locate(kPanelFirstRow + (q - 1) % kGridRows, kGridColumns[(q - 1) / kGridRows]);
        const std::string& answer = answers[q];
        if (answer != questions.cell(q, kKeyField)) screen.setColor(kWrongForeground, kExamPageBackground);
        if (answer.empty()) screen.setColor(kExamPageForeground, kExamPageBackground);
        screen.printText(gridEntry(q, answer));
        screen.setColor(kExamPageForeground, kExamPageBackground);
    }
}

// The value and status fields of rows 29 and 30, written from `fromColumn`,
// reach column 29 (the grid starts at 30); they are padded so a shorter
// value wipes a longer one.
std::string padToGrid(std::string text, int fromColumn) {
    const auto width = static_cast<std::size_t>(30 - fromColumn);
    text.resize(std::max(text.size(), width), ' ');
    return text;
}

}  // namespace

float roundedPercent(float part, float whole) {
    const float percent = 100.0f * part / whole;
    return std::nearbyint(percent * 100.0f) / 100.0f;
}

bool isPass(float score) { return score > 73.99f; }

FinalScore FinalScoreOf(const CountedList& answers, const QuestionPool& questions) {
    const int count = questionCount(answers, questions);
    const float correct = tallyOf(answers, questions).correct;
    return {static_cast<int>(correct), count,
            isPass(roundedPercent(correct, static_cast<float>(count)))};
}

void ShowRunningScore(const std::int32_t& reviewOn, const CountedList& answers,
                      const QuestionPool& questions, ScreenLayer& screen) {
    if (reviewOn == 0) {
        for (int row = kPanelFirstRow; row <= kLastRow; ++row) {
            screen.locate(row, 1);
            screen.printText(kBlankRow);
        }
        return;
    }
    drawAnswerGrid(answers, questions, screen);
    const Tally tally = tallyOf(answers, questions);

    screen.locate(27, 1);
    screen.printText("     Correct Answers:");
    screen.printNumber(tally.correct);
    screen.locate(28, 1);
    screen.printText("   Incorrect Answers:");
    screen.printNumber(tally.incorrect);

    // With nothing answered yet there is no score: show a dash instead of
    // a number or a verdict.
    const float answered = tally.correct + tally.incorrect;
    std::string scoreText = " --%";
    std::string status = "-";
    if (answered > 0) {
        const float score = roundedPercent(tally.correct, answered);
        scoreText = " " + singleText(score) + "%";
        status = isPass(score) ? "Pass" : "Fail";
    }
    screen.locate(29, 1);
    screen.printText("  Your Current Score:");
    screen.printText(padToGrid(scoreText, screen.column()));
    screen.newLine();
    screen.locate(30, 1);
    screen.printText(" Current Test Status: ");
    screen.printText(padToGrid(status, screen.column()));
    screen.newLine();
}

void ShowExamResults(const CountedList& answers, const QuestionPool& questions,
                     ScreenLayer& screen, const Progress& progress) {
    screen.setColor(kPageForeground, kPageBackground);
    screen.clearScreen();
    const char* const labels[] = {"  Correct Answers:", "Incorrect Answers:",
                                  "Skipped Questions:", "       Your Score:",
                                  "      Your Status:"};
    for (int i = 0; i < 5; ++i) {
        screen.locate(19 + i, 39);
        screen.printText(labels[i]);
    }

    const Tally tally = tallyOf(answers, questions);
    const float score =
        roundedPercent(tally.correct, static_cast<float>(questionCount(answers, questions)));
    const float values[] = {tally.correct, tally.incorrect, tally.skipped, score};
    for (int i = 0; i < 4; ++i) {
        screen.locate(19 + i, 57);
        screen.printNumber(values[i]);
    }
    screen.printText("% ");
    screen.locate(23, 57);
    screen.printText(" ");
    screen.printText(isPass(score) ? "Pass" : "Fail");

    screen.locate(25, 35);
    screen.printText("Press any key to end the exam.");
    screen.newLine();
    ShowSavingNotice(progress, screen, 14);
    screen.waitKey();
}

}  // namespace pathwick
