// The run-time clock: day numbers, stamps and run times against worked values.
#include <gtest/gtest.h>

#include "drill/run_clock.h"

namespace pathwick::testing {
namespace {

TEST(RunClock, DayNumbersStampsAndRunTimes) {
    EXPECT_EQ((std::vector{dayNumberOf("01-01-1980"), dayNumberOf("03-01-2000"), dayNumberOf("02-29-2000"), dayNumberOf("12-31-1999"), dayNumberOf("0112-1980")}),
              (std::vector{2444240, 2451605, 2451604, 2451544, 2444241})) << "each field read from its place";
    int reports = 0;
    const auto stamp = [&](const char* time, const char* date) {
        return stampOf(time, date, [&](std::string_view, std::string_view) { ++reports; });
    };
    EXPECT_EQ((std::vector{stamp(" 00:00:00 ", " 01-01-1980 "), stamp("00:00:01", "01-02-1980"), stamp("01:01:01", "01-01-1980"),
                           stamp("23:59:59", "01-20-2048"), stamp("123456:78", "01-123-1980"), std::int64_t(reports)}),
              (std::vector<std::int64_t>{0, 86401, 3661, 86400LL * 24856 + 86399, 86400 * 11 + 3600 * 12 + 60 * 45 + 78, 0}))
        << "every field two characters wide, the year and the seconds the last ones";
    const std::int64_t invalid = stamp("12:00:00", "12-31-1979") + stamp("00:00:00", "01-21-2048");
    EXPECT_EQ(invalid * 10 + reports, 2) << "reported, stamp 0";
    const std::pair<std::int64_t, const char*> times[] = {
        {0, "00:00:00"},      {59, "00:00:59"},       {60, "00:01:00"},       {61, "00:01:01"},
        {3599, "00:59:59"},   {3600, "01:00:00"},     {3725, "01:02:05"},     {359999, "99:59:59"},
        {360000, "ERROR"},    {-5, "00:00:00"}};
    for (auto [seconds, text] : times) EXPECT_EQ(formatRunTime(seconds), text) << seconds;
}
}  // namespace
}  // namespace pathwick::testing
