#pragma once
// A clock that only moves when told to, or when the logic sleeps. Local
// time is UTC plus a fixed offset that a test may change (a move to another
// time zone).
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
    UtcTime utcNow() const override { return now_ - offset_; }
    UtcTime utcOf(const LocalTime& t) const override { return localMoment(t) - offset_; }

    void set(const LocalTime& t) { now_ = localMoment(t); }
    // Local time = UTC + offset; the UTC moment stays where it is.
    void setUtcOffset(std::chrono::minutes offset) {
        now_ += offset - offset_;
        offset_ = offset;
    }
    void advance(std::chrono::milliseconds duration) { now_ += duration; }
    std::chrono::milliseconds slept() const { return slept_; }

private:
    static UtcTime localMoment(const LocalTime& t) {
        using namespace std::chrono;
        return sys_days{year{t.year} / t.month / t.day} + hours{t.hour} + minutes{t.minute} + seconds{t.second} +
               milliseconds{t.millisecond};
    }

    // The local wall time, kept as if it were UTC.
    UtcTime now_{};
    std::chrono::minutes offset_{0};
    std::chrono::milliseconds slept_{0};
};

}  // namespace pathwick::testing
