#pragma once
// The built-in question pool: one read-only block of text items per
// subelement (seven items per question, then "ENDofPOOL"), compiled in from
// data/pool at build time. Text is Windows-1252 bytes, kept exactly.
#include <string_view>

namespace pathwick {

inline constexpr int kSubelementCount = 10;

// Number of items in the block of subelement 0..9.
int poolItemCount(int subelement);

// Item `index` (1-based) of the block; index 0 or past the end gives empty
// text, as does a subelement outside 0..9.
std::string_view poolItem(int subelement, int index);

}  // namespace pathwick
