#pragma once
// The 35 question groups a practice test draws from, T1 to T9 then T0, as an
// item list: each group's size, then its question IDs.
#include <string>

namespace pathwick {

inline constexpr int kExamGroups = 35;

int blueprintItemCount();
// Item `index` (1-based); empty text for 0 or past the end.
std::string blueprintItem(int index);

}  // namespace pathwick
