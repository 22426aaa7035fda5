// The exam score of three groups answered right with chances 1/2, 3/4 and
// 1/5 (wrong: 1/2, 1/4, 4/5), worked by hand:
//   P(0) = 1/2 * 1/4 * 4/5                                     = 0.1
//   P(1) = 1/2*1/4*4/5 + 1/2*3/4*4/5 + 1/2*1/4*1/5 = .1+.3+.025 = 0.425
//   P(2) = 1/2*3/4*4/5 + 1/2*1/4*1/5 + 1/2*3/4*1/5 = .3+.025+.075 = 0.4
//   P(3) = 1/2 * 3/4 * 1/5                                     = 0.075
// so passing takes at least mark k with chance 1, 0.9, 0.475, 0.075 for
// k = 0 .. 3, and nothing reaches 4.
#include <gtest/gtest.h>

#include "progress/pass_chance.h"

namespace pathwick::testing {
namespace {

TEST(PassChance, ThreeGroupsWorkedByHand) {
    const double groups[] = {0.5, 0.75, 0.2};
    const std::vector<double> distribution = ScoreDistribution(groups);
    const double scores[] = {0.1, 0.425, 0.4, 0.075};
    ASSERT_EQ(distribution.size(), 4u);
    for (std::size_t k = 0; k < 4; ++k) EXPECT_NEAR(distribution[k], scores[k], 1e-12) << k;

    const std::pair<int, double> marks[] = {{-1, 1}, {0, 1}, {1, 0.9}, {2, 0.475}, {3, 0.075}, {4, 0}};
    for (const auto& [mark, chance] : marks) EXPECT_NEAR(PassChance(groups, mark), chance, 1e-12) << mark;
}

}  // namespace
}  // namespace pathwick::testing
