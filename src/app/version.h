#pragma once
#include <string_view>

namespace pathwick {

// Shown in the window title and by --version.
inline constexpr std::string_view kVersion = "2021.09.17a";

}  // namespace pathwick
