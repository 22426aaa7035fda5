#pragma once
// The memory of one question: the FSRS-6 model with its default weights.
// Stability S (days) is the time after which the chance of recall falls to
// 90 %; difficulty D (1 to 10) says how hard it is to raise S.
namespace pathwick {

enum class Rating { Again = 1, Hard = 2, Good = 3, Easy = 4 };

struct MemoryState {
    double stability = 0;
    double difficulty = 0;

    friend bool operator==(const MemoryState&, const MemoryState&) = default;
};

// The chance of recall `elapsedDays` (>= 0) after the last answer.
double Retrievability(double elapsedDays, double stability);

// The state after a question's first answer.
MemoryState FirstMemory(Rating rating);

// The state after a later answer, `elapsedDays` after the one before.
MemoryState NextMemory(const MemoryState& before, double elapsedDays, Rating rating);

}  // namespace pathwick
