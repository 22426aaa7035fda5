#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/run_clock.h"

namespace pathwick {
namespace {

struct Reports {
    std::vector<std::string> seen;
    InvalidDateReport callback() {
        return [this](std::string_view date, std::string_view time) {
            seen.push_back(std::string(date) + " " + std::string(time));
        };
    }
};

TEST(RunClock, DayNumbers) {
    EXPECT_EQ(dayNumberOf("01-01-1980"), 2444240);
    EXPECT_EQ(dayNumberOf("03-01-2000"), 2451605);
    EXPECT_EQ(dayNumberOf("02-29-2000"), 2451604);
    EXPECT_EQ(dayNumberOf("12-31-1979"), 2444239);
    EXPECT_EQ(dayNumberOf("03-01-1900") - dayNumberOf("02-28-1900"), 1);  // no leap day
}

TEST(RunClock, StampsCountFrom1980) {
    Reports reports;
    EXPECT_EQ(stampOf("00:00:00", "01-01-1980", reports.callback()), 0);
    EXPECT_EQ(stampOf("00:00:01", "01-02-1980", reports.callback()), 86401);
    EXPECT_EQ(stampOf(" 23:59:59 ", " 01-01-1980 ", reports.callback()), 86399);
    // Across midnight the stamp keeps counting.
    EXPECT_EQ(stampOf("00:00:05", "06-16-2026", reports.callback()) -
                  stampOf("23:59:50", "06-15-2026", reports.callback()),
              15);
    EXPECT_TRUE(reports.seen.empty());
}

// 01-19-2048 is day 24855 after 1980 (68 years with 17 leap days = 24837,
// plus 18); 24855 * 86400 = 2147472000, and 03:14:08 adds 11648 = 2^31.
TEST(RunClock, LastDaysOfTheRangeNeed64Bits) {
    Reports reports;
    EXPECT_EQ(stampOf("03:14:08", "01-19-2048", reports.callback()), 2147483648LL);
    EXPECT_EQ(stampOf("23:59:59", "01-20-2048", reports.callback()), 24856LL * 86400 + 86399);
    EXPECT_TRUE(reports.seen.empty());
}

TEST(RunClock, DatesOutsideTheRangeAreReported) {
    Reports reports;
    EXPECT_EQ(stampOf("12:00:00", "12-31-1979", reports.callback()), 0);
    EXPECT_EQ(stampOf("00:00:00 ", "01-21-2048", reports.callback()), 0);
    const std::vector<std::string> expected{"12-31-1979 12:00:00", "01-21-2048 00:00:00"};
    EXPECT_EQ(reports.seen, expected);
    EXPECT_EQ(stampOf("00:00:00", "garbage", nullptr), 0);  // no listener: no crash
}

TEST(RunClock, FormatRunTime) {
    EXPECT_EQ(formatRunTime(0), "00:00:00");
    EXPECT_EQ(formatRunTime(59), "00:00:59");
    EXPECT_EQ(formatRunTime(3600), "01:00:00");
    EXPECT_EQ(formatRunTime(3725), "01:02:05");
    EXPECT_EQ(formatRunTime(359999), "99:59:59");
    EXPECT_EQ(formatRunTime(360000), "ERROR");
    EXPECT_EQ(formatRunTime(-1), "00:00:00");
    EXPECT_EQ(formatRunTime(-86400), "00:00:00");
}

}  // namespace
}  // namespace pathwick
