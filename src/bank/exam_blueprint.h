#pragma once
// The question groups a practice test draws from, subelements 1 to 9 then
// 0, as an item list: each group's size, then its question IDs. It follows
// from the groups of the pool edition.
#include <string>

#include "bank/pool_edition.h"

namespace pathwick {

// Item `index` (1-based); empty text for 0 or past the end.
std::string blueprintItem(int index, const PoolEdition& edition);

}  // namespace pathwick
