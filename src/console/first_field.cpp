#include "console/first_field.h"

namespace pathwick {

// Placeholder.
std::string FirstField(std::string_view line) { return std::string(line); }

}  // namespace pathwick
