#include "app/main_menu.h"

#include <cmath>
#include <span>
#include <string>

#include "console/clock.h"
#include "console/text_values.h"
#include "app/progress_screen.h"
#include "console/palette.h"

namespace pathwick {
namespace {

constexpr int kMenuColumn = 10;
constexpr int kMenuTopRow = 6;
constexpr int kFirstChoiceRow = 8;    // "0." .. "9." on rows 8..17
constexpr int kPracticeTestRow = 18;
constexpr int kStudyModeRow = 19;
constexpr int kPromptRow = 21;
// With progress remembered: the entries below the menu's own ones, from row
// 20; a blank row, the chance to pass, a blank row and the prompt follow the
// last of them, so that an entry added later moves them down.
constexpr int kProgressRow = 20;
constexpr int kRuleLength = 80;

// The lines after the ten subelements.
constexpr std::string_view kOtherChoices[] = {
    "P. Take a Practice Test",
    "S. Study Mode - review specific questions",
};

constexpr std::string_view kMyProgress = "M. My progress";
constexpr int kReviewRow = kProgressRow + 1;

// "R. Review – 12 questions due" (Windows-1252 en dash).
std::string reviewLine(int due) {
    return "R. Review \x96 " + plainNumberText(due) + (due == 1 ? " question due" : " questions due");
}

constexpr std::string_view kMenuPrompt =
    "          Pick the sub element you want to practice (0-9, P, ?)";

// A click stands for the key of the menu line under it; the column does not
// matter. Clicks on other rows stay clicks (and so drill T0).
KeyEvent keyOfClickedRow(const KeyEvent& click, int mouseRow, bool remembers) {
    if (mouseRow >= kFirstChoiceRow && mouseRow < kFirstChoiceRow + 10) {
        return KeyEvent(1, static_cast<char>('0' + (mouseRow - kFirstChoiceRow)));
    }
    if (mouseRow == kPracticeTestRow) return "P";
    if (mouseRow == kStudyModeRow) return "S";
    if (remembers && mouseRow == kProgressRow) return "M";
    if (remembers && mouseRow == kReviewRow) return "R";
    return click;
}

void drawLines(ScreenLayer& screen, int& row, std::span<const std::string_view> lines) {
    for (std::string_view line : lines) {
        screen.locate(row++, kMenuColumn);
        screen.printText(line);
    }
}

}  // namespace

void DrawMainMenu(ScreenLayer& screen, const PoolEdition& edition, const Progress& progress) {
    screen.setColor(kPageForeground, kPageBackground);
    screen.clearScreen();
    screen.locate(kMenuTopRow, kMenuColumn);
    screen.printText(edition.menuTitle);
    screen.locate(kMenuTopRow + 1, kMenuColumn);
    screen.horizontalRule(kRuleLength);
    int row = kFirstChoiceRow;
    drawLines(screen, row, edition.menuLines);
    drawLines(screen, row, kOtherChoices);
    int promptRow = kPromptRow;
    if (progress.remembers()) {
        const std::string review = reviewLine(progress.dueCount());
        const std::string_view remembered[] = {kMyProgress, review};
        drawLines(screen, row, remembered);
        screen.locate(row + 1, kMenuColumn);
        screen.printText(ChanceToPassLine(progress, edition));
        promptRow = row + 3;
    }
    screen.locate(promptRow, kMenuColumn);
    screen.printText(kMenuPrompt);
}

MenuChoice DispatchMenuKey(std::string_view key, int mouseRow, bool remembers) {
    if (key == std::string_view("\x1b", 1)) return {MenuAction::Goodbye, 0};
    if (key == "?") return {MenuAction::Help, 0};

    KeyEvent event(key);
    if (isClick(event)) event = keyOfClickedRow(event, mouseRow, remembers);

    if (event == "P" || event == "p") return {MenuAction::PracticeTest, 0};
    if (event == "S" || event == "s") return {MenuAction::StudyMode, 0};
    if (remembers && (event == "M" || event == "m")) return {MenuAction::Progress, 0};
    if (remembers && (event == "R" || event == "r")) return {MenuAction::Review, 0};
    // The numeric value of the key: a digit is its subelement, every other
    // key (letters, extended keys, stray clicks) is 0.
    const int value = static_cast<int>(valueOf(event));
    return {MenuAction::Drill, (value >= 0 && value <= 9) ? value : 0};
}

MenuChoice RunMainMenu(RunState& state, ScreenLayer& screen, const PoolEdition& edition,
                       const Progress& progress) {
    state.shownCounter = 0;
    const double menuStart = std::round(timerSeconds(screen.clock()));
    DrawMainMenu(screen, edition, progress);

    const KeyEvent key = screen.waitKey();
    const MenuChoice choice = DispatchMenuKey(key, screen.mouseRow(), progress.remembers());
    if (choice.action != MenuAction::Goodbye) {
        // Across midnight this comes out negative; it only seeds the drill's
        // random source, so it is used as it is.
        state.menuWait = static_cast<int>(std::lround(timerSeconds(screen.clock()) - menuStart));
    }
    return choice;
}

std::string_view DescriptionLine(int subelement, const PoolEdition& edition) {
    if (subelement < 0 || subelement >= kSubelementCount) return {};
    return edition.descriptionLines[static_cast<std::size_t>(subelement)];
}

}  // namespace pathwick
