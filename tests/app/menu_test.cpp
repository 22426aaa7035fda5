#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "app/main_menu.h"
#include "app/program.h"
#include "support/screen_test.h"

namespace pathwick {
namespace {

using namespace pathwick::testing;
using namespace std::chrono_literals;

MenuChoice Drill(int subelement) { return {MenuAction::Drill, subelement}; }
const MenuChoice kPractice{MenuAction::PracticeTest, 0};
const MenuChoice kStudy{MenuAction::StudyMode, 0};

std::string Repeat(std::string_view text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i) result += text;
    return result;
}

TEST(MainMenu, PageTextPositionsDashesAndColours) {
    ScreenRig rig;
    DrawMainMenu(rig.screen);
    const ScreenLayer& s = rig.screen;
    const std::string indent(9, ' ');

    EXPECT_EQ(trimmedRow(s, 6), indent + std::string(23, ' ') + "<<< Pathwick >>>");
    EXPECT_EQ(textAt(s, 7, 1, 100), indent + Repeat("\u2500", 80) + std::string(11, ' '));
    // En dashes where the menu has them, plain hyphens elsewhere.
    EXPECT_EQ(trimmedRow(s, 8), indent + "0. SUBELEMENT T0 \u2013 Electrical Safety \u2013 "
                                         "[3 Exam Questions - 3 Groups]");
    EXPECT_EQ(trimmedRow(s, 10), indent + "2. SUBELEMENT T2 - Operating Procedures - "
                                          "[3 Exam Questions - 3 Groups]");
    EXPECT_EQ(trimmedRow(s, 12), indent + "4. SUBELEMENT T4 - Amateur Radio Practices \u2013 "
                                          "[2 Exam Questions - 2 Groups]");
    EXPECT_EQ(trimmedRow(s, 17), indent + "9. SUBELEMENT T9 \u2013 Antennas and Feed Lines - "
                                          "[2 Exam Questions - 2 Groups]");
    EXPECT_EQ(trimmedRow(s, 18), indent + "P. Take a Practice Test");
    EXPECT_EQ(trimmedRow(s, 19), indent + "S. Study Mode - review specific questions");
    EXPECT_EQ(trimmedRow(s, 20), "");
    EXPECT_EQ(trimmedRow(s, 21),
              indent + std::string(10, ' ') + "Pick the sub element you want to practice (0-9, P, ?)");
    for (int row = 1; row <= 43; ++row) EXPECT_TRUE(allColors(s, row, 1, 100, 15, 1)) << row;
}

TEST(MainMenu, DescriptionLinesCarryTheirWindowsDashes) {
    EXPECT_EQ(DescriptionLine(0).substr(0, DescriptionLine(0).find(':')),
              "Module T0 \x96 Electrical Safety");
    EXPECT_EQ(DescriptionLine(1).substr(0, 21), "Module T1 \x97 FCC Rules");
    EXPECT_NE(DescriptionLine(5).find("Ohm\x92s Law \x96 [4"), std::string_view::npos);
    EXPECT_TRUE(DescriptionLine(10).empty());
}

TEST(MainMenuDispatch, KeysInTheirOrder) {
    EXPECT_EQ(DispatchMenuKey("\x1b", 0).action, MenuAction::Goodbye);
    EXPECT_EQ(DispatchMenuKey("?", 0).action, MenuAction::Help);
    for (int d = 0; d <= 9; ++d) {
        EXPECT_EQ(DispatchMenuKey(std::string(1, static_cast<char>('0' + d)), 0), Drill(d));
    }
    for (const char* key : {"P", "p"}) EXPECT_EQ(DispatchMenuKey(key, 0), kPractice);
    for (const char* key : {"S", "s"}) EXPECT_EQ(DispatchMenuKey(key, 0), kStudy);
    // Nothing is refused: every other key drills T0, whatever the mouse row.
    for (const KeyEvent& key : {KeyEvent("x"), KeyEvent("\r"), extendedKey(72), extendedKey(59),
                                extendedKey(88)}) {
        EXPECT_EQ(DispatchMenuKey(key, 18), Drill(0)) << static_cast<int>(key.back());
    }
}

TEST(MainMenuDispatch, ClicksGoByRowWhateverTheColumn) {
    for (unsigned char event : {kClickPressed, kClickDouble}) {
        const KeyEvent click = clickEvent(event);
        for (int row = 8; row <= 17; ++row) EXPECT_EQ(DispatchMenuKey(click, row), Drill(row - 8));
        EXPECT_EQ(DispatchMenuKey(click, 18), kPractice);
        EXPECT_EQ(DispatchMenuKey(click, 19), kStudy);
        for (int row : {1, 7, 20, 43}) EXPECT_EQ(DispatchMenuKey(click, row), Drill(0)) << row;
    }
}

struct MenuRig : ScreenRig {
    RunState state;
    MenuRig() { screen.enableMouse(); }
    MenuChoice run() { return RunMainMenu(state, screen); }
};

TEST(MainMenuLoop, ClicksAndTheMenuWait) {
    MenuRig rig;
    rig.state.shownCounter = 12;
    rig.state.menuWait = 42;
    rig.terminal.idle(2000).escape().idle(3400).click(15, 97).doubleClick(19, 50);
    EXPECT_EQ(rig.run().action, MenuAction::Goodbye);
    EXPECT_EQ(rig.state.menuWait, 42) << "Esc does not count the wait";
    EXPECT_EQ(rig.run(), Drill(7));
    EXPECT_EQ(rig.state.menuWait, 3);
    EXPECT_EQ(rig.state.shownCounter, 0);
    EXPECT_EQ(rig.run(), kStudy);
    EXPECT_EQ(rig.run(), kStudy) << "the second event of a double-click is a click too";
}

TEST(MainMenuLoop, HelpThenAnyKeyShowsAFreshMenuWithoutPassingTheKeyOn) {
    MenuRig rig;
    rig.terminal.key("?").key("7").key("?").click(15, 40).key("s");
    EXPECT_EQ(rig.run(), kStudy);
    EXPECT_EQ(trimmedRow(rig.screen, 2), "") << "help page closed";
    EXPECT_EQ(textAt(rig.screen, 6, 33, 16), "<<< Pathwick >>>");
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
        EXPECT_TRUE(row == 21 || trimmedRow(rig.screen, row).empty()) << row;
        EXPECT_TRUE(allColors(rig.screen, row, 1, 100, 15, 1)) << row;
    }
}

