#include "app/program.h"

#include <string>
#include <string_view>

#include "bank/load_pool.h"
#include "drill/drill_session.h"
#include "app/main_menu.h"
#include "app/help_screen.h"
#include "app/progress_screen.h"
#include "app/version.h"
#include "drill/review_session.h"
#include "drill/run_state.h"
#include "exam/practice_exam.h"
#include "study/study_mode.h"
#include "hints/hints_file.h"
#include "console/palette.h"

namespace pathwick {
namespace {

// The window title: product, author with call sign, "v" and the version.
constexpr std::string_view kTitleBeforeVersion = "Pathwick By The Pathwick Team (N0CALL) v";

void StartUp(RunState& state, ProgramContext& context) {
    std::string request = "Index";
    showHint(request, state.hintIndex, state.hintWindow, context.screen, context.desktop,
             context.hintsDirectory, context.edition.hintsFileName);

    ScreenLayer& screen = context.screen;
    screen.setConsoleWindowPosition(100, 50);
    screen.setTitle(std::string(kTitleBeforeVersion) + std::string(kVersion) +
                   std::string(context.edition.windowTitleSuffix));
    screen.setScreenSize(100, 43);
    screen.setColor(kPageForeground, kPageBackground);
    screen.hideCursor();
    screen.enableMouse();
    screen.clearScreen();
}

void ShowGoodbye(ScreenLayer& screen) {
    screen.setColor(kPageForeground, kPageBackground);
    screen.clearScreen();
    screen.locate(21, 28);
    screen.printText("Thanks for playing.  Have a real nice day.");
    screen.sleep(5000);
}

void StartPracticeTest(ProgramContext& context) {
    context.screen.clearScreen();
    context.screen.locate(21, 29);
    context.screen.printText("One moment please, preparing your test...");
    context.screen.present();
    RunPracticeExam(context);
}

// One menu choice carried out; false when the program is to end.
bool CarryOut(const MenuChoice& choice, RunState& state, ProgramContext& context) {
    switch (choice.action) {
    case MenuAction::Goodbye:
        return false;
    case MenuAction::Help:
        ShowHelpScreen(context.screen, context.edition);
        return true;
    case MenuAction::StudyMode:
        RunStudyMode(state.pool, state.hintIndex, context);
        return true;
    case MenuAction::PracticeTest:
        StartPracticeTest(context);
        return true;
    case MenuAction::Progress:
        ShowProgressScreen(context);
        return true;
    case MenuAction::Review:
        RunReviewSession(state, context);
        return true;
    case MenuAction::Drill:
        LoadPool(choice.subelement, state.pool, context.edition);
        state.descriptionLine = DescriptionLine(choice.subelement, context.edition);
        return RunDrillSession(state, context) == DrillOutcome::BackToMenu;
    }
    return true;
}

}  // namespace

void RunProgram(ProgramContext& context) {
    RunState state;
    StartUp(state, context);

    for (;;) {
        const MenuChoice choice = RunMainMenu(state, context.screen, context.edition, context.progress);
        if (choice.action != MenuAction::Goodbye) {
            state.clearAnsweredFlags();
            state.pool.clear();
        }
        if (!CarryOut(choice, state, context)) break;
    }
    ShowGoodbye(context.screen);
}

}  // namespace pathwick
