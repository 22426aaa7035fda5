#include "console/ask_choice.h"

namespace pathwick {

// Placeholder.
std::string AskChoice(ScreenLayer&, std::string_view, int, int, std::string_view option1, std::string_view) { return std::string(option1.substr(1, 1)); }

}  // namespace pathwick
