#include "support/fake_clock.h"

namespace pathwick::testing {

using namespace std::chrono;

FakeClock::FakeClock() { set(LocalTime{2026, 6, 15, 10, 0, 0, 0}); }

void FakeClock::set(const LocalTime& t) {
    const sys_days day = year{t.year} / month{static_cast<unsigned>(t.month)} /
                         std::chrono::day{static_cast<unsigned>(t.day)};
    now_ = time_point_cast<milliseconds>(day) + hours{t.hour} + minutes{t.minute} +
           seconds{t.second} + milliseconds{t.millisecond};
}

LocalTime FakeClock::now() const {
    const sys_days day = floor<days>(now_);
    const year_month_day date{day};
    const hh_mm_ss time{now_ - day};
    return LocalTime{int(date.year()),
                     static_cast<int>(unsigned(date.month())),
                     static_cast<int>(unsigned(date.day())),
                     static_cast<int>(time.hours().count()),
                     static_cast<int>(time.minutes().count()),
                     static_cast<int>(time.seconds().count()),
                     static_cast<int>(time.subseconds().count())};
}

}  // namespace pathwick::testing
