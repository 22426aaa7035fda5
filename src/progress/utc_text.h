#pragma once
// The text form of a moment in the answers table: UTC as
// YYYY-MM-DDTHH:MM:SS.sssZ, which sorts as it reads.
#include <optional>
#include <string>
#include <string_view>

#include "console/clock.h"

namespace pathwick {

std::string UtcText(UtcTime moment);

// Reads what UtcText writes, and the near forms other tools write into the
// table by hand: a blank for the T, fewer or no fractional digits, no Z.
// Nothing for anything else, or for a date that does not exist.
std::optional<UtcTime> ParseUtcText(std::string_view text);

}  // namespace pathwick
