#pragma once
// The moments the chances are read at. The chance on exam day is taken at
// 12:00 local time of the exam date, or now when there is no date or the
// date has gone by. Review looks ahead to the exam, or without one to the
// same time tomorrow: asked about "now", every question just answered would
// look learnt.
#include <optional>

#include "console/clock.h"

namespace pathwick {

struct CalendarDate {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31

    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

// Noon is taken by the time-zone rules in force on that date, so a move to
// another zone or into summer time moves the moment with the local day.
UtcTime ExamMoment(const Clock& clock, const std::optional<CalendarDate>& examDate);

// The exam's noon while it is ahead; otherwise a day from now.
UtcTime ReviewHorizon(const Clock& clock, const std::optional<CalendarDate>& examDate);

}  // namespace pathwick
