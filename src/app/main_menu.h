#pragma once
// The main menu: its page, the rule that turns a key or click into a choice,
// and the description line of each subelement.
#include <string_view>

#include "bank/pool_edition.h"
#include "console/key_event.h"
#include "console/screen_layer.h"
#include "drill/run_state.h"
#include "progress/progress.h"

namespace pathwick {

enum class MenuAction { Goodbye, Help, Drill, PracticeTest, StudyMode, Progress, Review };

struct MenuChoice {
    MenuAction action = MenuAction::Drill;
    int subelement = 0;  // 0..9 when action is Drill

    friend bool operator==(const MenuChoice&, const MenuChoice&) = default;
};

// Draws the menu page of the edition in 15 on 1 from a cleared screen. When
// progress is remembered the page also offers "M. My progress" and "R. Review"
// with the count of questions due, and tells the chance to pass.
void DrawMainMenu(ScreenLayer& screen, const PoolEdition& edition = Edition2018(),
                  const Progress& progress = NothingRemembered());

// What one key or click on the menu asks for. `mouseRow` is looked at only
// for a click. No key is refused: anything unrecognised drills T0 (so do
// M and R while progress is not remembered).
MenuChoice DispatchMenuKey(std::string_view key, int mouseRow, bool remembers = false);

// Shows the menu and returns the user's choice. Resets `state.shownCounter`
// and stores the whole seconds spent on the menu in `state.menuWait` (not
// for Esc).
MenuChoice RunMainMenu(RunState& state, ScreenLayer& screen,
                       const PoolEdition& edition = Edition2018(),
                       const Progress& progress = NothingRemembered());

// The long name of subelement 0..9 (Windows-1252); its text before the first
// colon is the short name on the question screen.
std::string_view DescriptionLine(int subelement, const PoolEdition& edition = Edition2018());

}  // namespace pathwick
