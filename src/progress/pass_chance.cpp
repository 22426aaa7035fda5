#include "progress/pass_chance.h"

#include <numeric>

namespace pathwick {

std::vector<double> ScoreDistribution(std::span<const double> groupChances) {
    std::vector<double> chanceOf(groupChances.size() + 1, 0.0);
    chanceOf[0] = 1;
    std::size_t groupsSoFar = 0;
    for (const double right : groupChances) {
        ++groupsSoFar;
        // From the top down, so that each entry still holds the score before this group.
        for (std::size_t score = groupsSoFar; score > 0; --score)
            chanceOf[score] = chanceOf[score] * (1 - right) + chanceOf[score - 1] * right;
        chanceOf[0] *= 1 - right;
    }
    return chanceOf;
}

double PassChance(std::span<const double> groupChances, int passMark) {
    if (passMark <= 0) return 1;
    if (static_cast<std::size_t>(passMark) > groupChances.size()) return 0;
    const std::vector<double> chanceOf = ScoreDistribution(groupChances);
    return std::accumulate(chanceOf.begin() + passMark, chanceOf.end(), 0.0);
}

}  // namespace pathwick
