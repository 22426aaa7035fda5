#pragma once
// What the screens are handed to remember answers and to show progress.
// Without --remember it is NoProgress: nothing is kept and nothing shown, so
// the screens never ask whether remembering is on beyond remembers().
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "progress/readiness.h"

namespace pathwick {

enum class AnswerMode { Drill, Test, Review };

// A practice test as scored.
struct TestResult {
    std::string localDate;  // YYYY-MM-DD, the day it was taken
    int score = 0;
    int questions = 0;
    bool passed = false;
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
