#include "desktop/display_name.h"

namespace pathwick {

bool IsNetworkDisplay(std::string_view name) {
    const auto colon = name.rfind(':');
    if (colon == std::string_view::npos) return false;
    const std::string_view host = name.substr(0, colon);
    return !host.empty() && host != "unix" && host.front() != '/';
}

}  // namespace pathwick
