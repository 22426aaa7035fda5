#pragma once
// The progress screen of a run that remembers answers: per subelement what
// has been seen, what is solid and what the exam is expected to give; the
// practice tests taken; the chance to pass day by day; and a legend.
#include <string>

#include "bank/pool_edition.h"
#include "program_context.h"
#include "progress/readiness.h"

namespace pathwick {

// "Chance to pass today: 64 % – expected 27.3 of 35" (Windows-1252): the
// chance to a whole per cent, the expected score to one decimal.
std::string ChanceToPassLine(const Standing& standing, const PoolEdition& edition);
// With an exam date, today's chance beside the chance on that day if the user
// studied no more: "Chance to pass today: 64 % – on 2026-12-19: 52 %";
// without one, the line above.
std::string ChanceToPassLine(const Progress& progress, const PoolEdition& edition);

// Shows the screen until Esc (or a click on its label); "?" shows its help
// page, after which the screen is drawn again.
void ShowProgressScreen(ProgramContext& context);

}  // namespace pathwick
