#include <gtest/gtest.h>

#include "console/random_source.h"
#include "support/fake_clock.h"

namespace pathwick {
namespace {

// Worked by hand: state = state * 0x08088405 + 1 (mod 2^32), u = (state >> 1) / 2^31.
// Seed 1.0f = 0x3F800000 -> 0x3D800001, u = 492/2048 -> between(1, 100) = 25;
// then 0x3B888406, u = 499401219/2^31 = 0.2325... -> 24.
TEST(RandomSource, DrawsFollowTheGeneratorForAKnownSeed) {
    testing::FakeClock clock;
    RandomSource random(clock);
    random.seed(1.0f);
    EXPECT_EQ(random.state(), 0x3F800000u);
    EXPECT_EQ(random.between(1, 100), 25);
    EXPECT_EQ(random.state(), 0x3D800001u);
    EXPECT_EQ(random.between(1, 100), 24);
    EXPECT_EQ(random.state(), 0x3B888406u);

    random.seed(1.0f);
    EXPECT_DOUBLE_EQ(random.next(), 0.240234375);
    EXPECT_DOUBLE_EQ(random.next(), 499401219.0 / 2147483648.0);

    random.seed(0.0f);  // state 1, u = 0: the lowest value
    EXPECT_EQ(random.between(7, 9), 7);
    EXPECT_EQ(random.state(), 1u);
    EXPECT_EQ(random.between(5, 5), 5);
}

// 10:00:00.500 is 36000.5 s = 1.00011001010000010b * 2^15 -> float bits 0x470CA080.
TEST(RandomSource, SeedsFromTheTimeOfDay) {
    testing::FakeClock clock(LocalTime{2026, 6, 15, 10, 0, 0, 500});
    RandomSource random(clock);
    random.seedFromTimer();
    EXPECT_EQ(random.state(), 0x470CA080u);
}

TEST(RandomSource, DrawsStayInRange) {
    testing::FakeClock clock;
    RandomSource random(clock);
    random.seed(12345.678f);
    for (int i = 0; i < 10000; ++i) {
        const double u = random.next();
        ASSERT_GE(u, 0.0);
        ASSERT_LT(u, 1.0);
        const int r = random.between(-3, 3);
        ASSERT_GE(r, -3);
        ASSERT_LE(r, 3);
    }
}

}  // namespace
}  // namespace pathwick
