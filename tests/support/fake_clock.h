#pragma once
// A clock that only moves when told to, or when the logic sleeps.
#include <chrono>

#include "console/clock.h"

namespace pathwick::testing {

class FakeClock final : public Clock {
public:
    FakeClock();  // 06-15-2026 10:00:00.000
    explicit FakeClock(const LocalTime& start) { set(start); }

    LocalTime now() const override;
    void sleepFor(std::chrono::milliseconds duration) override {
        slept_ += duration;
        advance(duration);
    }

    void set(const LocalTime& time);
    void advance(std::chrono::milliseconds duration) { now_ += duration; }
    std::chrono::milliseconds slept() const { return slept_; }

private:
    std::chrono::sys_time<std::chrono::milliseconds> now_{};
    std::chrono::milliseconds slept_{0};
};

}  // namespace pathwick::testing
