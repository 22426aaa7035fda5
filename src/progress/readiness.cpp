#include "progress/readiness.h"

#include <vector>

#include "progress/pass_chance.h"

namespace pathwick {
namespace {

// The subelement of a group ("T1A" belongs to 1), or -1 for a code that names none.
int subelementOf(std::string_view groupCode) {
    if (groupCode.size() < 2 || groupCode[1] < '0' || groupCode[1] > '9') return -1;
    return groupCode[1] - '0';
}

// The chance the exam's question from `group` is answered right: the mean of
// its questions' chances. Counts its questions into `standing` on the way.
double groupChance(const ExamGroup& group, const QuestionStates& states, UtcTime when,
                   SubelementStanding& standing) {
    double sum = 0;
    for (const std::string_view id : group.ids) {
        const double chance = states.chance(id, when);
        sum += chance;
        ++standing.questions;
        if (states.find(id)) ++standing.seen;
        if (IsSolid(chance)) ++standing.solid;
    }
    return group.ids.empty() ? 0 : sum / static_cast<double>(group.ids.size());
}

}  // namespace

Standing StandingAt(const QuestionStates& states, const PoolEdition& edition, UtcTime when) {
    Standing standing;
    standing.passMark = edition.passMark;
    standing.examQuestions = static_cast<int>(edition.groups.size());
    std::vector<double> groupChances;
    groupChances.reserve(edition.groups.size());
    SubelementStanding unnamed;  // the counts of a group whose code names no subelement
    for (const ExamGroup& group : edition.groups) {
        const int subelement = subelementOf(group.code);
        SubelementStanding& part =
            subelement < 0 ? unnamed : standing.subelements[static_cast<std::size_t>(subelement)];
        const double chance = groupChance(group, states, when, part);
        groupChances.push_back(chance);
        ++part.examQuestions;
        part.expectedRight += chance;
        standing.expectedScore += chance;
    }
    standing.seen = unnamed.seen;
    for (const SubelementStanding& part : standing.subelements) standing.seen += part.seen;
    standing.passChance = PassChance(groupChances, edition.passMark);
    return standing;
}

}  // namespace pathwick
