// The forgetting curve fitted to a learner's later answers, and the store's
// cache of what it is fitted to.
#include <gtest/gtest.h>

#include <cmath>

#include "progress/forgetting_fit.h"
#include "progress/memory_model.h"

namespace pathwick::testing {
namespace {

TEST(ForgettingFit, TheModelsOwnCurveUntilThirtyCountedAnswersThenTheMostLikelyEachClassScaledApart) {
    ForgettingRecord record;
    EXPECT_DOUBLE_EQ(record.fitted().recall(400, 2.3065, 1), Retrievability(400, 2.3065));
    for (int i = 0; i < 100; ++i) record.add(0.49, 1, 2, {}, false);  // within half a day: not counted
    for (int i = 0; i < 29; ++i) record.add(4, 2, 2, {}, i % 2 == 0);
    EXPECT_EQ(record.fitted(), ForgettingCurve{}) << "29 are not enough";
    record.add(4, 2, 2, {}, false);
    // Right half the time two stabilities on: recall 1/3 there (1/3 + 2/3 / 4 = 1/2).
    EXPECT_NEAR(record.fitted().recall(4, 2, 2), 1.0 / 3, 0.03);
    // Questions answered once before, eight stabilities on, right one time
    // in ten: their recall is all but gone, the others' stays.
    for (int i = 0; i < 60; ++i) record.add(8, 1, 1, {}, i % 10 == 0);
    const ForgettingCurve fitted = record.fitted();
    EXPECT_LT(fitted.recall(8, 1, 1), 0.05);
    EXPECT_NEAR(fitted.recall(4, 2, 2), 1.0 / 3, 0.03);
    // 90 answers after sittings of one answer; 60 a side are needed.
    for (int i = 0; i < 59; ++i) record.add(1, 1, 1, {2, 1}, true);
    EXPECT_EQ(record.fitted().repeats(), SittingRepeats::Unknown) << "59 asked again";
    record.add(1, 1, 1, {2, 1}, true);
    EXPECT_NE(record.fitted().repeats(), SittingRepeats::Unknown);
}

// Answers right exactly as often as the curve of decay 0.5 says, scaled
// 2^(-3/4) or 2^(-4/4) for questions answered twice before and 4 (the
// grid's largest) for those answered more often, at the middles of 21 bins:
// the fit finds those curves of its grid, and the class without answers
// keeps scale 1. The questions answered more often were asked again in the
// sitting before: 11 scale steps longer is not enough for repeats to pay,
// 12 is.
TEST(ForgettingFit, FindsTheGridCurveTheAnswersFollowAndWhetherRepeatsPay) {
    const auto curve = [](double x) { return std::pow(1 + (std::pow(0.9, -2.0) - 1) * x, -0.5); };
    for (const auto& [step, repeats] : {std::pair{-3, SittingRepeats::DoNotPay}, {-4, SittingRepeats::Pay}}) {
        ForgettingRecord record;
        const double scale = std::exp2(step / 4.0);
        for (const auto& [answers, k, sitting] : {std::tuple{2, scale, Sitting{1, 1}}, {3, 4.0, Sitting{2, 1}}}) {
            for (int bin = -4; bin <= 16; ++bin) {
                const double days = std::exp2((bin + 0.5) / 4), right = 1000 * (curve(days / k) * 0.75 + 0.25);
                for (int i = 0; i < 1000; ++i) record.add(days, 1, answers, sitting, i < std::lround(right));
            }
        }
        const ForgettingCurve fitted = record.fitted();
        for (const double days : {0.3, 2.0, 40.0}) {
            EXPECT_NEAR(fitted.recall(days, 1, 2), curve(days / scale), 1e-12) << days;
            EXPECT_NEAR(fitted.recall(days, 1, 5), curve(days / 4), 1e-12) << days;
            EXPECT_NEAR(fitted.recall(days, 3, 1), curve(days / 3), 1e-12) << days;
        }
        EXPECT_EQ(fitted.repeats(), repeats) << step;
    }
}

}  // namespace
}  // namespace pathwick::testing
