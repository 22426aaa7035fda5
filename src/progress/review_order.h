#pragma once
// What to ask next. The exam takes one question from each group, so a
// question adds to the expected exam score what asking it now adds to its
// chance on exam day, divided by the size of its group: its worth. Questions
// never answered count with the chance of a question never seen, so unseen
// groups come early and a learner who knows little meets new questions.
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "bank/pool_edition.h"
#include "progress/question_states.h"
#include "progress/readiness.h"

namespace pathwick {

// One question as seen from now.
struct QuestionOutlook {
    double chance = 0;  // of a right answer on exam day if not asked again
    double gain = 0;    // what asking it now is expected to add to that
};

struct WorthyQuestion {
    std::string_view id;  // the edition's own ID text
    double chance = 0;
    double worth = 0;
    bool check = false;  // asked to check a question answered long ago, whatever its chance

    // A question solid on exam day is not worth asking (and, once seen, is
    // not due), unless as a check.
    bool asked() const { return check || !IsSolid(chance); }
};

using OutlookOf = std::function<QuestionOutlook(std::string_view id)>;

// Every question of the groups, highest worth (gain / group size) first;
// equal worth keeps the order of the groups and of the IDs within them.
std::vector<WorthyQuestion> OrderOfWorth(std::span<const ExamGroup> groups, const OutlookOf& outlook);

// The outlook the record gives: the chance of a right answer now, and the
// memory after a right or a wrong answer now, read at `examDay`.
QuestionOutlook OutlookFromRecord(const QuestionStates& states, std::string_view id, UtcTime now, UtcTime examDay);

// After every two questions below the line, a check: the question answered
// longest ago that is not asked already. By worth alone a review would leave
// alone every question it rates safe, and the chance shown for those would
// never be put to the test; the checks' answers keep the forgetting curve
// fitted to the whole pool, not only to the questions rated weak.
inline constexpr int kWorthyBetweenChecks = 2;
std::vector<WorthyQuestion> WithChecks(std::vector<WorthyQuestion> byWorth, const QuestionStates& states);

// The order of worth from the record, with its checks.
std::vector<WorthyQuestion> ReviewOrder(const QuestionStates& states, const PoolEdition& edition, UtcTime now,
                                        UtcTime examDay);

// Questions answered before whose chance on exam day is below the line.
int DueCount(const QuestionStates& states, const PoolEdition& edition, UtcTime examDay);

}  // namespace pathwick
