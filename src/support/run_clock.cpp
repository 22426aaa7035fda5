#include "support/run_clock.h"

namespace pathwick {

// Placeholder.
std::int32_t dayNumberOf(std::string_view) { return 0; }
std::int64_t stampOf(std::string_view, std::string_view, const InvalidDateReport&) { return 0; }
std::string formatRunTime(std::int64_t) { return "00:00:00"; }

}  // namespace pathwick
