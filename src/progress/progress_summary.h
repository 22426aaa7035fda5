#pragma once
// The plain-text summary `pathwick --remember --progress` prints: one
// "name: value" line each, for scripts as much as for a glance.
#include <cstdint>
#include <string>

#include "bank/pool_edition.h"
#include "progress/progress.h"

namespace pathwick {

// The numbers of the standing now, then the next questions a review would
// ask and, with an exam date, the chance to pass on that day.
std::string ProgressSummary(const PoolEdition& edition, const Progress& progress, std::int64_t answers);

}  // namespace pathwick
