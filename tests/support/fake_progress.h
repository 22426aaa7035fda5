#pragma once
// A Progress that remembers by writing down each call, and answers with a
// standing, tests, days and a review order a test sets; the chance on exam
// day rises by `gainPerAnswer` with each answer recorded, and the expected
// score by ten times that. After `writesThatSucceed` writes
// saving() turns false, as after a full disk.
#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "progress/progress.h"

namespace pathwick::testing {

class FakeProgress final : public Progress {
public:
    bool remembers() const override { return remembering; }
    // "T5A01 right 3.2s drill", "T5A02 wrong 0.5s test"
    void recordAnswer(std::string_view question, bool correct, double seconds, AnswerMode mode) override {
        char time[32];
        std::snprintf(time, sizeof time, "%.1fs", seconds);
        calls.push_back(std::string(question) + (correct ? " right " : " wrong ") + time +
              (mode == AnswerMode::Drill ? " drill" : mode == AnswerMode::Test ? " test" : " review"));
        ++answered;
    }
    // "test 20 of 35 fail"
    void recordTest(int score, int questions, bool passed) override {
        calls.push_back("test " + std::to_string(score) + " of " + std::to_string(questions) + (passed ? " pass" : " fail"));
    }
    bool saving() const override { return int(calls.size()) < writesThatSucceed; }
    Standing standingNow() const override { return standing; }
    std::vector<TestResult> recentTests(int) const override { return tests; }
    std::vector<DailyChance> passChanceByDay(int) const override { return days; }
    std::filesystem::path file() const override { return path; }
    std::optional<CalendarDate> examDate() const override { return date; }
    void setExamDate(const std::optional<CalendarDate>& newDate) override { date = newDate; }
    Standing standingOnExamDay() const override {
        Standing then = examDay;
        then.passChance += gainPerAnswer * answered;
        then.expectedScore += 10 * gainPerAnswer * answered;
        return then;
    }
    int dueCount() const override { return due; }
    std::vector<WorthyQuestion> reviewOrder() const override { return order; }
    SittingRepeats sittingRepeats() const override { return repeats; }

    bool remembering = true;
    int writesThatSucceed = INT_MAX;
    std::vector<std::string> calls;
    Standing standing;
    std::vector<TestResult> tests;
    std::vector<DailyChance> days;
    std::filesystem::path path = "/home/ham/.local/state/pathwick/progress.sqlite3";
    std::optional<CalendarDate> date;
    Standing examDay;
    double gainPerAnswer = 0;
    int answered = 0;
    int due = 0;
    std::vector<WorthyQuestion> order;
    SittingRepeats repeats = SittingRepeats::Unknown;
};

}  // namespace pathwick::testing
