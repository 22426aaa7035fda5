#pragma once
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "bank/question_pool.h"
#include "console/counted_list.h"
#include "program_context.h"
#include "desktop/desktop.h"

namespace pathwick {

// The size of a Technician or General practice test; Amateur Extra has 50.
inline constexpr int kExamQuestions = 35;

// The state of one practice test, owned by RunPracticeExam.
struct PracticeTest {
    explicit PracticeTest(int questionCount = kExamQuestions)
        : answers(std::clamp(questionCount, 1, kPracticeTestLastRow)) {}

    QuestionPool questions{kPracticeTestLastRow};
    // Element q: the letter last given for question q, empty while
    // unanswered. Its last index is the number of questions of the test.
    CountedList answers;
    std::int32_t current = 1;
    std::int32_t reviewOn = 0;  // 0 off, -1 on
    std::string figureName;     // marker of the open figure window, e.g. "Figure:T1"
    WindowHandle figureWindow = 0;
    CountedList lines{64};
    // When the page of question `shownQuestion` came up, and for each
    // question the seconds from its page to its last answer.
    int shownQuestion = 0;
    UtcTime shownAt{};
    std::vector<double> answerSeconds = std::vector<double>(static_cast<std::size_t>(answers.lastIndex()) + 1);
};

// One complete practice test: generation, page steps, result screen.
void RunPracticeExam(ProgramContext& context);

// Row 25: the whole bar in the page colours, then each label highlighted.
void DrawExamButtonBar(ScreenLayer& screen);

// The pieces of a practice test, in the order RunPracticeExam uses them.

// Resets the session state of a generated test and clears the screen.
void StartPracticeExam(PracticeTest& test, ScreenLayer& screen);

// Page steps until the end is confirmed and the result screen dismissed;
// the figure window is closed on the way out.
void RunExamPages(PracticeTest& test, ProgramContext& context);

// Redraws rows 1 to 26 for the current question and opens its figure.
void DrawExamPage(PracticeTest& test, ProgramContext& context);

// The command key of a click on row 25 at `column`; empty where no label is.
std::string ExamButtonAt(int column);

// Waits for one of A, B, C, D, N, P, R, S (keys or button clicks).
std::string WaitForExamCommand(ScreenLayer& screen);

// When progress is remembered: every answer given (a skipped question is no
// answer) and the test's score; called once, when the end is confirmed.
void RecordPracticeTest(const PracticeTest& test, Progress& progress);

// Acts on a command and finishes the step (review panel, last-question
// notice, clamp). Returns false when the exam has ended.
bool ActOnExamCommand(PracticeTest& test, ProgramContext& context, const std::string& command);

}  // namespace pathwick
