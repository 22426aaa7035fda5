#include "progress/exam_day.h"

#include <algorithm>

namespace pathwick {
namespace {

std::optional<UtcTime> noonAhead(const Clock& clock, const std::optional<CalendarDate>& examDate) {
    if (!examDate) return std::nullopt;
    const UtcTime noon = clock.utcOf(LocalTime{examDate->year, examDate->month, examDate->day, 12, 0, 0, 0});
    if (noon < clock.utcNow()) return std::nullopt;
    return noon;
}

}  // namespace

UtcTime ExamMoment(const Clock& clock, const std::optional<CalendarDate>& examDate) {
    // A chance on a day gone by would describe an exam already taken.
    return noonAhead(clock, examDate).value_or(clock.utcNow());
}

UtcTime ReviewHorizon(const Clock& clock, const std::optional<CalendarDate>& examDate) {
    return noonAhead(clock, examDate).value_or(clock.utcNow() + std::chrono::days{1});
}

}  // namespace pathwick
