#pragma once
#include <string>
#include <string_view>

namespace pathwick {

// The first field of a typed line: leading blanks skipped; a field that
// starts with a double quote runs to the next double quote (or the end);
// otherwise it runs to the first comma (or the end), trailing blanks removed.
std::string FirstField(std::string_view line);

}  // namespace pathwick
