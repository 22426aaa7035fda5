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
//
// The same later answers are counted once more by whether the sitting
// before held one answer to the question or more, in bins of the stability
// its first answer left: the review decides whether a question comes back
// before anything follows from that first answer, so the two sides differ
// only by the repeat. Once each side has 60, repeats pay when the repeated
// side's fitted scale, at the curve's d, is at least 12 steps (8 times)
// longer. A repeat always helps that question somewhat; the line asks that
// it help so much that it beats spending the answer on another question.
// It was set where the review needed fewest answers on simulated learners
// of two kinds, one whose every recall lengthens its memory and one for
// whom massed repeats fade fast.
#include <array>
#include <cstddef>

namespace pathwick {

// Whether answering a question again in the same sitting (less than half a
// day after the answer before) leaves it better remembered on a later day,
// as the learner's own answers show. For some learners a repeat minutes
// later is worth as much as one a day later; for others massed repeats fade
// by the next day and the answer is better spent on another question.
enum class SittingRepeats { Unknown, Pay, DoNotPay };
inline constexpr double kSittingGapDays = 0.5;

// A question's latest sitting: its answers, and the stability its first
// answer left.
struct Sitting {
    int answers = 1;
    double firstStability = 0;

    friend bool operator==(const Sitting&, const Sitting&) = default;
};

class ForgettingCurve {
public:
    // The memory model's own curve.
    ForgettingCurve() = default;
    ForgettingCurve(int decayStep, std::array<int, 3> scaleSteps, SittingRepeats repeats = SittingRepeats::Unknown)
        : decayStep_(decayStep), scaleSteps_(scaleSteps), repeats_(repeats) {}

    // The chance of recall `days` after an answer that left `stability`,
    // the question then answered `answers` times.
    double recall(double days, double stability, int answers) const;
    SittingRepeats repeats() const { return repeats_; }

    friend bool operator==(const ForgettingCurve&, const ForgettingCurve&) = default;

private:
    int decayStep_ = -1;  // into the grid of d; -1: the memory model's own
    std::array<int, 3> scaleSteps_{};  // k_c = 2^(step / 4)
    SittingRepeats repeats_ = SittingRepeats::Unknown;
};

struct ForgettingCount {
    int answers = 0;
    int right = 0;

    friend bool operator==(const ForgettingCount&, const ForgettingCount&) = default;
};

class ForgettingRecord {
public:
    static constexpr int kClasses = 3;
    // The same answers once more, by whether the sitting before held one
    // answer to the question or more.
    static constexpr int kSittingClasses = 2;
    static constexpr int kBins = 64;
    static constexpr int kEnoughAnswers = 30;
    static constexpr int kEnoughPerSittingClass = 60;
    static constexpr int kPayingScaleSteps = 12;
    using Counts = std::array<ForgettingCount, (kClasses + kSittingClasses) * kBins>;

    // A later answer, `days` after the one before, which left `stability`;
    // the question had been answered `answersBefore` times.
    void add(double days, double stability, int answersBefore, const Sitting& before, bool correct);
    ForgettingCurve fitted() const;

    const Counts& counts() const { return counts_; }
    // Puts back counts kept from an earlier replay.
    void restore(const Counts& counts) { counts_ = counts; }

private:
    struct ClassFit {
        double likelihood;
        int step;
    };
    ClassFit fitClass(std::size_t decay, int c) const;
    int answersOf(int c) const;
    SittingRepeats repeatsFor(std::size_t decay) const;

    Counts counts_{};
};

}  // namespace pathwick
