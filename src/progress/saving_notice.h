#pragma once
// The one line a screen shows once answers can no longer be saved (a full
// disk, a failed write): the drill and the test go on, and the user knows
// that what follows is not kept.
#include <string_view>

#include "console/screen_layer.h"
#include "progress/progress.h"

namespace pathwick {

inline constexpr std::string_view kSavingNotice = "Progress is no longer being saved.";

// Where the drill, the test page and their closing screens show it: row 27
// ends in column 99, clear of the drill's "The Correct Answer is:" line and
// of the test's review grid.
inline constexpr int kSavingNoticeRow = 27;
inline constexpr int kSavingNoticeColumn = 100 - static_cast<int>(kSavingNotice.size());

// Writes the notice in `foreground` on the page's background when progress
// is remembered and a write has failed; otherwise draws nothing. The
// screen's colours are as they were afterwards.
void ShowSavingNotice(const Progress& progress, ScreenLayer& screen, int foreground);

}  // namespace pathwick
