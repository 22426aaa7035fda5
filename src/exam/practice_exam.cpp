#include "exam/practice_exam.h"

#include <algorithm>
#include <chrono>
#include <string_view>

#include "bank/practice_test_generator.h"
#include "console/ask_choice.h"
#include "console/text_values.h"
#include "console/toggle_flag.h"
#include "console/wrap_text.h"
#include "exam/exam_scoring.h"
#include "progress/saving_notice.h"

namespace pathwick {
namespace {

constexpr int kButtonForeground = 0;
constexpr int kButtonBackground = 7;
constexpr int kWrapWidth = 90;
constexpr int kBarRow = 25;
constexpr int kLastPageRow = 26;
// Question and choice text stays above the rule on row 24.
constexpr int kLastTextRow = 23;
constexpr int kNoticeForeground = 4;  // red on the page's white
constexpr std::string_view kWarningSound = "#10";
constexpr std::string_view kFigureMarker = "Figure:";
constexpr std::string_view kCommands = "ABCDNPSR";
constexpr std::string_view kBarText =
    " [ A ][ B ][ C ][ D ]   Next  Prev            Review       Stop Exam";
constexpr std::string_view kStopPrompt = "Are you sure you want to end the Exam? [Y] or [N]";
constexpr std::string_view kLastQuestionNotice =
    "This was the last question you can End the exam or go back to a Previous question.";

struct ExamButton {
    std::string_view key;
    std::string_view label;
    int column;  // the label's first column; its cells take the clicks
};

constexpr ExamButton kButtons[] = {
    {"A", " A ", 3},
    {"B", " B ", 8},
    {"C", " C ", 13},
    {"D", " D ", 18},
    {"N", "Next", 25},
    {"P", "Prev", 31},
    {"R", "Review", 47},
    {"S", "Stop Exam", 60},
};

void blankRow(ScreenLayer& screen, int row) {
    screen.locate(row, 1);
    screen.printText(std::string(kScreenColumns, ' '));
}

void rule(ScreenLayer& screen, int row) {
    screen.locate(row, 1);
    screen.horizontalRule(99);
}

// Moves to the next row unless that would leave the text area.
void nextTextRow(ScreenLayer& screen) {
    if (screen.row() <= kLastTextRow) screen.newLine();
}

// Writes the wrapped lines from the output position down, the first behind
// `firstIndent` blanks and the rest behind `nextIndent`. Lines that would
// reach the rule on row 24 are left out.
void writeWrapped(ScreenLayer& screen, const CountedList& lines, int firstIndent, int nextIndent) {
    const int count = std::min(lines.count(), lines.lastIndex());
    for (int i = 1; i <= count; ++i) {
        if (screen.row() > kLastTextRow) return;
        const int indent = i == 1 ? firstIndent : nextIndent;
        screen.printText(std::string(static_cast<std::size_t>(indent), ' ') + lines[i]);
        screen.newLine();
    }
}

void closeFigure(PracticeTest& test, Desktop& desktop) {
    if (test.figureName.empty()) return;
    desktop.closeGraphicWindow(test.figureWindow);
    test.figureName.clear();
    test.figureWindow = 0;
}

void openFigure(PracticeTest& test, Desktop& desktop) {
    const std::string& idField = test.questions.cell(test.current, kIdField);
    const auto position = idField.find(kFigureMarker);
    if (position == std::string::npos) return;
    test.figureWindow = 0;
    test.figureName = idField.substr(position);
    desktop.showFigure(test.figureName, test.figureWindow);
}

void showLastQuestionNotice(ScreenLayer& screen) {
    screen.locate(22, 10);
    screen.printText(kLastQuestionNotice);
    blankRow(screen, kBarRow);
    screen.locate(kBarRow, 37);
    screen.printText("Press any key to continue.");
    screen.newLine();
    screen.waitKey();
    blankRow(screen, 22);
    screen.newLine();
    blankRow(screen, kBarRow);
    screen.newLine();
}

// "Stop Exam": true when the end is confirmed.
bool confirmEnd(ScreenLayer& screen) {
    blankRow(screen, kBarRow);
    screen.locate(kBarRow, 26);
    screen.printText(kStopPrompt);
    const std::string answer = AskChoice(screen, kStopPrompt, -kBarRow, 26, "[Y]", "[N]");
    screen.setColor(kExamPageForeground, kExamPageBackground);
    return answer == "Y";
}

// Closes the figure window however the page loop is left.
class FigureWindowGuard {
public:
    FigureWindowGuard(PracticeTest& test, Desktop& desktop) : test_(test), desktop_(desktop) {}
    ~FigureWindowGuard() { closeFigure(test_, desktop_); }
    FigureWindowGuard(const FigureWindowGuard&) = delete;
    FigureWindowGuard& operator=(const FigureWindowGuard&) = delete;

private:
    PracticeTest& test_;
    Desktop& desktop_;
};

}  // namespace

void DrawExamButtonBar(ScreenLayer& screen) {
    screen.setColor(kExamPageForeground, kExamPageBackground);
    blankRow(screen, kBarRow);
    screen.locate(kBarRow, 1);
    screen.printText(kBarText);
    screen.setColor(kButtonForeground, kButtonBackground);
    for (const auto& button : kButtons) {
        screen.locate(kBarRow, button.column);
        screen.printText(button.label);
    }
    screen.setColor(kExamPageForeground, kExamPageBackground);
}

std::string ExamButtonAt(int column) {
    for (const auto& button : kButtons) {
        const int last = button.column + static_cast<int>(button.label.size()) - 1;
        if (column >= button.column && column <= last) return std::string(button.key);
    }
    return {};
}

void StartPracticeExam(PracticeTest& test, ScreenLayer& screen) {
    test.current = 1;
    test.reviewOn = 0;
    test.figureName.clear();
    test.figureWindow = 0;
    test.answers.clear();
    test.questions.cell(0, kCountField) = plainNumberText(test.answers.lastIndex());
    screen.hideCursor();
    screen.enableMouse();
    screen.setColor(kExamPageForeground, kExamPageBackground);
    screen.clearScreen();
}

void DrawExamPage(PracticeTest& test, ProgramContext& context) {
    ScreenLayer& screen = context.screen;
    screen.setColor(kExamPageForeground, kExamPageBackground);
    closeFigure(test, context.desktop);
    for (int row = 1; row <= kLastPageRow; ++row) blankRow(screen, row);
    rule(screen, 1);
    rule(screen, 24);
    rule(screen, 26);
    DrawExamButtonBar(screen);
    screen.setColor(kExamPageForeground, kExamPageBackground);

    const int row = test.current;
    const std::string question = plainNumberText(row) + ". " +
                                 std::string(trimLeadingBlanks(test.questions.cell(row, kQuestionField)));
    WrapText(question, test.lines, kWrapWidth);
    screen.locate(3, 1);
    writeWrapped(screen, test.lines, 2, 5);
    nextTextRow(screen);

    openFigure(test, context.desktop);

    for (int field = kChoiceAField; field <= kChoiceDField; ++field) {
        WrapText(test.questions.cell(row, field), test.lines, kWrapWidth);
        writeWrapped(screen, test.lines, 5, 8);
        nextTextRow(screen);
    }
    ShowSavingNotice(context.progress, screen, kNoticeForeground);
    // A redraw of the same question (review, a declined stop) keeps its time.
    if (test.shownQuestion != row) {
        test.shownQuestion = row;
        test.shownAt = screen.clock().utcNow();
    }
}

std::string WaitForExamCommand(ScreenLayer& screen) {
    for (;;) {
        KeyEvent key = screen.waitKey();
        if (isClick(key) && screen.mouseRow() == kBarRow) key = ExamButtonAt(screen.mouseColumn());
        key = upperCase(key);
        if (key.size() == 1 && kCommands.find(key[0]) != std::string_view::npos) return key;
    }
}

void RecordPracticeTest(const PracticeTest& test, Progress& progress) {
    if (!progress.remembers()) return;
    const int last = std::min(test.answers.lastIndex(), test.questions.lastRow());
    for (int q = 1; q <= last; ++q) {
        const std::string& answer = test.answers[q];
        if (answer.empty()) continue;
        const std::string_view id = std::string_view(test.questions.cell(q, kIdField)).substr(0, 5);
        progress.recordAnswer(id, answer == test.questions.cell(q, kKeyField),
                              test.answerSeconds[static_cast<std::size_t>(q)], AnswerMode::Test);
    }
    const FinalScore score = FinalScoreOf(test.answers, test.questions);
    progress.recordTest(score.correct, score.questions, score.passed);
}

bool ActOnExamCommand(PracticeTest& test, ProgramContext& context, const std::string& command) {
    ScreenLayer& screen = context.screen;
    const int last = test.answers.lastIndex();
    switch (command.empty() ? '\0' : command[0]) {
        case 'A':
        case 'B':
        case 'C':
        case 'D':
            test.answers[test.current] = command;
            test.answerSeconds[static_cast<std::size_t>(test.current)] =
                std::chrono::duration<double>(screen.clock().utcNow() - test.shownAt).count();
            ++test.current;
            break;
        case 'N':
            if (++test.current > last) context.desktop.playWaveAsync(kWarningSound);
            break;
        case 'P':
            if (--test.current < 1) context.desktop.playWaveAsync(kWarningSound);
            break;
        case 'R':
            ToggleFlag(test.reviewOn);
            break;
        case 'S':
            if (confirmEnd(screen)) {
                RecordPracticeTest(test, context.progress);
                ShowExamResults(test.answers, test.questions, screen, context.progress);
                closeFigure(test, context.desktop);
                return false;
            }
            break;
        default:
            break;
    }
    ShowRunningScore(test.reviewOn, test.answers, test.questions, screen);
    if (test.current > last) showLastQuestionNotice(screen);
    test.current = std::clamp(test.current, 1, last);
    return true;
}

void RunExamPages(PracticeTest& test, ProgramContext& context) {
    FigureWindowGuard guard(test, context.desktop);
    do {
        DrawExamPage(test, context);
    } while (ActOnExamCommand(test, context, WaitForExamCommand(context.screen)));
}

void RunPracticeExam(ProgramContext& context) {
    PracticeTest test(context.edition.examQuestions);
    GeneratePracticeTest(test.questions, context.random, context.screen, context.edition);
    StartPracticeExam(test, context.screen);
    RunExamPages(test, context);
}

}  // namespace pathwick
