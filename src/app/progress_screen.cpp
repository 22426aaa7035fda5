#include "app/progress_screen.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <string_view>
#include <vector>

#include "app/progress_help.h"
#include "progress/calendar_date_text.h"
#include "console/key_event.h"
#include "console/text_values.h"
#include "console/palette.h"

namespace pathwick {
namespace {

// Table headers black on grey. Every colour that carries a meaning differs
// in hue from its neighbours, and the bars differ in their characters too,
// so the page reads the same on an 8-colour terminal.
constexpr int kHeaderForeground = 0;
constexpr int kHeaderBackground = 7;
constexpr int kExpectedBackground = 2;  // bar cells of questions expected right
constexpr int kLostForeground = 7;      // dots of those expected lost
constexpr int kChartBackground = 3;
constexpr int kPassForeground = 10;
constexpr int kFailForeground = 12;
constexpr int kLeft = 3;

constexpr int kTitleRow = 2;
constexpr int kChanceRow = 4;

// The subelement table: numbers end in the given columns.
constexpr int kTableHeaderRow = 6;
constexpr int kFirstSubelementRow = 7;
constexpr int kTotalRow = kFirstSubelementRow + kSubelementCount + 1;
constexpr int kQuestionsEnd = 44;
constexpr int kSeenEnd = 51;
constexpr int kSolidEnd = 58;
constexpr int kExpectedEnd = 70;
constexpr int kBarColumn = 73;
constexpr int kCellsPerExamQuestion = 3;
constexpr int kBarCellsMost = 27;

// The practice tests (left) and the daily chance (right), side by side.
constexpr int kSectionRow = 20;
constexpr int kListHeaderRow = 21;
constexpr int kTestsShown = 10;
constexpr int kListHeaderEnd = 30;
constexpr int kScoreEnd = 22;
constexpr int kResultColumn = 25;
constexpr int kChartLabelColumn = 33;
constexpr int kChartColumn = 39;
constexpr int kChartDays = 30;
constexpr int kCellsPerDay = 2;
constexpr int kChartTopRow = 21;
constexpr int kChartHeight = 10;  // ten points of chance a row
constexpr int kChartAxisRow = kChartTopRow + kChartHeight;
constexpr int kChartDatesRow = kChartAxisRow + 1;

constexpr int kLegendRow = 34;
constexpr std::string_view kLegend[] = {
    "Seen: questions answered at least once. Solid: those you would now answer right with a chance of",
    "90 % or more. Expected: the exam questions of a subelement you would get right today; its bar has",
    "three cells for each exam question it gives, filled for those expected right, dotted for the rest.",
    "Every chance falls as days pass without review, as memory fades; answering a question again, in a",
    "drill, a review round or a practice test, raises it.",
};

constexpr int kButtonRow = 42;
struct Button {
    std::string_view key;
    std::string_view label;  // its cells take the clicks
    int column;
    std::string_view text;
};
constexpr Button kButtons[] = {
    {"\x1b", " Esc ", kLeft, " Back to the menu"},
    {"?", " ? ", 30, " How the chance is computed"},
};

void colours(ScreenLayer& screen, int foreground, int background = kPageBackground) {
    screen.setColor(foreground, background);
}

void printAt(ScreenLayer& screen, int row, int column, std::string_view text) {
    screen.locate(row, column);
    screen.printText(text);
}

void printEndingAt(ScreenLayer& screen, int row, int lastColumn, std::string_view text) {
    printAt(screen, row, lastColumn + 1 - static_cast<int>(text.size()), text);
}


std::string outOf(std::string_view part, int whole) {
    return std::string(part) + " of " + plainNumberText(whole);
}

// "T5 Electrical Principles": the code and the title of the subelement's
// menu line, without its dashes and its "[n Exam Questions ...]".
std::string subelementName(const PoolEdition& edition, int subelement) {
    constexpr std::string_view kMarker = "SUBELEMENT ";
    constexpr std::string_view kDashes = " -\x96\x97";
    std::string_view line = edition.menuLines[static_cast<std::size_t>(subelement)];
    const auto at = line.find(kMarker);
    if (at == std::string_view::npos) return std::string(line);
    line.remove_prefix(at + kMarker.size());
    const std::string_view code = line.substr(0, 2);
    std::string_view title = line.substr(code.size());
    title = title.substr(0, title.find('['));
    const auto first = title.find_first_not_of(kDashes);
    if (first == std::string_view::npos) return std::string(code);
    title = title.substr(first, title.find_last_not_of(kDashes) + 1 - first);
    return std::string(code) + " " + std::string(title);
}

void drawTitle(ScreenLayer& screen, const PoolEdition& edition, const Progress& progress) {
    colours(screen, kHeadingForeground);
    printAt(screen, kTitleRow, kLeft, "My progress");
    colours(screen, kPageForeground);
    screen.printText(" \x96 " + std::string(edition.className) + " pool " + std::string(edition.years));
    screen.locate(kTitleRow + 1, 2);
    screen.horizontalRule(98);
    printAt(screen, kChanceRow, kLeft, ChanceToPassLine(progress, edition));
    printEndingAt(screen, kChanceRow, 97, "Pass mark: " + outOf(plainNumberText(edition.passMark),
                                                           edition.examQuestions));
}

// Three cells for each exam question of the subelement: blanks on green for
// the expected right answers, grey dots for the rest.
void drawBar(ScreenLayer& screen, int row, const SubelementStanding& subelement) {
    const int cells = std::clamp(subelement.examQuestions * kCellsPerExamQuestion, 0, kBarCellsMost);
    const long filled = std::clamp(std::lround(subelement.expectedRight * kCellsPerExamQuestion), 0L,
                                   static_cast<long>(cells));
    screen.locate(row, kBarColumn);
    colours(screen, kPageForeground, kExpectedBackground);
    screen.printText(std::string(static_cast<std::size_t>(filled), ' '));
    colours(screen, kLostForeground);
    screen.printText(std::string(static_cast<std::size_t>(cells - filled), '.'));
    colours(screen, kPageForeground);
}

void drawCounts(ScreenLayer& screen, int row, std::string_view name, int questions, int seen, int solid,
                const std::string& expected) {
    printAt(screen, row, kLeft, name);
    printEndingAt(screen, row, kQuestionsEnd, plainNumberText(questions));
    printEndingAt(screen, row, kSeenEnd, plainNumberText(seen));
    printEndingAt(screen, row, kSolidEnd, plainNumberText(solid));
    printEndingAt(screen, row, kExpectedEnd, expected);
}

void drawTable(ScreenLayer& screen, const PoolEdition& edition, const Standing& standing) {
    colours(screen, kHeaderForeground, kHeaderBackground);
    printAt(screen, kTableHeaderRow, 2, std::string(98, ' '));
    printAt(screen, kTableHeaderRow, kLeft, "Subelement");
    printEndingAt(screen, kTableHeaderRow, kQuestionsEnd, "Questions");
    printEndingAt(screen, kTableHeaderRow, kSeenEnd, "Seen");
    printEndingAt(screen, kTableHeaderRow, kSolidEnd, "Solid");
    printEndingAt(screen, kTableHeaderRow, kExpectedEnd, "Expected");
    printAt(screen, kTableHeaderRow, kBarColumn, "right on the exam");
    colours(screen, kPageForeground);

    int questions = 0;
    int solid = 0;
    for (int s = 0; s < kSubelementCount; ++s) {
        const SubelementStanding& subelement = standing.subelements[static_cast<std::size_t>(s)];
        const int row = kFirstSubelementRow + s;
        drawCounts(screen, row, subelementName(edition, s), subelement.questions, subelement.seen, subelement.solid,
                   outOf(oneDecimalText(subelement.expectedRight), subelement.examQuestions));
        drawBar(screen, row, subelement);
        questions += subelement.questions;
        solid += subelement.solid;
    }
    screen.locate(kTotalRow - 1, kLeft);
    screen.horizontalRule(kExpectedEnd + 1 - kLeft);
    drawCounts(screen, kTotalRow, "The whole pool", questions, standing.seen, solid,
               outOf(oneDecimalText(standing.expectedScore), edition.examQuestions));
}

void drawTests(ScreenLayer& screen, std::span<const TestResult> tests) {
    colours(screen, kHeadingForeground);
    printAt(screen, kSectionRow, kLeft, "Practice tests, the last ten");
    colours(screen, kHeaderForeground, kHeaderBackground);
    printAt(screen, kListHeaderRow, kLeft, std::string(kListHeaderEnd + 1 - kLeft, ' '));
    printAt(screen, kListHeaderRow, kLeft, "Date");
    printEndingAt(screen, kListHeaderRow, kScoreEnd, "Score");
    printAt(screen, kListHeaderRow, kResultColumn, "Result");
    colours(screen, kPageForeground);
    if (tests.empty()) printAt(screen, kListHeaderRow + 1, kLeft, "None taken yet.");
    int row = kListHeaderRow;
    for (const TestResult& test : tests.last(std::min<std::size_t>(tests.size(), kTestsShown))) {
        printAt(screen, ++row, kLeft, test.localDate);
        printEndingAt(screen, row, kScoreEnd, outOf(plainNumberText(test.score), test.questions));
        colours(screen, test.passed ? kPassForeground : kFailForeground);
        printAt(screen, row, kResultColumn, test.passed ? "Pass" : "Fail");
        colours(screen, kPageForeground);
    }
}

// A column of two cells a day, ten points of chance a row, today on the right.
void drawChart(ScreenLayer& screen, std::span<const DailyChance> days) {
    colours(screen, kHeadingForeground);
    printAt(screen, kSectionRow, kChartLabelColumn, "Chance to pass at the end of each day, the last 30 days");
    colours(screen, kPageForeground);
    printAt(screen, kChartTopRow, kChartLabelColumn, "100 %");
    printAt(screen, kChartTopRow + kChartHeight / 2, kChartLabelColumn, " 50 %");
    printAt(screen, kChartAxisRow, kChartLabelColumn, "  0 %");
    screen.locate(kChartAxisRow, kChartColumn);
    screen.horizontalRule(kChartDays * kCellsPerDay);

    days = days.last(std::min<std::size_t>(days.size(), kChartDays));
    if (days.empty()) {
        printAt(screen, kChartDatesRow, kChartColumn, "No answers yet.");
        return;
    }
    const int firstColumn = kChartColumn + (kChartDays - static_cast<int>(days.size())) * kCellsPerDay;
    printAt(screen, kChartDatesRow, firstColumn, days.front().localDate);
    printEndingAt(screen, kChartDatesRow, kChartColumn + kChartDays * kCellsPerDay - 1, "today");
    colours(screen, kPageForeground, kChartBackground);
    int column = firstColumn;
    for (const DailyChance& day : days) {
        const long height = std::lround(std::clamp(day.passChance, 0.0, 1.0) * kChartHeight);
        for (int row = kChartAxisRow - 1; row >= kChartAxisRow - height; --row)
            printAt(screen, row, column, std::string(kCellsPerDay, ' '));
        column += kCellsPerDay;
    }
    colours(screen, kPageForeground);
}

void drawLegendAndButtons(ScreenLayer& screen) {
    int row = kLegendRow;
    for (std::string_view line : kLegend) printAt(screen, row++, kLeft, line);
    for (const Button& button : kButtons) {
        colours(screen, kButtonForeground, kButtonBackground);
        printAt(screen, kButtonRow, button.column, button.label);
        colours(screen, kPageForeground);
        screen.printText(button.text);
    }
}

void drawProgressScreen(ScreenLayer& screen, const PoolEdition& edition, const Progress& progress) {
    colours(screen, kPageForeground);
    screen.clearScreen();
    const Standing standing = progress.standingNow();
    drawTitle(screen, edition, progress);
    drawTable(screen, edition, standing);
    drawTests(screen, progress.recentTests(kTestsShown));
    drawChart(screen, progress.passChanceByDay(kChartDays));
    drawLegendAndButtons(screen);
}

// Esc or "?", typed or clicked on its label; other keys are ignored.
std::string waitForCommand(ScreenLayer& screen) {
    for (;;) {
        const KeyEvent key = screen.waitKey();
        if (!isClick(key)) {
            if (key == "\x1b" || key == "?") return key;
            continue;
        }
        for (const Button& button : kButtons) {
            const int column = screen.mouseColumn();
            if (screen.mouseRow() == kButtonRow && column >= button.column &&
                column < button.column + static_cast<int>(button.label.size()))
                return std::string(button.key);
        }
    }
}

}  // namespace

std::string ChanceToPassLine(const Standing& standing, const PoolEdition& edition) {
    return "Chance to pass today: " + percentText(standing.passChance) + " \x96 expected " +
           outOf(oneDecimalText(standing.expectedScore), edition.examQuestions);
}

std::string ChanceToPassLine(const Progress& progress, const PoolEdition& edition) {
    const std::optional<CalendarDate> examDate = progress.examDate();
    if (!examDate) return ChanceToPassLine(progress.standingNow(), edition);
    return "Chance to pass today: " + percentText(progress.standingNow().passChance) + " \x96 on " +
           CalendarDateText(*examDate) + ": " + percentText(progress.standingOnExamDay().passChance);
}

void ShowProgressScreen(ProgramContext& context) {
    for (;;) {
        drawProgressScreen(context.screen, context.edition, context.progress);
        if (waitForCommand(context.screen) != "?") return;
        ShowProgressHelp(context.screen, context.edition, context.progress);
    }
}

}  // namespace pathwick
