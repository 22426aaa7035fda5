#include <ctime>
#include <thread>

#include "console/clock.h"

namespace pathwick {

LocalTime SystemClock::now() const {
    timespec reading{};
    clock_gettime(CLOCK_REALTIME, &reading);
    tm local{};
    localtime_r(&reading.tv_sec, &local);
    return LocalTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                     local.tm_min,         local.tm_sec,     static_cast<int>(reading.tv_nsec / 1000000)};
}

UtcTime SystemClock::utcNow() const {
    return std::chrono::time_point_cast<std::chrono::milliseconds>(std::chrono::system_clock::now());
}

UtcTime SystemClock::utcOf(const LocalTime& local) const {
    tm fields{};
    fields.tm_year = local.year - 1900;
    fields.tm_mon = local.month - 1;
    fields.tm_mday = local.day;
    fields.tm_hour = local.hour;
    fields.tm_min = local.minute;
    fields.tm_sec = local.second;
    fields.tm_isdst = -1;  // summer time as the rules say for that date
    const time_t seconds = mktime(&fields);
    return UtcTime{std::chrono::seconds{seconds}} + std::chrono::milliseconds{local.millisecond};
}

void SystemClock::sleepFor(std::chrono::milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

}  // namespace pathwick
