#include "progress/calendar_date_text.h"

#include <chrono>

#include "console/text_values.h"

namespace pathwick {
namespace {

// The number of `count` digits at `at`, or -1 when one of them is no digit.
int digitsAt(std::string_view text, std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

}  // namespace

std::string CalendarDateText(const CalendarDate& date) {
    return lastDigits(date.year, 4) + "-" + lastDigits(date.month, 2) + "-" + lastDigits(date.day, 2);
}

std::optional<CalendarDate> ParseCalendarDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    const CalendarDate date{digitsAt(text, 0, 4), digitsAt(text, 5, 2), digitsAt(text, 8, 2)};
    const std::chrono::year_month_day day{std::chrono::year{date.year}, std::chrono::month(unsigned(date.month)),
                                          std::chrono::day(unsigned(date.day))};
    if (date.year < 1 || date.month < 1 || date.day < 1 || !day.ok()) return std::nullopt;
    return date;
}

}  // namespace pathwick
