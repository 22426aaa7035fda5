#pragma once
// What the screens are handed to remember answers and to show progress.
// Without --remember it is NoProgress: nothing is kept and nothing shown, so
// the screens never ask whether remembering is on beyond remembers().
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "progress/exam_day.h"
#include "progress/forgetting_fit.h"
#include "progress/readiness.h"
#include "progress/review_order.h"

namespace pathwick {

enum class AnswerMode { Drill, Test, Review };

// A practice test as scored.
struct TestResult {
    std::string localDate;  // YYYY-MM-DD, the day it was taken
    int score = 0;
    int questions = 0;
    bool passed{};
};

// The pass chance at the end of one local day.
struct DailyChance {
    std::string localDate;  // YYYY-MM-DD
    double passChance = 0;
};

class Progress {
public:
    virtual ~Progress() = default;

    // False when nothing is remembered: the screens then show no progress.
    virtual bool remembers() const = 0;
    // Each is committed at once. A failed write is kept quiet here and
    // reported through saving().
    virtual void recordAnswer(std::string_view questionId, bool correct, double seconds, AnswerMode mode) = 0;
    virtual void recordTest(int score, int questions, bool passed) = 0;
    // False once a write has failed: answers are no longer being saved.
    virtual bool saving() const = 0;

    virtual Standing standingNow() const = 0;
    // The last `count` practice tests, the newest last.
    virtual std::vector<TestResult> recentTests(int count) const = 0;
    // The pass chance at the end of each of the last `days` local days, today last.
    virtual std::vector<DailyChance> passChanceByDay(int days) const = 0;
    // The file the answers are kept in.
    virtual std::filesystem::path file() const = 0;

    // The day of the exam, if one was set; a day gone by counts as today.
    virtual std::optional<CalendarDate> examDate() const = 0;
    // Kept in the record (nothing: no date). A failed write ends saving().
    virtual void setExamDate(const std::optional<CalendarDate>& date) = 0;
    // The standing at noon of the exam day if the user studied no more
    // (now without an exam date).
    virtual Standing standingOnExamDay() const = 0;
    // Questions answered before whose chance on the exam day is below the
    // solid line.
    virtual int dueCount() const = 0;
    // Every question of the pool, the one whose answer adds most to the
    // exam first.
    virtual std::vector<WorthyQuestion> reviewOrder() const = 0;
    // Whether a question answered in a review round should come back in it.
    virtual SittingRepeats sittingRepeats() const = 0;
};

class NoProgress final : public Progress {
public:
    bool remembers() const override { return false; }
    void recordAnswer(std::string_view, bool, double, AnswerMode) override {}
    void recordTest(int, int, bool) override {}
    bool saving() const override { return false; }
    Standing standingNow() const override { return {}; }
    std::vector<TestResult> recentTests(int) const override { return {}; }
    std::vector<DailyChance> passChanceByDay(int) const override { return {}; }
    std::filesystem::path file() const override { return {}; }
    std::optional<CalendarDate> examDate() const override { return std::nullopt; }
    void setExamDate(const std::optional<CalendarDate>&) override {}
    Standing standingOnExamDay() const override { return {}; }
    int dueCount() const override { return 0; }
    std::vector<WorthyQuestion> reviewOrder() const override { return {}; }
    SittingRepeats sittingRepeats() const override { return SittingRepeats::Unknown; }
};

}  // namespace pathwick

namespace pathwick {

// The progress of a program run without --remember. NoProgress holds no
// state, so one shared instance serves every context.
inline Progress& NothingRemembered() {
    static NoProgress none;
    return none;
}

}  // namespace pathwick
