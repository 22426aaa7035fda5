#pragma once
// Run time of a drill from the local date and time texts.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace pathwick {

// Julian day number of a date text MM-DD-YYYY (01-01-1980 gives 2444240).
std::int32_t dayNumberOf(std::string_view date);

// Told about a date outside the range a stamp can hold, with the date and
// time texts; the drill shows it on the screen and waits for a key.
using InvalidDateReport = std::function<void(std::string_view date, std::string_view time)>;

// Seconds since 01-01-1980 00:00:00 of a time text HH:MM:SS and a date text;
// for a date before 1980 or from 2048-01-21 on, calls `report` and gives 0.
// Computed in 64 bits so that the last days of the range come out right.
std::int64_t stampOf(std::string_view time, std::string_view date,
                     const InvalidDateReport& report);

// HH:MM:SS of a count of seconds; "ERROR" above 359999; a negative count
// (the clock set back) shows 00:00:00.
std::string formatRunTime(std::int64_t seconds);

}  // namespace pathwick
