#include "drill/run_clock.h"

#include <algorithm>

#include "console/text_values.h"

namespace pathwick {
namespace {

constexpr std::int32_t kDayNumber1980 = 2444240;
// Day 24857 after 01-01-1980 is the first the 32-bit stamp range never held.
constexpr std::int64_t kDaysInRange = 24857;
constexpr std::int64_t kLongestRunTime = 359999;

// The numeric value of `length` characters from 0-based `start`; missing
// characters read as nothing.
std::int64_t numberAt(std::string_view text, std::size_t start, std::size_t length) {
    return wholeValueOf(text.substr(std::min(start, text.size()), length));
}

std::int64_t lastNumber(std::string_view text, std::size_t length) {
    return wholeValueOf(text.substr(text.size() - std::min(length, text.size())));
}

}  // namespace

std::int32_t dayNumberOf(std::string_view date) {
    std::int64_t m = numberAt(date, 0, 2);
    const std::int64_t d = numberAt(date, 3, 2);
    std::int64_t y = lastNumber(date, 4);
    // Years run from March, so that the leap day is the last day of a year.
    if (m > 2) {
        m -= 3;
    } else {
        m += 9;
        y -= 1;
    }
    const std::int64_t c = y / 100;
    const std::int64_t a = y % 100;
    return static_cast<std::int32_t>((146097 * c) / 4 + (1461 * a) / 4 + (153 * m + 2) / 5 + d +
                                     1721119);
}

std::int64_t stampOf(std::string_view time, std::string_view date,
                     const InvalidDateReport& report) {
    time = trimBlanks(time);
    date = trimBlanks(date);
    const std::int64_t days = std::int64_t{dayNumberOf(date)} - kDayNumber1980;
    const std::int64_t secs =
        3600 * numberAt(time, 0, 2) + 60 * numberAt(time, 3, 2) + lastNumber(time, 2);
    if (days >= 0 && days < kDaysInRange) return 86400 * days + secs;
    if (report) report(date, time);
    return 0;
}

std::string formatRunTime(std::int64_t seconds) {
    if (seconds > kLongestRunTime) return "ERROR";
    // A clock set back during a drill would give a negative run time.
    if (seconds < 0) seconds = 0;
    const std::int64_t h = seconds / 3600;
    const std::int64_t m = (seconds - 3600 * h) / 60;
    const std::int64_t s = seconds - 3600 * h - 60 * m;
    return lastDigits(h, 2) + ":" + lastDigits(m, 2) + ":" + lastDigits(s, 2);
}

}  // namespace pathwick
