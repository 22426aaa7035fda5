#include "progress/remembered_progress.h"

#include <cstdio>

namespace pathwick {
namespace {

using namespace std::chrono;

sys_days localDay(const LocalTime& time) { return sys_days{year{time.year} / time.month / time.day}; }

LocalTime midnightOf(sys_days day) {
    const year_month_day date{day};
    return LocalTime{int(date.year()), int(unsigned(date.month())), int(unsigned(date.day())), 0, 0, 0, 0};
}

std::string dateText(sys_days day) {
    const LocalTime date = midnightOf(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

}  // namespace

std::string_view PoolName(const PoolEdition& edition) { return edition.commandLineNames[1]; }

RememberedProgress::RememberedProgress(const std::filesystem::path& file, const PoolEdition& edition,
                                       const Clock& clock)
    : edition_(edition), clock_(clock), store_(file, PoolName(edition)), record_(store_.opened()) {}

RememberedProgress::~RememberedProgress() {
    if (saving_ && answered_) store_.keepStates(record_);
}

template <typename Write>
void RememberedProgress::write(Write&& write) {
    if (!saving_) return;
    try {
        write();
    } catch (const SqliteError&) {
        saving_ = false;
    }
}

void RememberedProgress::recordAnswer(std::string_view questionId, bool correct, double seconds, AnswerMode mode) {
    const UtcTime now = clock_.utcNow();
    write([&] { store_.appendAnswer({questionId, now, correct, seconds, mode}); });
    record_.states.add(questionId, now, correct);
    ++record_.answers;
    answered_ = true;
}

void RememberedProgress::recordTest(int score, int questions, bool passed) {
    const UtcTime now = clock_.utcNow();
    const std::string today = dateText(localDay(clock_.now()));
    write([&] { store_.appendTest({now, today, score, questions, passed}); });
}

Standing RememberedProgress::standingNow() const { return StandingAt(record_.states, edition_, clock_.utcNow()); }

std::vector<TestResult> RememberedProgress::recentTests(int count) const {
    try {
        return store_.recentTests(count);
    } catch (const SqliteError&) {
        return {};
    }
}

// Replays the record once, taking the standing at the end of each day (for
// today: now) from the states of the answers given before then.
std::vector<DailyChance> RememberedProgress::passChanceByDay(int days) const {
    std::vector<ProgressStore::TimedAnswer> answers;
    try {
        answers = store_.answers();
    } catch (const SqliteError&) {
        return {};
    }
    const UtcTime now = clock_.utcNow();
    const sys_days today = localDay(clock_.now());
    QuestionStates states;
    auto next = answers.begin();
    std::vector<DailyChance> chances;
    for (int back = days - 1; back >= 0; --back) {
        const sys_days day = today - std::chrono::days{back};
        const UtcTime end = back == 0 ? now : clock_.utcOf(midnightOf(day + std::chrono::days{1}));
        for (; next != answers.end() && (back == 0 || next->answeredAt < end); ++next)
            states.add(next->question, next->answeredAt, next->correct);
        chances.push_back({dateText(day), StandingAt(states, edition_, end).passChance});
    }
    return chances;
}

}  // namespace pathwick
