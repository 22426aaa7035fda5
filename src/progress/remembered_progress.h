#pragma once
// The Progress of a program run with --remember: every answer a row of the
// store, committed at once, and the standing computed from the states of
// the questions, kept in memory from the moment the store is opened.
#include <chrono>
#include <filesystem>
#include <string_view>

#include "bank/pool_edition.h"
#include "console/clock.h"
#include "progress/progress.h"
#include "progress/progress_store.h"

namespace pathwick {

// The name of the edition in the record: its --pool long name ("2026-2030").
std::string_view PoolName(const PoolEdition& edition);

class RememberedProgress final : public Progress {
public:
    // Throws ProgressRefused when the file cannot be used.
    RememberedProgress(const std::filesystem::path& file, const PoolEdition& edition, const Clock& clock);
    // Keeps the states for a quick next start.
    ~RememberedProgress() override;
    RememberedProgress(const RememberedProgress&) = delete;
    RememberedProgress& operator=(const RememberedProgress&) = delete;

    bool remembers() const override { return true; }
    void recordAnswer(std::string_view questionId, bool correct, double seconds, AnswerMode mode) override;
    void recordTest(int score, int questions, bool passed) override;
    bool saving() const override { return saving_; }

    Standing standingNow() const override;
    std::vector<TestResult> recentTests(int count) const override;
    std::vector<DailyChance> passChanceByDay(int days) const override;
    std::filesystem::path file() const override { return store_.file(); }
    std::optional<CalendarDate> examDate() const override { return examDate_; }
    void setExamDate(const std::optional<CalendarDate>& date) override;
    Standing standingOnExamDay() const override;
    int dueCount() const override;
    std::vector<WorthyQuestion> reviewOrder() const override;
    SittingRepeats sittingRepeats() const override { return record_.states.curve().repeats(); }

    // The answers of the pool in the record, this run's included.
    std::int64_t answers() const { return record_.answers; }

private:
    // Runs a write; a failure ends saving for the rest of the run.
    template <typename Write>
    void write(Write&& write);
    // The pass chance at the end of each day from `first` up to, not
    // including, `end`, from the answers in the store. Throws SqliteError.
    std::vector<DailyChance> chancesAtEndOfDays(std::chrono::sys_days first, std::chrono::sys_days end) const;

    const PoolEdition& edition_;
    const Clock& clock_;
    // Reading the progress screen's lists does not change the record.
    mutable ProgressStore store_;
    PoolRecord record_;
    bool saving_ = true;
    std::optional<CalendarDate> examDate_;
    // The cache needs keeping only after answers of this run.
    bool answered_ = false;
    // The chances of past days, as computed on the day pastDaysUntil_.
    mutable std::vector<DailyChance> pastDays_;
    mutable std::chrono::sys_days pastDaysUntil_{};
};

}  // namespace pathwick
