#pragma once
#include "console/counted_list.h"
#include "console/random_source.h"

namespace pathwick {

// Puts source entries 1..n (n = value of entry 0) into the empty target
// entries 1..n in random order, after seeding `random` from the time of day.
// Target entries above n are never touched. Returns false, changing nothing,
// when the target lacks n empty entries among 1..n or the source is not a
// valid list of n items (the draw could otherwise never finish).
bool PermuteList(const CountedList& source, CountedList& target, RandomSource& random);

}  // namespace pathwick
