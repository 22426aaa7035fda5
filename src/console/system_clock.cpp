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

void SystemClock::sleepFor(std::chrono::milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

}  // namespace pathwick
