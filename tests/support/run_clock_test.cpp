#include "support/run_clock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pathwick {
namespace {

TEST(RunClock, DayNumbersAndStampsCountFrom1980) {
    EXPECT_EQ(dayNumberOf("01-01-1980"), 2444240);
    EXPECT_EQ(dayNumberOf("02-29-2000"), 2451604);
    EXPECT_EQ(dayNumberOf("03-01-2000"), 2451605);
    EXPECT_EQ(dayNumberOf("03-01-1900") - dayNumberOf("02-28-1900"), 1);  // no leap day
    std::vector<std::string> reports;
    const InvalidDateReport report = [&](std::string_view date, std::string_view time) {
        reports.push_back(std::string(date) + " " + std::string(time));
    };
    EXPECT_EQ(stampOf("00:00:00", "01-01-1980", report), 0);
    EXPECT_EQ(stampOf(" 23:59:59 ", " 01-02-1980 ", report), 86400 + 86399);
    // Across midnight the stamp keeps counting.
    EXPECT_EQ(stampOf("00:00:05", "06-16-2026", report) - stampOf("23:59:50", "06-15-2026", report), 15);
    // 01-19-2048 is day 24855 after 1980; 24855 * 86400 + 03:14:08 = 2^31.
    EXPECT_EQ(stampOf("03:14:08", "01-19-2048", report), 2147483648LL);
    EXPECT_EQ(stampOf("23:59:59", "01-20-2048", report), 24856LL * 86400 + 86399);
    EXPECT_TRUE(reports.empty());

    // Outside the range: 0, and the date is reported.
    EXPECT_EQ(stampOf("12:00:00", "12-31-1979", report), 0);
    EXPECT_EQ(stampOf("00:00:00 ", "01-21-2048", report), 0);
    EXPECT_EQ(reports, (std::vector<std::string>{"12-31-1979 12:00:00", "01-21-2048 00:00:00"}));
    EXPECT_EQ(stampOf("00:00:00", "garbage", nullptr), 0);  // no listener: no crash
}

TEST(RunClock, FormatRunTime) {
    for (auto [seconds, shown] : {std::pair{0L, "00:00:00"}, {3725L, "01:02:05"}, {359999L, "99:59:59"},
                                  {360000L, "ERROR"}, {-1L, "00:00:00"}, {-86400L, "00:00:00"}}) {
        EXPECT_EQ(formatRunTime(seconds), shown) << seconds;
    }
}

}  // namespace
}  // namespace pathwick
