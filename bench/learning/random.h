#pragma once
// A small seeded generator with its own uniform and normal draws, so a run
// gives the same numbers on every standard library.
#include <cmath>
#include <cstdint>

namespace pathwick::bench {

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {}

    std::uint64_t bits() {  // splitmix64
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double uniform() { return static_cast<double>(bits() >> 11) * 0x1.0p-53; }
    double uniform(double low, double high) { return low + (high - low) * uniform(); }
    bool chance(double p) { return uniform() < p; }
    int below(int n) { return static_cast<int>(uniform() * n); }
    double normal() {  // Box-Muller
        const double u = 1.0 - uniform();
        return std::sqrt(-2.0 * std::log(u)) * std::cos(2.0 * 3.141592653589793 * uniform());
    }

private:
    std::uint64_t state_;
};

}  // namespace pathwick::bench
