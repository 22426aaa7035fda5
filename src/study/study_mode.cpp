#include "study/study_mode.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "bank/load_pool.h"
#include "console/text_values.h"
#include "console/wrap_text.h"
#include "hints/hints_file.h"

namespace pathwick {
namespace {

constexpr int kWrapWidth = 90;
constexpr int kLinesLast = 15;
constexpr std::string_view kIndent = "         ";  // 9 blanks before every text line

// Followed by an ID of the pool in double quotes.
constexpr std::string_view kIntroFirst = "In this mode you can enter in a specific question ID such as, ";
constexpr std::string_view kIntroMore[] = {
    "and it will display that specific quetion. Tapping any key will display",
    "the correct answer.  This is a handy mode for studying directy from a",
    "study guide or in a teaching scenario.  Press any key to continue.",
};

// The picture window a hint opened during this visit. It is closed before
// the next look-up and when study mode is left, however it is left, so a
// picture never outlives the question it belongs to.
class HintWindow {
public:
    explicit HintWindow(Desktop& desktop) : desktop_(desktop) {}
    ~HintWindow() { close(); }
    HintWindow(const HintWindow&) = delete;
    HintWindow& operator=(const HintWindow&) = delete;

    WindowHandle& handle() { return handle_; }
    void close() {
        if (handle_ != 0) desktop_.closeGraphicWindow(handle_);
        handle_ = 0;
    }

private:
    Desktop& desktop_;
    WindowHandle handle_ = 0;
};

void ShowIntroduction(ScreenLayer& screen, std::string_view exampleId) {
    screen.locate(15, 16);
    screen.printText(std::string(kIntroFirst) + '"' + std::string(exampleId) + '"');
    screen.newLine();
    for (std::string_view line : kIntroMore) {
        screen.printText("               ");
        screen.printText(line);
        screen.newLine();
    }
    screen.waitKey();
}

std::string AskForId(ScreenLayer& screen) {
    screen.clearScreen();
    screen.locate(20, 20);
    screen.printText("Enter the Question ID: ");
    // readLine already gives the first field of the typed line (blanks,
    // commas and double quotes as FirstField takes them); applying the rule a
    // second time would turn "\" T9A04\"" into T9A04.
    return upperCase(screen.readLine());
}

// Row of the first question whose ID field begins with `id` (compared over
// exactly five characters), or 0. The scan is bounded by the count in row 0.
int FindQuestion(const QuestionPool& pool, std::string_view id) {
    const int last = std::min(pool.count(), pool.lastRow());
    for (int row = 1; row <= last; ++row) {
        if (std::string_view(pool.cell(row, kIdField)).substr(0, 5) == id) return row;
    }
    return 0;
}

void PrintWrapped(ScreenLayer& screen, std::string_view text, CountedList& lines) {
    WrapText(text, lines, kWrapWidth);
    const int count = std::min(lines.count(), lines.lastIndex());
    for (int i = 1; i <= count; ++i) {
        screen.printText(kIndent);
        screen.printText(lines[i]);
        screen.newLine();
    }
    screen.newLine();
}

// The question as stored, then on three keys: the hint, the correct answer,
// back to the prompt.
void ShowQuestion(const QuestionPool& pool, int row, std::string id, CountedList& hintIndex,
                  HintWindow& hintWindow, ProgramContext& context) {
    ScreenLayer& screen = context.screen;
    CountedList lines(kLinesLast);

    screen.newLine();
    screen.printText("         Question ID: ");
    screen.printText(pool.cell(row, kIdField));
    screen.newLine();
    screen.newLine();
    for (int field = kQuestionField; field <= kChoiceDField; ++field) {
        PrintWrapped(screen, pool.cell(row, field), lines);
    }
    screen.waitKey();

    screen.locate(26, 1);
    screen.horizontalRule(99);
    screen.newLine();
    screen.locate(26, 49);
    screen.printText("[Hint]");
    screen.newLine();
    showHint(id, hintIndex, hintWindow.handle(), screen, context.desktop,
             context.hintsDirectory, context.edition.hintsFileName);
    screen.waitKey();

    screen.locate(22, 1);
    screen.newLine();
    screen.printText("         The Correct Answer is: ");
    screen.printText(pool.cell(row, kKeyField));
    screen.newLine();
    screen.waitKey();
}

// True when the user chose to leave with Q.
bool ReportNotFound(ScreenLayer& screen) {
    screen.locate(1, 1);
    screen.printText("Question not found.  Press any key to continue or [Q] to quit.");
    screen.newLine();
    return upperCase(screen.waitKey()) == "Q";
}

}  // namespace

void RunStudyMode(QuestionPool& pool, CountedList& hintIndex, ProgramContext& context) {
    ScreenLayer& screen = context.screen;
    screen.clearScreen();
    pool.clear();
    ShowIntroduction(screen, context.edition.exampleId);

    HintWindow hintWindow(context.desktop);
    for (;;) {
        hintWindow.close();
        const std::string id = AskForId(screen);
        if (const int subelement = SubelementNamedBy(id); subelement >= 0) LoadPool(subelement, pool, context.edition);
        screen.clearScreen();
        if (id.empty()) return;

        const int row = FindQuestion(pool, id);
        if (row != 0) {
            ShowQuestion(pool, row, id, hintIndex, hintWindow, context);
        } else if (ReportNotFound(screen)) {
            return;
        }
    }
}

}  // namespace pathwick
