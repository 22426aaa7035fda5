#include "console/random_source.h"

#include <bit>
#include <cmath>

namespace pathwick {

void RandomSource::seed(float value) { state_ = std::bit_cast<std::uint32_t>(value); }

void RandomSource::seedFromTimer() { seed(static_cast<float>(timerSeconds(clock_))); }

double RandomSource::next() {
    state_ = state_ * 134775813u + 1u;
    return static_cast<double>(state_ >> 1) / 2147483648.0;
}

int RandomSource::between(int lo, int hi) {
    const double span = static_cast<double>(hi) - static_cast<double>(lo) + 1.0;
    return lo + static_cast<int>(std::floor(next() * span));
}

}  // namespace pathwick
