#pragma once
// A clock that only moves when told to, or when the logic sleeps.
#include <chrono>

#include "console/clock.h"

namespace pathwick::testing {

class FakeClock final : public Clock {
public:
    FakeClock() : FakeClock(LocalTime{2026, 6, 15, 10, 0, 0, 0}) {}
    explicit FakeClock(const LocalTime& start) { set(start); }

    LocalTime now() const override {
        using namespace std::chrono;
        const sys_days day = floor<days>(now_);
        const year_month_day date{day};
        const hh_mm_ss time{now_ - day};
        return {int(date.year()), int(unsigned(date.month())), int(unsigned(date.day())), int(time.hours().count()),
                int(time.minutes().count()), int(time.seconds().count()), int(time.subseconds().count())};
    }
    void sleepFor(std::chrono::milliseconds duration) override { slept_ += duration, advance(duration); }

    void set(const LocalTime& t) {
        using namespace std::chrono;
        now_ = sys_days{year{t.year} / t.month / t.day} + hours{t.hour} + minutes{t.minute} +
               seconds{t.second} + milliseconds{t.millisecond};
    }
    void advance(std::chrono::milliseconds duration) { now_ += duration; }
    std::chrono::milliseconds slept() const { return slept_; }

private:
    std::chrono::sys_time<std::chrono::milliseconds> now_{};
    std::chrono::milliseconds slept_{0};
};

}  // namespace pathwick::testing
