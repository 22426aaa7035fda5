#include "support/hints_file.h"

namespace pathwick {

// Placeholder.
void showHint(std::string& request, CountedList&, WindowHandle&, ScreenLayer&, Desktop&, const std::filesystem::path&) { request.clear(); }

}  // namespace pathwick
