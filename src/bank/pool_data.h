#pragma once
// The built-in blocks of the default pool, item by item. Each edition's
// blocks are compiled in from its data folder at build time; PoolEdition
// reads those of any edition. Text is Windows-1252 bytes, kept exactly.
#include <string_view>

#include "bank/pool_edition.h"

namespace pathwick {

// Number of items in the block of subelement 0..9.
inline int poolItemCount(int subelement) { return Edition2018().itemCount(subelement); }

// Item `index` (1-based) of the block; index 0 or past the end gives empty
// text, as does a subelement outside 0..9.
inline std::string_view poolItem(int subelement, int index) {
    return Edition2018().item(subelement, index);
}

}  // namespace pathwick
