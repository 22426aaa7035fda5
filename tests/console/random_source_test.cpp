#include <gtest/gtest.h>

#include "console/random_source.h"
#include "support/fake_clock.h"

namespace pathwick {
namespace {

// Seed 1.0f: the float's bits are 0x3F800000 (exponent 127, mantissa 0).
//
// Draw 1: 0x3F800000 * 0x08088405 (134775813) mod 2^32. The seed is
//   0x3F8 << 20, so only 0x08088405 mod 2^12 = 0x405 matters:
//   0x3F8 * 0x405 = 1016 * 1029 = 1045464 = 0xFF3D8 -> low 12 bits 0x3D8,
//   product = 0x3D800000; + 1 = 0x3D800001.
//   u = 0x1EC00000 / 2^31 = 0x1EC / 2^11 = 492 / 2048 = 0.240234375.
//   between(1, 100) = 1 + floor(24.0234375) = 25.
// Draw 2: 0x3D800001 * 0x08088405 + 1
//   = 0x3D800000 * 0x08088405 + 0x08088405 + 1.
//   0x3D8 * 0x405 = 984 * 1029 = 1012536 = 0xF7338 -> 0x338, so the first
//   term is 0x33800000; 0x33800000 + 0x08088405 + 1 = 0x3B888406.
//   u = 0x1DC44203 / 2^31 = 499401219 / 2147483648 = 0.23255...
//   between(1, 100) = 1 + floor(23.255...) = 24.
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
}

// Seed 0: draw 1 gives state 1, u = (1 >> 1) / 2^31 = 0, so the lowest value.
TEST(RandomSource, ZeroSeedFirstDrawIsLo) {
    testing::FakeClock clock;
    RandomSource random(clock);
    random.seed(0.0f);
    EXPECT_EQ(random.between(7, 9), 7);
    EXPECT_EQ(random.state(), 1u);
    EXPECT_EQ(random.between(5, 5), 5);
}

// 10:00:00.500 is 36000.5 seconds = 1000110010100000.1b = 1.00011001010000010b * 2^15:
// sign 0, exponent 15 + 127 = 0x8E, mantissa 0001 1001 0100 0001 0000 000
// -> 0 10001110 00011001010000010000000 = 0x470CA080.
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
