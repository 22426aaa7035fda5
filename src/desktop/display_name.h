#pragma once
// What an X display name says about where its server runs.
#include <string_view>

namespace pathwick {

// True for a display reached over the network ("host:10.0", as `ssh -X`
// sets it); false for one on this machine (":0", "unix:0", a socket path)
// and for a name without a display number.
bool IsNetworkDisplay(std::string_view name);

}  // namespace pathwick
