#include <gtest/gtest.h>

#include <string>

#include "app/program.h"
#include "support/screen_test.h"

namespace pathwick {
namespace {

using namespace pathwick::testing;

// The whole program on the 2026-2030 pool, run until its script of keys is
// used up.
struct CurrentPoolRig : ScreenRig {
    TempDirectory folder;
    ProgramContext current{screen, desktop, random, folder.path(), Edition2026()};
    void run() { EXPECT_THROW(RunProgram(current), InputClosed); }
};

TEST(CurrentPoolProgram, MenuAndHelpSayWhichPoolIsInUse) {
    CurrentPoolRig menu;
    menu.run();
    EXPECT_EQ(trimmedRow(menu.screen, 6), "                  <<< Pathwick \u2013 Technician Pool 2026-2030 >>>");
    EXPECT_EQ(trimmedRow(menu.screen, 9),
              "         1. SUBELEMENT T1 \u2013 Commission\u2019s Rules \u2013 [6 Exam Questions - 6 Groups]");

    CurrentPoolRig help;
    help.terminal.key("?");
    help.run();
    EXPECT_EQ(trimmedRow(help.screen, 23), "  Class Exam, effective 7/01/2026-6/30/2030");
}

// Both pools have a T1A01, each a different question: a hint written for
// one pool must never show under the other's.
TEST(CurrentPoolProgram, DrillShowsTheCurrentQuestionWithItsOwnHintsOnly) {
    for (const bool ownHints : {false, true}) {
        CurrentPoolRig rig;
        rig.folder.write("hints.txt", "T1A01: A hint on the 2018-2022 question. [old]\r\n");
        if (ownHints) rig.folder.write("hints-2026-2030.txt", "T1A01: Basis and Purpose. [97.1]\r\n");
        rig.terminal.key("1").key("s").type("1").enter().key("h");
        rig.run();
        EXPECT_EQ(trimmedRow(rig.screen, 2), " Question ID: T1A01  Module T1 \u2013 Commission\u2019s Rules");
        EXPECT_EQ(textAt(rig.screen, 4, 5, 60),
                  "001. Which of the following is part of the Basis and Purpose");
        EXPECT_EQ(textAt(rig.screen, 25, 80, 4), ownHints ? "Hint" : "    ");
        EXPECT_EQ(trimmedRow(rig.screen, 29), ownHints ? " Basis and Purpose. [97.1]" : "");
    }
}

TEST(CurrentPoolProgram, StudyModeFindsAQuestionTheOldPoolLacks) {
    CurrentPoolRig rig;
    rig.terminal.key("s").key("x").type("t1d12").enter();
    rig.run();
    EXPECT_EQ(trimmedRow(rig.screen, 2), "         Question ID: T1D12");
}

}  // namespace
}  // namespace pathwick
