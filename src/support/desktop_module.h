#pragma once
// The loadable desktop module's entry point (pathwick-desktop.so).
#include <memory>

#include "console/forwarded_keys.h"
#include "support/desktop.h"

namespace pathwick {

inline constexpr char kDesktopModuleName[] = "pathwick-desktop.so";
inline constexpr char kDesktopEntryName[] = "pathwick_make_desktop";

using DesktopEntry = void (*)(ForwardedKeys&, std::unique_ptr<Desktop>&);

}  // namespace pathwick

extern "C" void pathwick_make_desktop(pathwick::ForwardedKeys& keys,
                                      std::unique_ptr<pathwick::Desktop>& desktop);
