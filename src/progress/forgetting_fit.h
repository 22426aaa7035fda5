#pragma once
// The forgetting curve fitted to the learner's own answers. The memory
// model's curve fits its users on average; one learner may forget faster or
// slower, and more steeply, and gain more or less from repeating. Each later
// answer given at least half a day after the one before is counted by its
// class (the question answered once before, twice, or more often) and its
// bin, floor(4 log2(t / S)) within [-32, 31], with t the days since the
// answer before and S the stability then. Once 30 are
// counted, the curve R = (1 + F_d t / (k_c S))^(-d), F_d = 0.9^(-1/d) - 1,
// is the one of the grid of d and k_c that makes the counted answers most
// likely (each bin read at its middle, a right answer being recall or a
// guess right one time in four).
#include <array>

namespace pathwick {

class ForgettingCurve {
public:
    // The memory model's own curve.
    ForgettingCurve() = default;
    ForgettingCurve(int decayStep, std::array<int, 3> scaleSteps) : decayStep_(decayStep), scaleSteps_(scaleSteps) {}

    // The chance of recall `days` after an answer that left `stability`,
    // the question then answered `answers` times.
    double recall(double days, double stability, int answers) const;

    friend bool operator==(const ForgettingCurve&, const ForgettingCurve&) = default;

private:
    int decayStep_ = -1;  // into the grid of d; -1: the memory model's own
    std::array<int, 3> scaleSteps_{};  // k_c = 2^(step / 4)
};

struct ForgettingCount {
    int answers = 0;
    int right = 0;

    friend bool operator==(const ForgettingCount&, const ForgettingCount&) = default;
};

class ForgettingRecord {
public:
    static constexpr int kClasses = 3;
    static constexpr int kBins = 64;
    static constexpr int kEnoughAnswers = 30;
    using Counts = std::array<ForgettingCount, kClasses * kBins>;

    // A later answer, `days` after the one before, which left `stability`;
    // the question had been answered `answersBefore` times.
    void add(double days, double stability, int answersBefore, bool correct);
    ForgettingCurve fitted() const;

    const Counts& counts() const { return counts_; }
    // Puts back counts kept from an earlier replay.
    void restore(const Counts& counts) { counts_ = counts; }

private:
    Counts counts_{};
};

}  // namespace pathwick