// The drill's start screen shows the description line of the subelement the
// menu loaded, from row 16, column 15.
TEST(Program, MenuChoicesReachTheDrillOfTheirSubelement) {
    const auto drillShown = [](auto script) {
        ProgramRig rig;
        script(rig.terminal);
        EXPECT_THROW(RunProgram(rig.context), InputClosed);
        return textAt(rig.screen, 16, 15, 29);
    };
    const std::string t7 = "Module T7 - Station Equipment";
    const std::string t0 = "Module T0 \u2013 Electrical Safety";
    EXPECT_EQ(drillShown([](ScriptedTerminal& t) { t.key("7"); }), t7);
    EXPECT_EQ(drillShown([](ScriptedTerminal& t) { t.click(15, 99); }), t7);
    EXPECT_EQ(drillShown([](ScriptedTerminal& t) { t.key("x"); }), t0);
    EXPECT_EQ(drillShown([](ScriptedTerminal& t) { t.extended(80); }), t0);
    EXPECT_EQ(drillShown([](ScriptedTerminal& t) { t.extended(59); }), t0);
    EXPECT_EQ(drillShown([](ScriptedTerminal& t) { t.click(3, 10); }), t0);
}

TEST(Program, PracticeTestFromTheMenu) {
    for (const char* key : {"p", "P"}) {
        ProgramRig rig;
        rig.terminal.key(key);
        EXPECT_THROW(RunProgram(rig.context), InputClosed);
        EXPECT_EQ(colorsAt(rig.screen, 3, 1), "0/15") << key << ": the exam page is up";
    }
}

TEST(Program, StudyModeFromTheMenuAndBackToAFreshMenu) {
    ProgramRig rig;
    rig.terminal.key("S").key("x").enter();  // introduction, then an empty ID leaves
    EXPECT_THROW(RunProgram(rig.context), InputClosed);
    EXPECT_EQ(textAt(rig.screen, 6, 33, 16), "<<< Pathwick >>>") << dump(rig.screen);
    EXPECT_EQ(trimmedRow(rig.screen, 20), "");
    EXPECT_TRUE(allColors(rig.screen, 43, 1, 100, 15, 1));
}

}  // namespace
}  // namespace pathwick
