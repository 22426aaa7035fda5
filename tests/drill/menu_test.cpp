#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "drill/main_menu.h"
#include "drill/program.h"
#include "drill/run_state.h"
#include "support/screen_test.h"

namespace pathwick {
namespace {

using testing::ScreenRig;
using testing::TempDirectory;
using testing::allColors;
using testing::dump;
using testing::textAt;
using testing::trimmedRow;
using namespace std::chrono_literals;

MenuChoice Drill(int subelement) { return {MenuAction::Drill, subelement}; }
const MenuChoice kPractice{MenuAction::PracticeTest, 0};
const MenuChoice kStudy{MenuAction::StudyMode, 0};

const std::string kRule80 = [] {
    std::string rule;
    for (int i = 0; i < 80; ++i) rule += "\u2500";
    return rule;
}();

TEST(MainMenu, PageTextPositionsDashesAndColours) {
    ScreenRig rig;
    DrawMainMenu(rig.screen);
    const ScreenLayer& s = rig.screen;

    EXPECT_EQ(trimmedRow(s, 6), std::string(9, ' ') + std::string(23, ' ') + "<<< Pathwick >>>");
    EXPECT_EQ(textAt(s, 7, 1, 100), std::string(9, ' ') + kRule80 + std::string(11, ' '));
    // En dashes where the menu has them, plain hyphens elsewhere.
    EXPECT_EQ(trimmedRow(s, 8), "         0. SUBELEMENT T0 \u2013 Electrical Safety \u2013 "
                                "[3 Exam Questions - 3 Groups]");
    EXPECT_EQ(trimmedRow(s, 9), "         1. SUBELEMENT T1 \u2013 FCC Rules [6 Exam Questions - 6 Groups]");
    EXPECT_EQ(trimmedRow(s, 10), "         2. SUBELEMENT T2 - Operating Procedures - "
                                 "[3 Exam Questions - 3 Groups]");
    EXPECT_EQ(trimmedRow(s, 12), "         4. SUBELEMENT T4 - Amateur Radio Practices \u2013 "
                                 "[2 Exam Questions - 2 Groups]");
    EXPECT_EQ(trimmedRow(s, 17), "         9. SUBELEMENT T9 \u2013 Antennas and Feed Lines - "
                                 "[2 Exam Questions - 2 Groups]");
    EXPECT_EQ(trimmedRow(s, 18), "         P. Take a Practice Test");
    EXPECT_EQ(trimmedRow(s, 19), "         S. Study Mode - review specific questions");
    EXPECT_EQ(trimmedRow(s, 20), "");
    EXPECT_EQ(trimmedRow(s, 21), std::string(19, ' ') +
                                     "Pick the sub element you want to practice (0-9, P, ?)");
    for (int row = 1; row <= 43; ++row) {
        EXPECT_TRUE(allColors(s, row, 1, 100, 15, 1)) << "row " << row << "\n" << dump(s);
    }
}

TEST(MainMenu, DescriptionLinesKeepTheirDashesAndShortNames) {
    const std::string_view t0 = DescriptionLine(0);
    EXPECT_EQ(t0.substr(0, t0.find(':')), "Module T0 \x96 Electrical Safety");
    EXPECT_EQ(DescriptionLine(1).substr(0, 21), "Module T1 \x97 FCC Rules");
    EXPECT_NE(DescriptionLine(5).find("Ohm\x92s Law"), std::string_view::npos);
    EXPECT_EQ(DescriptionLine(9), "Module T9 - Antennas and Feed Lines: [2 Exam Questions - 2 Groups]");
    for (int s = 0; s <= 9; ++s) {
        EXPECT_NE(DescriptionLine(s).find(':'), std::string_view::npos) << s;
        EXPECT_EQ(DescriptionLine(s).substr(8, 1), std::to_string(s));
    }
    EXPECT_TRUE(DescriptionLine(10).empty());
    EXPECT_TRUE(DescriptionLine(-1).empty());
}

TEST(MainMenuDispatch, KeysInTheirOrder) {
    EXPECT_EQ(DispatchMenuKey("\x1b", 0).action, MenuAction::Goodbye);
    EXPECT_EQ(DispatchMenuKey("?", 0).action, MenuAction::Help);
    for (int d = 0; d <= 9; ++d) {
        EXPECT_EQ(DispatchMenuKey(std::string(1, static_cast<char>('0' + d)), 0), Drill(d));
    }
    EXPECT_EQ(DispatchMenuKey("P", 0), kPractice);
    EXPECT_EQ(DispatchMenuKey("p", 0), kPractice);
    EXPECT_EQ(DispatchMenuKey("S", 0), kStudy);
    EXPECT_EQ(DispatchMenuKey("s", 0), kStudy);
    // Nothing is refused: every other key drills T0.
    for (const KeyEvent& key : {KeyEvent("x"), KeyEvent("-"), KeyEvent("\r"), extendedKey(72),
                                extendedKey(59), extendedKey(134), KeyEvent(1, '\0')}) {
        EXPECT_EQ(DispatchMenuKey(key, 0), Drill(0)) << static_cast<int>(key.back());
    }
}

TEST(MainMenuDispatch, ClicksGoByRowWhateverTheColumn) {
    const KeyEvent press = clickEvent(kClickPressed);
    const KeyEvent twice = clickEvent(kClickDouble);
    for (int row = 8; row <= 17; ++row) {
        EXPECT_EQ(DispatchMenuKey(press, row), Drill(row - 8));
        EXPECT_EQ(DispatchMenuKey(twice, row), Drill(row - 8));
    }
    EXPECT_EQ(DispatchMenuKey(press, 18), kPractice);
    EXPECT_EQ(DispatchMenuKey(press, 19), kStudy);
    for (int row : {1, 6, 7, 20, 21, 43}) EXPECT_EQ(DispatchMenuKey(press, row), Drill(0)) << row;
    // The mouse row means nothing for a key.
    EXPECT_EQ(DispatchMenuKey("3", 18), Drill(3));
}

struct MenuRig : ScreenRig {
    RunState state;
    MenuRig() { screen.enableMouse(); }
    MenuChoice run() { return RunMainMenu(state, screen); }
};

TEST(MainMenuLoop, ClickAnywhereOnARowAndTheMenuWait) {
    MenuRig rig;
    rig.state.shownCounter = 12;
    rig.terminal.idle(3400).click(15, 97);
    EXPECT_EQ(rig.run(), Drill(7));
    EXPECT_EQ(rig.state.menuWait, 3);
    EXPECT_EQ(rig.state.shownCounter, 0);

    rig.terminal.click(18, 2);
    EXPECT_EQ(rig.run(), kPractice);
    rig.terminal.doubleClick(19, 50);
    EXPECT_EQ(rig.run(), kStudy);
    EXPECT_EQ(rig.run(), kStudy) << "the double-click's second event is a click too";
}

TEST(MainMenuLoop, HelpThenAnyKeyShowsAFreshMenuWithoutPassingTheKeyOn) {
    MenuRig rig;
    rig.terminal.key("?").key("7");
    EXPECT_THROW(rig.run(), InputClosed);
    EXPECT_EQ(trimmedRow(rig.screen, 2), "") << "help page closed";
    EXPECT_EQ(textAt(rig.screen, 6, 33, 16), "<<< Pathwick >>>");

    MenuRig clicked;
    clicked.terminal.key("?").click(15, 40).key("s");
    EXPECT_EQ(clicked.run(), kStudy);
}

TEST(MainMenuLoop, EscapeDoesNotCountTheMenuWait) {
    MenuRig rig;
    rig.state.menuWait = 42;
    rig.terminal.idle(2000).escape();
    EXPECT_EQ(rig.run().action, MenuAction::Goodbye);
    EXPECT_EQ(rig.state.menuWait, 42);
}

struct ProgramRig : ScreenRig {
    TempDirectory hints;
    ProgramRig() { context.hintsDirectory = hints.path(); }
};

TEST(Program, StartUpThenEscapeSaysGoodbyeForFiveSeconds) {
    ProgramRig rig;
    rig.terminal.escape();
    RunProgram(rig.context);  // returns: no exception

    EXPECT_EQ(rig.terminal.title(), "Pathwick By The Pathwick Team (N0CALL) v2021.09.17a");
    EXPECT_TRUE(rig.terminal.mouseReporting());
    EXPECT_FALSE(rig.screen.cursorVisible());
    EXPECT_EQ(rig.clock.slept(), 5000ms);
    EXPECT_EQ(trimmedRow(rig.screen, 21),
              std::string(27, ' ') + "Thanks for playing.  Have a real nice day.");
    for (int row = 1; row <= 43; ++row) {
        if (row != 21) {
            EXPECT_EQ(trimmedRow(rig.screen, row), "") << row;
        }
        EXPECT_TRUE(allColors(rig.screen, row, 1, 100, 15, 1)) << row;
    }
}

TEST(Program, StudyModeFromTheMenuAndBackToAFreshMenu) {
    ProgramRig rig;
    rig.terminal.key("S");
    EXPECT_THROW(RunProgram(rig.context), InputClosed);
    EXPECT_EQ(textAt(rig.screen, 15, 16, 13), "In this mode ") << dump(rig.screen);

    ProgramRig back;
    back.terminal.key("s").key("x").enter();  // intro, then an empty ID leaves
    EXPECT_THROW(RunProgram(back.context), InputClosed);
    EXPECT_EQ(textAt(back.screen, 6, 33, 16), "<<< Pathwick >>>") << dump(back.screen);
    EXPECT_EQ(trimmedRow(back.screen, 20), "");
    EXPECT_TRUE(allColors(back.screen, 43, 1, 100, 15, 1));
}

}  // namespace
}  // namespace pathwick
