#pragma once
// What the program keeps for the whole run and lends to the menu, the drill,
// the question screen and study mode.
#include <array>
#include <string>

#include "bank/question_pool.h"
#include "console/counted_list.h"
#include "desktop/desktop.h"

namespace pathwick {

inline constexpr int kAnsweredFlagsLast = 150;
inline constexpr int kHintIndexLast = 640;

enum class DrillOrder { Random, Sequential };

struct RunState {
    QuestionPool pool{kWorkTableLastRow};
    // 0 = still to ask, 1 = done; index 1..150.
    std::array<int, kAnsweredFlagsLast + 1> answeredFlags{};
    CountedList hintIndex{kHintIndexLast};
    WindowHandle hintWindow = 0;
    std::string figureMarker;
    WindowHandle figureWindow = 0;
    bool peekOn = false;
    DrillOrder order = DrillOrder::Sequential;
    int questionForeground = 0;
    int questionBackground = 15;
    int wrapWidth = 90;
    std::string answerSound = "#10";
    std::string descriptionLine;  // Windows-1252
    int menuWait = 0;             // whole seconds spent on the menu
    int shownCounter = 0;
    int current = 0;              // row of the question on screen

    void clearAnsweredFlags() { answeredFlags.fill(0); }
};

}  // namespace pathwick
