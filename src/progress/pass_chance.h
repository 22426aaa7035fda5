#pragma once
// The score of an exam that asks one question from each group, group g
// answered right with chance p_g independently of the others.
#include <span>
#include <vector>

namespace pathwick {

// P(score = k) for k = 0 .. the number of groups, by convolution one group
// at a time.
std::vector<double> ScoreDistribution(std::span<const double> groupChances);

// P(score >= passMark).
double PassChance(std::span<const double> groupChances, int passMark);

}  // namespace pathwick
