#pragma once
// An exam date as the command line and the settings table write it: YYYY-MM-DD.
#include <optional>
#include <string>
#include <string_view>

#include "progress/exam_day.h"

namespace pathwick {

std::string CalendarDateText(const CalendarDate& date);

// Exactly four, two and two digits with dashes, naming a day of the calendar
// (2027-02-29 does not); nothing otherwise.
std::optional<CalendarDate> ParseCalendarDate(std::string_view text);

}  // namespace pathwick
