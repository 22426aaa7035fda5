// The record of answers on real SQLite files: what a run leaves for the
// next one and for a user's own queries, and what it does with files it
// cannot use.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "progress/progress_summary.h"
#include "progress/remembered_progress.h"
#include "progress/utc_text.h"
#include "support/fake_clock.h"
#include "support/screen_test.h"

namespace pathwick {
namespace {

using testing::FakeClock;
using testing::TempDirectory;

std::string bytesOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::string> rows(const std::filesystem::path& file, std::string_view sql) {
    SqliteConnection connection(file, SqliteConnection::Create::No);
    SqliteStatement query = connection.prepare(sql);
    std::vector<std::string> result;
    while (query.step()) result.emplace_back(query.text(0));
    return result;
}

void execute(const std::filesystem::path& file, std::string_view sql) {
    SqliteConnection(file, SqliteConnection::Create::No).execute(sql);
}

TEST(ProgressStore, EveryAnswerIsADocumentedRowThatTheNextStartCountsWithRowsOthersAdd) {
    const TempDirectory folder;
    const auto file = folder.path() / "state" / "pathwick" / "progress.sqlite3";
    FakeClock clock;
    clock.setUtcOffset(std::chrono::hours{-4});
    clock.set({2026, 6, 15, 10, 0, 0, 0});  // 14:00 UTC
    {
        RememberedProgress progress(file, Edition2026(), clock);
        progress.recordAnswer("T5A09", true, 4.25, AnswerMode::Drill);
        clock.advance(std::chrono::milliseconds{61'007});
        progress.recordAnswer("T5A10", false, 12.5, AnswerMode::Test);
        progress.recordTest(27, 35, true);
        EXPECT_TRUE(progress.saving());
    }
    EXPECT_EQ(rows(file, "SELECT group_concat(name || ' ' || type, ', ') FROM pragma_table_info('answers')"),
              std::vector<std::string>{"pool TEXT, question TEXT, answered_at TEXT, correct INTEGER, seconds REAL, "
                                       "mode TEXT"});
    EXPECT_EQ(rows(file, "SELECT pool || '|' || question || '|' || answered_at || '|' || correct || '|' || seconds"
                         " || '|' || mode FROM answers"),
              (std::vector<std::string>{"2026-2030|T5A09|2026-06-15T14:00:00.000Z|1|4.25|drill",
                                        "2026-2030|T5A10|2026-06-15T14:01:01.007Z|0|12.5|test"}));

    // Another program adds a row dated earlier and corrects one: both count
    // at the next start, in the order of their times.
    execute(file, "INSERT INTO answers VALUES ('2026-2030', 'T1A01', '2026-06-14 09:00:00', 1, 3, 'drill');"
                  "UPDATE answers SET correct = 1 WHERE question = 'T5A10';"
                  "INSERT INTO answers VALUES ('general-2023-2027', 'G1A01', '2026-06-14T09:00:00Z', 1, 3, 'drill')");
    {
        RememberedProgress progress(file, Edition2026(), clock);
        EXPECT_EQ(progress.answers(), 3);
        EXPECT_EQ(progress.standingNow().seen, 3);
        const auto tests = progress.recentTests(10);
        ASSERT_EQ(tests.size(), 1u);
        EXPECT_TRUE(tests[0].localDate == "2026-06-15" && tests[0].score == 27 && tests[0].questions == 35 && tests[0].passed);
    }
    QuestionStates replayed;
    replayed.add("T1A01", *ParseUtcText("2026-06-14T09:00:00Z"), true);
    replayed.add("T5A09", *ParseUtcText("2026-06-15T14:00:00.000Z"), true);
    replayed.add("T5A10", *ParseUtcText("2026-06-15T14:01:01.007Z"), true);
    const auto cached = ProgressStore(file, "2026-2030").opened().states;
    EXPECT_EQ(cached.all(), replayed.all());
    // A kept count one past the last bin is not this program's: the answers are replayed.
    execute(file, "INSERT INTO forgetting_cache VALUES ('2026-2030', 320, 5, 5)");
    EXPECT_EQ(ProgressStore(file, "2026-2030").opened().states.forgetting().counts(), replayed.forgetting().counts());
    EXPECT_EQ(cached.firstAnswersRight(), 3);

    // A clean end keeps the states: the next start takes them from there
    // (a state changed behind the program's back shows), not from the rows.
    execute(file, "UPDATE question_state_cache SET answers = 99 WHERE question = 'T1A01'");
    EXPECT_EQ(ProgressStore(file, "2026-2030").opened().states.find("T1A01")->answers, 99);
    // A run that answers nothing writes nothing.
    execute(file, "CREATE TABLE kept(n INTEGER); INSERT INTO kept VALUES (0); CREATE TRIGGER counted"
                  " AFTER INSERT ON question_state_cache BEGIN UPDATE kept SET n = n + 1; END");
    { RememberedProgress reading(file, Edition2026(), clock); }
    EXPECT_EQ(rows(file, "SELECT n FROM kept"), std::vector<std::string>{"0"});
}

TEST(ProgressStore, TheCachedCountsOfTheForgettingCurveAreThoseOfAFullReplay) {
    const TempDirectory folder;
    const auto file = folder.path() / "progress.sqlite3";
    FakeClock clock;
    {
        RememberedProgress progress(file, Edition2026(), clock);
        for (int day = 0; day < 8; ++day, clock.advance(std::chrono::hours{25}))
            for (int q = 0; q <= 8; ++q)  // T1A01 twice a sitting
                progress.recordAnswer("T1A0" + std::to_string(std::max(q, 1)), (q + day) % 3 != 0, 2, AnswerMode::Drill);
    }
    const QuestionStates cached = ProgressStore(file, "2026-2030").opened().states;
    execute(file, "DELETE FROM state_cache");
    const QuestionStates replayed = ProgressStore(file, "2026-2030").opened().states;
    EXPECT_EQ(cached.forgetting().counts(), replayed.forgetting().counts());
    EXPECT_EQ(cached.all(), replayed.all());
    EXPECT_NE(cached.curve(), ForgettingCurve{}) << "56 later answers: fitted";
    EXPECT_EQ(cached.curve(), replayed.curve());
}

TEST(ProgressStore, RefusesAFileItCannotUseInOneLineAndLeavesItAsItWas) {
    const TempDirectory folder;
    const auto ours = folder.path() / "ours.sqlite3";
    {
        FakeClock clock;
        RememberedProgress progress(ours, Edition2018(), clock);
        for (int i = 0; i < 3000; ++i) progress.recordAnswer("T1A0" + std::to_string(i % 10), true, 1, AnswerMode::Drill);
    }
    // Without its cache the answers are read at the start, garbled or not;
    // its largest pages (64 KiB) have their own mark in the header.
    execute(ours, "DELETE FROM state_cache; PRAGMA wal_checkpoint(TRUNCATE); PRAGMA journal_mode = DELETE;"
                  "PRAGMA page_size = 65536; VACUUM");
    const std::string whole = bytesOf(ours);
    folder.write("cut.sqlite3", whole.substr(0, whole.size() / 2));
    std::string garbled = whole;  // the pages of the answers, not the header
    for (std::size_t i = 65536; i < garbled.size(); i += 7) garbled[i] = '\x5a';
    EXPECT_EQ(ProgressStore(ours, "2018-2022").opened().answers, 3000);
    folder.write("garbled.sqlite3", garbled);
    folder.write("text.sqlite3", "T5A09 right\nT5A10 wrong\nT5A11 right\nT5A12 right\nT6A01 wrong\nT6A02 right\nT6A03 right\nT6A04 wrong\nT6A05 right\n");
    folder.write("plain", "");
    SqliteConnection(folder.path() / "other", SqliteConnection::Create::Yes).execute("CREATE TABLE answers(x)");
    SqliteConnection(folder.path() / "newer", SqliteConnection::Create::Yes)
        .execute("PRAGMA application_id = 1347898161; PRAGMA user_version = 5; CREATE TABLE t(x)");
    folder.write("cut 4k.sqlite3", bytesOf(folder.path() / "other").substr(0, 4097));  // of the usual 4 KiB pages
    struct Case { std::filesystem::path file; std::string_view says; };
    const Case cases[] = {
        {folder.path() / "cut.sqlite3", "is damaged (cut short"},
        {folder.path() / "cut 4k.sqlite3", "is damaged (cut short"},
        {folder.path() / "garbled.sqlite3", "is damaged ("},
        {folder.path() / "text.sqlite3", "is not a Pathwick progress file (not an SQLite database"},
        {folder.path() / "other", "is not a Pathwick progress file (an SQLite database of"},
        {folder.path() / "newer", "was written by a newer Pathwick (file version 5, this one reads up to 4)"},
        {folder.path() / "plain" / "progress.sqlite3", "cannot create the folder"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.filename());
        const std::string before = bytesOf(c.file);
        try {
            ProgressStore store(c.file, "2018-2022");
            ADD_FAILURE() << "opened";
        } catch (const ProgressRefused& refused) {
            const std::string line = refused.what();
            EXPECT_NE(line.find(c.says), std::string::npos) << line;
            EXPECT_EQ(line.find('\n'), std::string::npos);
        }
        EXPECT_EQ(bytesOf(c.file), before);
    }
}

TEST(ProgressStore, MigratesAFileOfTheFirstLayoutInPlace) {
    const TempDirectory folder;
    const auto file = folder.path() / "old.sqlite3";
    ProgressStore(file, "2018-2022").setSetting("exam date", "2026-07-01");
    execute(file, "DROP TABLE answer_changes; DROP TABLE state_cache; DROP TABLE question_state_cache;"
                  "DROP TABLE forgetting_cache;"
                  "DROP TRIGGER answers_inserted; DROP TRIGGER answers_updated; DROP TRIGGER answers_deleted;"
                  "PRAGMA user_version = 1;"
                  "INSERT INTO answers VALUES ('2018-2022', 'T5A09', '2026-06-01T10:00:00.000Z', 1, 2, 'drill')");
    EXPECT_EQ(ProgressStore(file, "2018-2022").opened().answers, 1);
    EXPECT_EQ(rows(file, "PRAGMA user_version"), std::vector<std::string>{"4"});
    execute(file, "INSERT INTO answers VALUES ('2018-2022', 'T5A10', '2026-06-02T10:00:00.000Z', 0, 2, 'drill')");
    ProgressStore store(file, "2018-2022");
    EXPECT_EQ(store.opened().answers, 2);
    EXPECT_EQ(store.setting("exam date"), "2026-07-01");
    // Layout 3 kept its cache without the sittings, by the model before: the answers are replayed.
    execute(file, "ALTER TABLE question_state_cache DROP COLUMN sitting_answers; UPDATE state_cache SET model = 2;"
                  "ALTER TABLE question_state_cache DROP COLUMN sitting_stability; PRAGMA user_version = 3;");
    EXPECT_EQ(ProgressStore(file, "2018-2022").opened().states.find("T5A10")->sitting, (Sitting{1, 0.212}));
    EXPECT_EQ(rows(file, "PRAGMA user_version"), std::vector<std::string>{"4"});
}

TEST(ProgressStore, PassChanceByDayReplaysTheAnswersGivenBeforeTheEndOfEachDay) {
    const TempDirectory folder;
    FakeClock clock(LocalTime{2026, 6, 13, 23, 30, 0, 0});
    RememberedProgress progress(folder.path() / "p.sqlite3", Edition2018(), clock);
    progress.recordAnswer("T5A09", true, 1, AnswerMode::Drill);
    clock.advance(std::chrono::hours{48});
    progress.recordAnswer("T5A10", true, 1, AnswerMode::Drill);
    const auto days = progress.passChanceByDay(4);
    ASSERT_EQ(std::tuple(days.size(), days.front().localDate, days.back().localDate), std::tuple(4u, "2026-06-12", "2026-06-15"));
    const auto chanceOf = [&](std::initializer_list<std::string_view> questions, LocalTime at) {
        QuestionStates states;
        for (std::string_view question : questions) states.add(question, clock.utcOf({2026, 6, 13, 23, 30}), true);
        return StandingAt(states, Edition2018(), clock.utcOf(at)).passChance;
    };
    EXPECT_DOUBLE_EQ(days[0].passChance, chanceOf({}, {2026, 6, 13}));
    EXPECT_DOUBLE_EQ(days[1].passChance, chanceOf({"T5A09"}, {2026, 6, 14}));
    EXPECT_DOUBLE_EQ(days[2].passChance, chanceOf({"T5A09"}, {2026, 6, 15}));
    EXPECT_DOUBLE_EQ(days[3].passChance, progress.standingNow().passChance);
    clock.advance(std::chrono::hours{24});  // a new day: the days move on
    const auto later = progress.passChanceByDay(4);
    EXPECT_TRUE(later.front().localDate == "2026-06-13" && later.front().passChance == days[1].passChance);
}

// The summary --progress prints after its numbers, from a real file: the next
// questions of a review (none already at 90 % on the exam day) and, once an
// exam date is kept, the chance on that day; the date belongs to its pool and
// is there at the next start until cleared.
TEST(ProgressStore, SummaryListsTheNextQuestionsAndKeepsTheExamDateOfItsPool) {
    const TempDirectory folder;
    const auto file = folder.path() / "progress.sqlite3";
    FakeClock clock({2026, 12, 1, 18, 0, 0, 0});
    const auto lineOf = [](const std::string& text, std::string_view start) {
        const auto at = text.find("\n" + std::string(start));
        return at == std::string::npos ? std::string() : text.substr(at + 1, text.find('\n', at + 1) - at - 1);
    };
    {
        RememberedProgress progress(file, Edition2018(), clock);
        for (const char* id : {"T0A01", "T0A02", "T0A03", "T1A01", "T2A01"}) progress.recordAnswer(id, true, 1, AnswerMode::Drill);
        progress.recordAnswer("T0A04", false, 1, AnswerMode::Review);
        clock.advance(std::chrono::hours{1});
        const std::string summary = ProgressSummary(Edition2018(), progress, progress.answers());
        // Five first answers of six right put an unseen question at 60 %: the
        // smallest groups' unseen questions (T1A, the first of eleven) are worth
        // most; after each two a check of a question answered (all at one
        // moment, so in the order of worth: T1A01 first, its group smallest).
        EXPECT_EQ(lineOf(summary, "next:"), "next: T1A02 T1A03 T1A01 T1A04 T1A05 T0A01 T1A06 T1A07 T0A02 T1A08");
        EXPECT_EQ(lineOf(summary, "chance to pass on"), "");
        progress.setExamDate(CalendarDate{2026, 12, 19});
    }
    EXPECT_EQ(rows(file, "SELECT name || '=' || value FROM settings"), std::vector<std::string>{"exam_date 2018-2022=2026-12-19"});
    EXPECT_EQ(rows(file, "SELECT mode FROM answers WHERE question = 'T0A04'"), std::vector<std::string>{"review"});
    {
        RememberedProgress progress(file, Edition2018(), clock);
        EXPECT_EQ(progress.examDate(), (CalendarDate{2026, 12, 19}));
        const std::string summary = ProgressSummary(Edition2018(), progress, progress.answers());
        // The model's own number, read at the exam day's noon, not today's.
        char onExamDay[64];
        std::snprintf(onExamDay, sizeof onExamDay, "chance to pass on 2026-12-19: %.1f %%",
                      progress.standingOnExamDay().passChance * 100);
        EXPECT_EQ(lineOf(summary, "chance to pass on"), onExamDay);
        EXPECT_LT(progress.standingOnExamDay().passChance, progress.standingNow().passChance);
        EXPECT_EQ(progress.dueCount(), 6) << "all six seen are below 90 % eighteen days on";
        EXPECT_EQ(RememberedProgress(file, Edition2026(), clock).examDate(), std::nullopt) << "another pool's exam";
        progress.setExamDate(std::nullopt);
    }
    EXPECT_EQ(RememberedProgress(file, Edition2018(), clock).examDate(), std::nullopt);
}

TEST(UtcText, ReadsTheFormsOtherToolsWriteAndNoImpossibleMoment) {
    EXPECT_EQ(ParseUtcText("2026-02-28 23:59:59.999999999"), ParseUtcText("2026-02-28T23:59:59.999Z"));
    EXPECT_EQ(ParseUtcText("1970-01-02T00:00:00.5"), UtcTime{std::chrono::milliseconds{86'400'500}});
    EXPECT_EQ(UtcText(ParseUtcText("2026-12-31 23:59:59.0071").value_or(UtcTime{})), "2026-12-31T23:59:59.007Z");
    for (std::string_view wrong : {"2026-02-29T00:00:00Z", "2026-02-28T24:00:00Z", "2026-02-28T23:60:00Z", "2026-02-28T23:59:59.1234567890", "2026-02-28T23:59:60Z",
                                   "2026-02-28T23:59:59.Z", "2026-02-28T23:59:59Zx", "2026-02-28", "2026-02-28T23:59:5"})
        EXPECT_FALSE(ParseUtcText(wrong)) << wrong;
}

}  // namespace
}  // namespace pathwick
