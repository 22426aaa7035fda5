#pragma once
// The numbers a candidate asks for: the chance to pass and the expected
// score at one moment, in total and per subelement, from the exam's
// blueprint (one question from each group) and the chance of each question.
#include <array>

#include "bank/pool_edition.h"
#include "console/clock.h"
#include "progress/question_states.h"

namespace pathwick {

// A question counts as solid when its chance of a right answer is at least
// this: the line of the standing, and the line below which review asks it.
inline constexpr double kSolidChance = 0.9;
constexpr bool IsSolid(double chance) { return chance >= kSolidChance; }

struct SubelementStanding {
    int questions = 0;      // in the pool
    int seen = 0;           // answered at least once
    int solid = 0;          // chance of a right answer >= kSolidChance
    int examQuestions = 0;  // its groups: the exam asks one of each
    double expectedRight = 0;  // the sum of its groups' chances
};

struct Standing {
    double passChance = 0;
    double expectedScore = 0;
    int examQuestions = 0;
    int passMark = 0;
    int seen = 0;
    std::array<SubelementStanding, kSubelementCount> subelements{};
};

// The standing at `when` of the edition's pool.
Standing StandingAt(const QuestionStates& states, const PoolEdition& edition, UtcTime when);

}  // namespace pathwick
