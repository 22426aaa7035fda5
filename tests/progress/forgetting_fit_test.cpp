// The forgetting curve fitted to a learner's later answers, and the store's
// cache of what it is fitted to.
#include <gtest/gtest.h>

#include "progress/forgetting_fit.h"
#include "progress/memory_model.h"

namespace pathwick::testing {
namespace {

TEST(ForgettingFit, TheModelsOwnCurveUntilThirtyCountedAnswersThenTheMostLikelyEachClassScaledApart) {
    ForgettingRecord record;
    EXPECT_DOUBLE_EQ(record.fitted().recall(400, 2.3065, 1), Retrievability(400, 2.3065));
    for (int i = 0; i < 100; ++i) record.add(0.49, 1, 2, false);  // within half a day: not counted
    for (int i = 0; i < 29; ++i) record.add(4, 2, 2, i % 2 == 0);
    EXPECT_EQ(record.fitted(), ForgettingCurve{}) << "29 are not enough";
    record.add(4, 2, 2, false);
    // Right half the time two stabilities on: recall 1/3 there (1/3 + 2/3 / 4 = 1/2).
    EXPECT_NEAR(record.fitted().recall(4, 2, 2), 1.0 / 3, 0.03);
    // Questions answered once before, eight stabilities on, right one time
    // in ten: their recall is all but gone, the others' stays.
    for (int i = 0; i < 60; ++i) record.add(8, 1, 1, i % 10 == 0);
    const ForgettingCurve fitted = record.fitted();
    EXPECT_LT(fitted.recall(8, 1, 1), 0.05);
    EXPECT_NEAR(fitted.recall(4, 2, 2), 1.0 / 3, 0.03);
}

}  // namespace
}  // namespace pathwick::testing
