#pragma once
// The program's one random source: a 32-bit linear congruential generator.
// Seeding with x sets the state to the bit pattern of x as a float; each draw
// steps state = state * 134775813 + 1 (mod 2^32) and yields
// u = (state >> 1) / 2^31 in [0, 1).
#include <cstdint>

#include "console/clock.h"

namespace pathwick {

class RandomSource {
public:
    explicit RandomSource(const Clock& clock) : clock_(clock) {}

    void seed(float value);
    // Seeds from the seconds since local midnight (with milliseconds).
    void seedFromTimer();
    // The next fraction in [0, 1).
    double next();
    // A whole number from lo to hi inclusive (lo not above hi).
    int between(int lo, int hi);

    std::uint32_t state() const { return state_; }

private:
    const Clock& clock_;
    std::uint32_t state_ = 0;
};

}  // namespace pathwick
