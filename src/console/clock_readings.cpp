#include "console/clock.h"
#include "console/text_values.h"

namespace pathwick {

std::string dateText(const Clock& clock) {
    const LocalTime t = clock.now();
    return lastDigits(t.month, 2) + "-" + lastDigits(t.day, 2) + "-" + lastDigits(t.year, 4);
}

std::string timeText(const Clock& clock) {
    const LocalTime t = clock.now();
    return lastDigits(t.hour, 2) + ":" + lastDigits(t.minute, 2) + ":" + lastDigits(t.second, 2);
}

double timerSeconds(const Clock& clock) {
    const LocalTime t = clock.now();
    return t.hour * 3600.0 + t.minute * 60.0 + t.second + t.millisecond / 1000.0;
}

}  // namespace pathwick
