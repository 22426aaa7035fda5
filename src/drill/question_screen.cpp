#include "drill/question_screen.h"

#include <algorithm>
#include <string>

#include "bank/question_pool.h"
#include "console/counted_list.h"
#include "console/text_values.h"
#include "console/wrap_text.h"

namespace pathwick {

namespace {

constexpr int kRuleLength = 99;
constexpr int kAnswerBarRow = 25;
constexpr int kHintColumn = 80;
constexpr int kPeekColumn = 90;
constexpr int kPeekMarkerRow = 23;
// Entries 0..8: at most eight lines of one question or choice.
constexpr int kWrapLinesLast = 8;

constexpr std::string_view kAnswerBar = " [ A ][ B ][ C ][ D ] [Stop Drill]";

struct ClickLabel {
    int column;
    std::string_view text;
};
constexpr ClickLabel kClickLabels[] = {
    {3, " A "}, {8, " B "}, {13, " C "}, {18, " D "}, {24, "Stop Drill"}};

void ruleAt(ScreenLayer& screen, int row) {
    screen.locate(row, 2);
    screen.horizontalRule(kRuleLength);
}

void printAt(ScreenLayer& screen, int row, int column, std::string_view text) {
    screen.locate(row, column);
    screen.printText(text);
}

std::string_view bareId(std::string_view idField) {
    return idField.substr(0, idField.find(' '));
}

std::string_view shortName(std::string_view descriptionLine) {
    const auto colon = descriptionLine.find(':');
    return colon == std::string_view::npos ? std::string_view{} : descriptionLine.substr(0, colon);
}

int peekMarkerColumn(std::string_view keyLetter) {
    if (keyLetter == "A") return 4;
    if (keyLetter == "B") return 9;
    if (keyLetter == "C") return 14;
    if (keyLetter == "D") return 19;
    return 95;
}

bool listedInHintIndex(std::string_view id, const CountedList& hintIndex) {
    const int listed = std::clamp(hintIndex.count(), 0, hintIndex.lastIndex());
    for (int i = 1; i <= listed; ++i) {
        if (hintIndex[i] == id) return true;
    }
    return false;
}

// "007" for 7: the last three digits, zero-padded.
std::string questionNumber(int shownCounter) {
    const std::string digits = "000" + plainNumberText(shownCounter);
    return digits.substr(digits.size() - 3);
}

// The wrapped lines of `text`: the first behind `firstIndent` blanks, the
// others behind nine, each followed by a new line.
void printWrapped(ScreenLayer& screen, std::string_view text, int width,
                  std::string_view firstIndent) {
    CountedList lines(kWrapLinesLast);
    WrapText(text, lines, width);
    const int count = std::clamp(lines.count(), 0, kWrapLinesLast);
    for (int i = 1; i <= count; ++i) {
        screen.printText(std::string(i == 1 ? firstIndent : "         ") + lines[i]);
        screen.newLine();
    }
}

void drawFrame(ScreenLayer& screen, int foreground, int background) {
    screen.setColor(foreground, background);
    ruleAt(screen, 1);
    ruleAt(screen, 24);
    printAt(screen, kAnswerBarRow, 1, kAnswerBar);
    screen.setColor(14, 4);
    for (const ClickLabel& label : kClickLabels) printAt(screen, kAnswerBarRow, label.column, label.text);
    screen.setColor(foreground, background);
    ruleAt(screen, 26);
}

void drawHintPrompt(const RunState& state, ScreenLayer& screen) {
    printAt(screen, kAnswerBarRow, kHintColumn, "    ");
    if (!listedInHintIndex(bareId(state.pool.cell(state.current, kIdField)), state.hintIndex))
        return;
    screen.setColor(0, 7);
    printAt(screen, kAnswerBarRow, kHintColumn, "Hint");
    screen.setColor(state.questionForeground, state.questionBackground);
}

void drawQuestionText(const RunState& state, ScreenLayer& screen) {
    const QuestionPool& pool = state.pool;
    screen.locate(4, 5);
    printWrapped(screen, questionNumber(state.shownCounter) + ". " + pool.cell(state.current, kQuestionField),
                 state.wrapWidth, "");
    screen.newLine();
    for (int field = kChoiceAField; field <= kChoiceDField; ++field) {
        printWrapped(screen, pool.cell(state.current, field), state.wrapWidth, "      ");
        if (field != kChoiceDField) screen.newLine();
    }
}

}  // namespace

void DrawQuestionScreen(RunState& state, ScreenLayer& screen) {
    const int foreground = state.questionForeground;
    const int background = state.questionBackground;
    drawFrame(screen, foreground, background);
    ShowPeekState(state.peekOn, screen);
    screen.setColor(foreground, background);
    ShowQuestionIdLine(state.pool.cell(state.current, kIdField), state.pool.cell(state.current, kKeyField),
                       state.peekOn, screen);
    printAt(screen, 2, 22, shortName(state.descriptionLine));
    drawHintPrompt(state, screen);
    drawQuestionText(state, screen);
}

void ShowPeekState(bool peekOn, ScreenLayer& screen) {
    printAt(screen, kAnswerBarRow, kPeekColumn, "        ");
    screen.setColor(peekOn ? 14 : 0, peekOn ? 4 : 7);
    printAt(screen, kAnswerBarRow, kPeekColumn, peekOn ? "Peek On" : "Peek Off");
}

void ShowQuestionIdLine(std::string_view idField, std::string_view keyLetter, bool peekOn,
                        ScreenLayer& screen) {
    printAt(screen, 2, 2, std::string(98, ' '));
    printAt(screen, 2, 2, "Question ID: " + std::string(idField));
    printAt(screen, kPeekMarkerRow, peekMarkerColumn(keyLetter), peekOn ? "*" : "  ");
    ruleAt(screen, 3);
}

}  // namespace pathwick
