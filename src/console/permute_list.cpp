#include "console/permute_list.h"

namespace pathwick {

// Placeholder.
bool PermuteList(const CountedList&, CountedList&, RandomSource&) { return false; }

}  // namespace pathwick
