#include "drill/question_screen.h"

namespace pathwick {

// Placeholder.
void DrawQuestionScreen(RunState&, ScreenLayer&) {}
void ShowPeekState(bool, ScreenLayer&) {}
void ShowQuestionIdLine(std::string_view, std::string_view, bool, ScreenLayer&) {}

}  // namespace pathwick
