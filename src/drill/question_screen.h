#pragma once
#include <string_view>

#include "console/screen_layer.h"
#include "drill/run_state.h"

namespace pathwick {

// Draws the drill question of row `state.current` over the screen (frame,
// answer bar, peek indicator, ID line, short name, "Hint" prompt, wrapped
// question and choices) without clearing it first.
void DrawQuestionScreen(RunState& state, ScreenLayer& screen);

// "Peek Off" in black on grey, or "Peek On" in yellow on red, at (25, 90);
// the cell "Peek On" leaves free is blanked in the colours set before, and
// the colours are left at the label's.
void ShowPeekState(bool peekOn, ScreenLayer& screen);

// Row 2 with "Question ID: " and the ID field, the peek marker on row 23 and
// the rule on row 3.
void ShowQuestionIdLine(std::string_view idField, std::string_view keyLetter, bool peekOn,
                        ScreenLayer& screen);

}  // namespace pathwick
