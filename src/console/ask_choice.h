#pragma once
#include <string>
#include <string_view>

#include "console/screen_layer.h"

namespace pathwick {

// Asks a question with two bracketed one-letter options ("[Y]", "[N]") by key
// or by a click on an option's letter, closing bracket or the column after.
// A positive `row` writes the prompt there first; a negative one (minus the
// row) means it is already on screen. Returns the chosen letter, upper case.
// Leaves the colours at 14 on 4.
std::string AskChoice(ScreenLayer& screen, std::string_view prompt, int row, int column,
                      std::string_view option1, std::string_view option2);

}  // namespace pathwick
