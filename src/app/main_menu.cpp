#include "app/main_menu.h"

#include <array>
#include <cmath>
#include <string>

#include "console/clock.h"
#include "console/text_values.h"
#include "app/help_screen.h"

namespace pathwick {
namespace {

constexpr int kMenuColumn = 10;
constexpr int kMenuTopRow = 6;
constexpr int kFirstChoiceRow = 8;    // "0." .. "9." on rows 8..17
constexpr int kPracticeTestRow = 18;
constexpr int kStudyModeRow = 19;
constexpr int kPromptRow = 21;
constexpr int kRuleLength = 80;

// Windows-1252: 0x96 is the en dash, 0x97 the em dash, 0x92 the right single
// quote. Some menu lines use the en dash, others a plain hyphen, as designed.
constexpr std::string_view kMenuTitle = "                       <<< Pathwick >>>";

constexpr std::array<std::string_view, 12> kMenuLines = {
    "0. SUBELEMENT T0 \x96 Electrical Safety \x96 [3 Exam Questions - 3 Groups]",
    "1. SUBELEMENT T1 \x96 FCC Rules [6 Exam Questions - 6 Groups]",
    "2. SUBELEMENT T2 - Operating Procedures - [3 Exam Questions - 3 Groups]",
    "3. SUBELEMENT T3 \x96 Radio Wave Characteristics \x96 [3 Exam Questions - 3 Groups]",
    "4. SUBELEMENT T4 - Amateur Radio Practices \x96 [2 Exam Questions - 2 Groups]",
    "5. SUBELEMENT T5 \x96 Electrical Principles - [4 Exam Questions - 4 Groups]",
    "6. SUBELEMENT T6 \x96 Electrical Components - [4 Exam Questions - 4 Groups]",
    "7. SUBELEMENT T7 \x96 Station Equipment - [4 Exam Questions - 4 Groups]",
    "8. SUBELEMENT T8 \x96 Modulation Modes - [4 Exam Questions - 4 Groups]",
    "9. SUBELEMENT T9 \x96 Antennas and Feed Lines - [2 Exam Questions - 2 Groups]",
    "P. Take a Practice Test",
    "S. Study Mode - review specific questions",
};

constexpr std::string_view kMenuPrompt =
    "          Pick the sub element you want to practice (0-9, P, ?)";

constexpr std::array<std::string_view, 10> kDescriptionLines = {
    "Module T0 \x96 Electrical Safety: AC and DC power circuits; antenna installation; RF "
    "hazards \x96 [3 Questions, 3 Groups]",
    "Module T1 \x97 FCC Rules: Descriptions, and definitions for the Amateur Radio Service, "
    "operator and station license responsibilities - [6 Questions, 6 Groups]",
    "Module T2 - Operating Procedures: [3 Questions, 3 Groups]",
    "Module T3 - Radio Wave Characteristics: properties of radio waves; propagation modes "
    "\x96 [3 Questions, 3 Groups]",
    "Module T4 - Amateur Radio Practices and Station Set-up: [2 Questions, 2 Groups]",
    "Module T5 \x96 Electrical Principles: Math for electronics; electronic principles; "
    "Ohm\x92s Law \x96 [4 Questions, 4 Groups]",
    "Module T6 - Electrical Components: Circuit diagrams; component functions \x96 [4 "
    "Questions, 4 Groups]",
    "Module T7 - Station Equipment: Common transmitter & receiver problems; antenna "
    "measurements; troubleshooting; basic repair & testing - [4 Questions, 4 Groups]",
    "Module T8 - Modulation Modes: Amateur satellite operation; operating activities; "
    "non-voice and digital communications \x96 [4 Questions, 4 Groups]",
    "Module T9 - Antennas and Feed Lines: [2 Exam Questions - 2 Groups]",
};

// A click stands for the key of the menu line under it; the column does not
// matter. Clicks on other rows stay clicks (and so drill T0).
KeyEvent keyOfClickedRow(const KeyEvent& click, int mouseRow) {
    if (mouseRow >= kFirstChoiceRow && mouseRow < kFirstChoiceRow + 10) {
        return KeyEvent(1, static_cast<char>('0' + (mouseRow - kFirstChoiceRow)));
    }
    if (mouseRow == kPracticeTestRow) return "P";
    if (mouseRow == kStudyModeRow) return "S";
    return click;
}

}  // namespace

void DrawMainMenu(ScreenLayer& screen) {
    screen.setColor(15, 1);
    screen.clearScreen();
    screen.locate(kMenuTopRow, kMenuColumn);
    screen.printText(kMenuTitle);
    screen.locate(kMenuTopRow + 1, kMenuColumn);
    screen.horizontalRule(kRuleLength);
    int row = kFirstChoiceRow;
    for (std::string_view line : kMenuLines) {
        screen.locate(row++, kMenuColumn);
        screen.printText(line);
    }
    screen.locate(kPromptRow, kMenuColumn);
    screen.printText(kMenuPrompt);
}

MenuChoice DispatchMenuKey(std::string_view key, int mouseRow) {
    if (key == std::string_view("\x1b", 1)) return {MenuAction::Goodbye, 0};
    if (key == "?") return {MenuAction::Help, 0};

    KeyEvent event(key);
    if (isClick(event)) event = keyOfClickedRow(event, mouseRow);

    if (event == "P" || event == "p") return {MenuAction::PracticeTest, 0};
    if (event == "S" || event == "s") return {MenuAction::StudyMode, 0};
    // The numeric value of the key: a digit is its subelement, every other
    // key (letters, extended keys, stray clicks) is 0.
    const int value = static_cast<int>(valueOf(event));
    return {MenuAction::Drill, (value >= 0 && value <= 9) ? value : 0};
}

MenuChoice RunMainMenu(RunState& state, ScreenLayer& screen) {
    for (;;) {
        state.shownCounter = 0;
        const double menuStart = std::round(timerSeconds(screen.clock()));
        DrawMainMenu(screen);

        const KeyEvent key = screen.waitKey();
        const MenuChoice choice = DispatchMenuKey(key, screen.mouseRow());
        if (choice.action == MenuAction::Help) {
            ShowHelpScreen(screen);
            continue;
        }
        if (choice.action != MenuAction::Goodbye) {
            // Across midnight this comes out negative; it only seeds the drill's
            // random source, so it is used as it is.
            state.menuWait = static_cast<int>(
                std::lround(timerSeconds(screen.clock()) - menuStart));
        }
        return choice;
    }
}

std::string_view DescriptionLine(int subelement) {
    if (subelement < 0 || subelement > 9) return {};
    return kDescriptionLines[static_cast<std::size_t>(subelement)];
}

}  // namespace pathwick
