#include "progress/remembered_progress.h"

#include "progress/calendar_date_text.h"

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
    return CalendarDateText({date.year, date.month, date.day});
}

// The name of the pool's exam date in the settings table: each pool has its own exam.
std::string examDateSetting(const PoolEdition& edition) { return "exam_date " + std::string(PoolName(edition)); }

std::optional<CalendarDate> keptExamDate(ProgressStore& store, const PoolEdition& edition) {
    try {
        const std::optional<std::string> text = store.setting(examDateSetting(edition));
        return text ? ParseCalendarDate(*text) : std::nullopt;
    } catch (const SqliteError&) {
        return std::nullopt;
    }
}

}  // namespace

std::string_view PoolName(const PoolEdition& edition) { return edition.commandLineNames[1]; }

RememberedProgress::RememberedProgress(const std::filesystem::path& file, const PoolEdition& edition,
                                       const Clock& clock)
    : edition_(edition),
      clock_(clock),
      store_(file, PoolName(edition)),
      record_(store_.opened()),
      examDate_(keptExamDate(store_, edition)) {}

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

void RememberedProgress::setExamDate(const std::optional<CalendarDate>& date) {
    examDate_ = date;
    write([&] { store_.setSetting(examDateSetting(edition_), date ? CalendarDateText(*date) : ""); });
}

Standing RememberedProgress::standingOnExamDay() const {
    return StandingAt(record_.states, edition_, ExamMoment(clock_, examDate_));
}

int RememberedProgress::dueCount() const { return DueCount(record_.states, edition_, ExamMoment(clock_, examDate_)); }

// Looks ahead to the exam, or without one to tomorrow: asked about now, a
// question just answered right would look learnt for good.
std::vector<WorthyQuestion> RememberedProgress::reviewOrder() const {
    return ReviewOrder(record_.states, edition_, clock_.utcNow(), ReviewHorizon(clock_, examDate_));
}

Standing RememberedProgress::standingNow() const { return StandingAt(record_.states, edition_, clock_.utcNow()); }

std::vector<TestResult> RememberedProgress::recentTests(int count) const {
    try {
        return store_.recentTests(count);
    } catch (const SqliteError&) {
        return {};
    }
}

// The chance at the end of each past day comes from one replay of the
// record, kept for the rest of the day: rows of past days do not change while
// the program runs. Today's is the chance now, as the menu shows it.
std::vector<DailyChance> RememberedProgress::passChanceByDay(int days) const {
    if (days <= 0) return {};
    const sys_days today = localDay(clock_.now());
    const auto past = static_cast<std::size_t>(days - 1);
    if (pastDaysUntil_ != today || pastDays_.size() < past) {
        try {
            pastDays_ = chancesAtEndOfDays(today - std::chrono::days{days - 1}, today);
            pastDaysUntil_ = today;
        } catch (const SqliteError&) {
            return {};
        }
    }
    std::vector<DailyChance> chances(pastDays_.end() - static_cast<std::ptrdiff_t>(past), pastDays_.end());
    chances.push_back({dateText(today), standingNow().passChance});
    return chances;
}

std::vector<DailyChance> RememberedProgress::chancesAtEndOfDays(sys_days first, sys_days end) const {
    std::vector<UtcTime> dayEnds;
    for (sys_days day = first; day < end; day += std::chrono::days{1})
        dayEnds.push_back(clock_.utcOf(midnightOf(day + std::chrono::days{1})));
    const std::vector<double> chances = PassChanceHistory(store_.answers(), edition_, dayEnds);
    std::vector<DailyChance> days;
    for (sys_days day = first; day < end; day += std::chrono::days{1})
        days.push_back({dateText(day), chances[days.size()]});
    return days;
}

}  // namespace pathwick
