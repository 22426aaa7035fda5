#pragma once
#include "bank/pool_edition.h"
#include "bank/question_pool.h"

namespace pathwick {

// Copies the built-in block of `subelement` (0..9) of `edition` into rows
// 1.. of `pool`, writes the count with a leading blank into row 0, field 1
// and leaves "ENDofPOOL" in field 1 of the row after the last question.
// Nothing is cleared first: cells beyond what the block fills keep their
// text.
void LoadPool(int subelement, QuestionPool& pool, const PoolEdition& edition = Edition2018());

// The subelement a question ID or group code names by its second character
// ("T5A03" and "T5A" name 5); -1 when that is no digit.
int SubelementNamedBy(std::string_view id);

}  // namespace pathwick
