#pragma once
// The user-editable hints file (hints.txt, or the pool edition's own): the
// index of IDs that offer a hint, built once, and the hint of one question,
// found afresh on every request.
#include <filesystem>
#include <string>
#include <string_view>

#include "console/counted_list.h"
#include "console/screen_layer.h"
#include "desktop/desktop.h"

namespace pathwick {

// "Index" fills `hintIndex`; any other request is a bare question ID whose
// hint is printed from row 29, column 2 (its picture opened through the
// desktop). The request is emptied in both cases. `directory` holds the
// hints file `fileName` and Figures/.
void showHint(std::string& request, CountedList& hintIndex, WindowHandle& hintWindow,
              ScreenLayer& screen, Desktop& desktop, const std::filesystem::path& directory,
              std::string_view fileName = "hints.txt");

}  // namespace pathwick
