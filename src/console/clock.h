#pragma once
// The local clock: date and time with milliseconds, and sleeping. Real: the
// system clock. Tests: a fake clock that sleeping advances.
#include <chrono>
#include <string>

namespace pathwick {

struct LocalTime {
    int year = 1980;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// A moment in UTC, to the millisecond: what is remembered is stamped with it,
// so that a change of time zone or of summer time moves nothing.
using UtcTime = std::chrono::sys_time<std::chrono::milliseconds>;

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime now() const = 0;
    virtual void sleepFor(std::chrono::milliseconds duration) = 0;
    // The same moment as now(), in UTC.
    virtual UtcTime utcNow() const = 0;
    // The UTC moment of a local date and time, by the time-zone rules in
    // force on that date.
    virtual UtcTime utcOf(const LocalTime& local) const = 0;
};

class SystemClock final : public Clock {
public:
    LocalTime now() const override;
    void sleepFor(std::chrono::milliseconds duration) override;
    UtcTime utcNow() const override;
    UtcTime utcOf(const LocalTime& local) const override;
};

// MM-DD-YYYY
std::string dateText(const Clock& clock);
// HH:MM:SS, 24-hour clock
std::string timeText(const Clock& clock);
// Seconds since local midnight with millisecond resolution.
double timerSeconds(const Clock& clock);

}  // namespace pathwick
