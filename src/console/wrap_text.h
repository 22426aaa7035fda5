#pragma once
#include <string_view>

#include "console/counted_list.h"

namespace pathwick {

// Breaks `text` into lines of exactly `width` characters (padded with blanks)
// after the last blank that fits. Entry 0 of `lines` receives the line count.
// A word of `width` or more characters is broken at the width, and no more
// lines are produced than `lines` has room for.
void WrapText(std::string_view text, CountedList& lines, int width);

}  // namespace pathwick
