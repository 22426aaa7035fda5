#pragma once
// The plain-text summary `pathwick --remember --progress` prints: one
// "name: value" line each, for scripts as much as for a glance.
#include <cstdint>
#include <string>

#include "bank/pool_edition.h"
#include "progress/readiness.h"

namespace pathwick {

std::string ProgressSummary(const PoolEdition& edition, const Standing& standing, std::int64_t answers);

}  // namespace pathwick
