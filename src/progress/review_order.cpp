#include "progress/review_order.h"

#include <algorithm>

namespace pathwick {
std::vector<WorthyQuestion> OrderOfWorth(std::span<const ExamGroup> groups, const OutlookOf& outlook) {
    std::vector<WorthyQuestion> order;
    for (const ExamGroup& group : groups) {
        const double size = static_cast<double>(group.ids.size());
        for (const std::string_view id : group.ids) {
            const QuestionOutlook seen = outlook(id);
            order.push_back({id, seen.chance, seen.gain / size});
        }
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const WorthyQuestion& a, const WorthyQuestion& b) { return a.worth > b.worth; });
    return order;
}

QuestionOutlook OutlookFromRecord(const QuestionStates& states, std::string_view id, UtcTime now, UtcTime examDay) {
    const auto known = states.find(id);
    const auto chanceThenAfter = [&](Rating rating) {
        const MemoryState memory =
            known ? NextMemory(known->memory, ElapsedDays(known->lastAnswer, now), rating) : FirstMemory(rating);
        return states.chanceOf({memory, now, known ? known->answers + 1 : 1, Sitting{}}, examDay);
    };
    const double rightNow = states.chance(id, now);
    const double chance = states.chance(id, examDay);
    const double asked = rightNow * chanceThenAfter(Rating::Good) + (1 - rightNow) * chanceThenAfter(Rating::Again);
    return {chance, asked - chance};
}

std::vector<WorthyQuestion> WithChecks(std::vector<WorthyQuestion> byWorth, const QuestionStates& states) {
    std::vector<std::pair<UtcTime, std::size_t>> oldestFirst;  // answered questions by their last answer
    for (std::size_t i = 0; i < byWorth.size(); ++i) {
        if (const auto known = states.find(byWorth[i].id)) oldestFirst.emplace_back(known->lastAnswer, i);
    }
    std::stable_sort(oldestFirst.begin(), oldestFirst.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<bool> taken(byWorth.size(), false);
    std::vector<WorthyQuestion> order;
    auto nextCheck = oldestFirst.begin();
    int worthySinceCheck = 0;
    for (std::size_t i = 0; i < byWorth.size(); ++i) {
        if (taken[i] || IsSolid(byWorth[i].chance)) continue;
        taken[i] = true;
        order.push_back(byWorth[i]);
        if (++worthySinceCheck < kWorthyBetweenChecks) continue;
        while (nextCheck != oldestFirst.end() && taken[nextCheck->second]) ++nextCheck;
        if (nextCheck == oldestFirst.end()) continue;
        taken[nextCheck->second] = true;
        order.push_back(byWorth[nextCheck->second]);
        order.back().check = true;
        worthySinceCheck = 0;
    }
    for (std::size_t i = 0; i < byWorth.size(); ++i) {
        if (!taken[i]) order.push_back(byWorth[i]);
    }
    return order;
}

std::vector<WorthyQuestion> ReviewOrder(const QuestionStates& states, const PoolEdition& edition, UtcTime now,
                                        UtcTime examDay) {
    return WithChecks(
        OrderOfWorth(edition.groups, [&](std::string_view id) { return OutlookFromRecord(states, id, now, examDay); }),
        states);
}

int DueCount(const QuestionStates& states, const PoolEdition& edition, UtcTime examDay) {
    int due = 0;
    for (const ExamGroup& group : edition.groups) {
        for (const std::string_view id : group.ids) {
            if (states.find(id) && !IsSolid(states.chance(id, examDay))) ++due;
        }
    }
    return due;
}

}  // namespace pathwick
