#include <cstdio>

#include "console/clock.h"

namespace pathwick {

std::string dateText(const Clock& clock) {
    const LocalTime t = clock.now();
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d-%02d-%04d", t.month % 100, t.day % 100,
                  t.year % 10000);
    return buffer;
}

std::string timeText(const Clock& clock) {
    const LocalTime t = clock.now();
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", t.hour % 100, t.minute % 100,
                  t.second % 100);
    return buffer;
}

double timerSeconds(const Clock& clock) {
    const LocalTime t = clock.now();
    return t.hour * 3600.0 + t.minute * 60.0 + t.second + t.millisecond / 1000.0;
}

}  // namespace pathwick
