#include "progress/progress_summary.h"

#include <cstdio>

#include "progress/calendar_date_text.h"
#include "progress/remembered_progress.h"

namespace pathwick {
namespace {

template <typename... Values>
std::string formatted(const char* format, Values... values) {
    char line[160];
    std::snprintf(line, sizeof line, format, values...);
    return line;
}

constexpr int kNextShown = 10;

// "next: T5A03 T7B11 ...": the first questions of the order still worth asking.
std::string nextLine(const Progress& progress) {
    std::string line = "next:";
    int listed = 0;
    for (const WorthyQuestion& question : progress.reviewOrder()) {
        if (listed == kNextShown) break;
        if (!question.asked()) continue;
        line += " " + std::string(question.id);
        ++listed;
    }
    return line + "\n";
}

}  // namespace

std::string ProgressSummary(const PoolEdition& edition, const Progress& progress, std::int64_t answers) {
    const Standing standing = progress.standingNow();
    int questions = 0;
    for (const SubelementStanding& subelement : standing.subelements) questions += subelement.questions;
    const std::string pool(PoolName(edition));
    std::string text = "pool: " + pool + "\n";
    text += formatted("answers: %lld\n", static_cast<long long>(answers));
    text += formatted("seen: %d of %d\n", standing.seen, questions);
    text += formatted("chance to pass today: %.1f %%\n", standing.passChance * 100);
    text += formatted("expected score: %.2f of %d (pass mark %d)\n", standing.expectedScore, standing.examQuestions,
                      standing.passMark);
    const char letter = edition.groups.empty() ? 'T' : edition.groups.front().code.front();
    for (int n = 0; n < kSubelementCount; ++n) {
        const SubelementStanding& subelement = standing.subelements[static_cast<std::size_t>(n)];
        text += formatted("%c%d: %d of %d seen, %d solid, expected %.2f of %d right\n", letter, n, subelement.seen,
                          subelement.questions, subelement.solid, subelement.expectedRight,
                          subelement.examQuestions);
    }
    text += nextLine(progress);
    if (const std::optional<CalendarDate> examDate = progress.examDate())
        text += formatted("chance to pass on %s: %.1f %%\n", CalendarDateText(*examDate).c_str(),
                          progress.standingOnExamDay().passChance * 100);
    return text;
}

}  // namespace pathwick
