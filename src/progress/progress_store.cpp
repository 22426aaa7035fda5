#include "progress/progress_store.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "progress/utc_text.h"

namespace pathwick {
namespace {

// PRAGMA application_id of a Pathwick file: "PWK1".
constexpr std::int64_t kApplicationId = 0x50574b31;
// Changes to the memory model, or to what the cache holds, make cached
// states stale: raise this then, and the answers are replayed once.
constexpr std::int64_t kStateCacheModel = 3;
// Two Pathwicks writing at once wait for each other this long at most.
constexpr int kBusyMilliseconds = 10000;

// Step n brings a file from version n to n + 1; a new file takes them all.
constexpr std::array<std::string_view, kProgressFileVersion> kMigrations = {
    // 0 -> 1: the record.
    "CREATE TABLE answers(pool TEXT, question TEXT, answered_at TEXT, correct INTEGER, seconds REAL, mode TEXT);"
    "CREATE TABLE practice_tests(pool TEXT, taken_at TEXT, local_date TEXT, score INTEGER, questions INTEGER,"
    " passed INTEGER);"
    "CREATE TABLE settings(name TEXT PRIMARY KEY, value TEXT);",
    // 1 -> 2: the cache of per-question states, and per pool a count of the
    // changes to its answers that triggers keep, whoever makes them.
    "CREATE TABLE answer_changes(pool TEXT PRIMARY KEY, changes INTEGER NOT NULL) WITHOUT ROWID;"
    "CREATE TRIGGER answers_inserted AFTER INSERT ON answers BEGIN"
    " INSERT INTO answer_changes VALUES (coalesce(NEW.pool, ''), 1)"
    " ON CONFLICT(pool) DO UPDATE SET changes = changes + 1; END;"
    "CREATE TRIGGER answers_deleted AFTER DELETE ON answers BEGIN"
    " INSERT INTO answer_changes VALUES (coalesce(OLD.pool, ''), 1)"
    " ON CONFLICT(pool) DO UPDATE SET changes = changes + 1; END;"
    "CREATE TRIGGER answers_updated AFTER UPDATE ON answers BEGIN"
    " INSERT INTO answer_changes VALUES (coalesce(OLD.pool, ''), 1)"
    " ON CONFLICT(pool) DO UPDATE SET changes = changes + 1;"
    " INSERT INTO answer_changes VALUES (coalesce(NEW.pool, ''), 1)"
    " ON CONFLICT(pool) DO UPDATE SET changes = changes + 1; END;"
    "CREATE TABLE state_cache(pool TEXT PRIMARY KEY, changes INTEGER NOT NULL, model INTEGER NOT NULL,"
    " answers INTEGER NOT NULL, first_answers INTEGER NOT NULL, first_right INTEGER NOT NULL) WITHOUT ROWID;"
    "CREATE TABLE question_state_cache(pool TEXT, question TEXT, stability REAL, difficulty REAL,"
    " last_answer INTEGER, answers INTEGER, PRIMARY KEY(pool, question)) WITHOUT ROWID;",
    // 2 -> 3: the counts of later answers the forgetting curve is fitted to.
    "CREATE TABLE forgetting_cache(pool TEXT, bin INTEGER, answers INTEGER, right INTEGER,"
    " PRIMARY KEY(pool, bin)) WITHOUT ROWID;",
    // 3 -> 4: each question's latest sitting.
    "ALTER TABLE question_state_cache ADD COLUMN sitting_answers INTEGER NOT NULL DEFAULT 1;"
    "ALTER TABLE question_state_cache ADD COLUMN sitting_stability REAL NOT NULL DEFAULT 0;",
};

[[noreturn]] void refuse(const std::filesystem::path& file, std::string_view why) {
    throw ProgressRefused(file.string() + std::string(why));
}

// What SQLite's failure while reading the file means to the user.
[[noreturn]] void refuseUnreadable(const std::filesystem::path& file, const SqliteError& error) {
    if (error.code() == SQLITE_CORRUPT || error.code() == SQLITE_NOTADB)
        refuse(file, " is damaged (" + std::string(error.what()) + "); it is left as it is: move it away to start over");
    refuse(file, ": cannot read it: " + std::string(error.what()));
}

// Creates the missing folders above `file`, each of mode 0700.
void createFolders(const std::filesystem::path& file) {
    const std::filesystem::path folder = file.parent_path();
    std::error_code error;
    if (folder.empty() || std::filesystem::is_directory(folder, error)) return;
    createFolders(folder);
    if (::mkdir(folder.c_str(), 0700) != 0) {
        const int failure = errno;
        if (!std::filesystem::is_directory(folder, error))
            throw ProgressRefused("cannot create the folder " + folder.string() + ": " + std::strerror(failure));
    }
    ::chmod(folder.c_str(), 0700);
}

// Brings the file from `version` to the current layout, one step in each
// transaction. Write-ahead logging lets a reader and a writer (two Pathwicks)
// work at once; with it, NORMAL synchronisation keeps every committed answer
// through a crash of the program (only a crash of the machine may lose the
// last ones), without a wait for the disk on every answer.
void prepareForWriting(SqliteConnection& connection, int version) {
    connection.execute("PRAGMA journal_mode = WAL");
    connection.execute("PRAGMA synchronous = NORMAL");
    for (int step = version; step < kProgressFileVersion; ++step) {
        SqliteTransaction transaction(connection);
        // Another Pathwick started on the same file may have been first.
        if (connection.integerOf("PRAGMA user_version") > step) continue;
        connection.execute("PRAGMA application_id = " + std::to_string(kApplicationId));  // the same at every step
        connection.execute(kMigrations[step]);
        connection.execute("PRAGMA user_version = " + std::to_string(step + 1));
        transaction.commit();
    }
}

void removeWithCompanions(const std::filesystem::path& file) {
    std::error_code ignored;
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) std::filesystem::remove(file.string() + suffix, ignored);
}

// A new file is made whole under a draft name beside it (mode 0600), then
// put in place by link(), which never replaces a file: a Pathwick starting
// at the same moment on the same new file finds either no file or a whole
// one, never one half made. Whoever links second keeps the first one's.
void createWhole(const std::filesystem::path& file) {
    const std::filesystem::path draft = file.string() + ".new-" + std::to_string(::getpid());
    removeWithCompanions(draft);
    try {
        const int descriptor = ::open(draft.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (descriptor < 0) throw ProgressRefused("cannot create " + file.string() + ": " + std::strerror(errno));
        ::fchmod(descriptor, 0600);
        ::close(descriptor);
        SqliteConnection connection(draft, SqliteConnection::Create::No);
        prepareForWriting(connection, 0);
    } catch (const SqliteError& error) {
        removeWithCompanions(draft);
        throw ProgressRefused("cannot create " + file.string() + ": " + error.what());
    } catch (...) {
        removeWithCompanions(draft);
        throw;
    }
    const int linked = ::link(draft.c_str(), file.c_str());
    const int failure = errno;
    removeWithCompanions(draft);
    if (linked != 0 && failure != EEXIST)
        throw ProgressRefused("cannot create " + file.string() + ": " + std::strerror(failure));
}

std::uint32_t bigEndian(const unsigned char* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) value = value << 8 | bytes[i];
    return value;
}

// Looks at the file's first 100 bytes, the SQLite header, before SQLite
// does: a file that is no SQLite database, or that is shorter than its
// header says (cut short while copied), is refused here. An empty file is a
// new database.
void checkHeader(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    if (!stream) refuse(file, ": cannot read it: " + std::string(std::strerror(errno)));
    std::array<unsigned char, 100> header{};
    stream.read(reinterpret_cast<char*>(header.data()), header.size());
    const auto length = stream.gcount();
    if (length == 0) return;
    constexpr std::string_view kMagic{"SQLite format 3\0", 16};
    if (length < 100 || std::string_view(reinterpret_cast<const char*>(header.data()), 16) != kMagic)
        refuse(file, " is not a Pathwick progress file (not an SQLite database at all, or damaged); it is left as it is");
    const std::uint32_t pageSize = bigEndian(&header[16], 2) == 1 ? 65536 : bigEndian(&header[16], 2);
    const std::uint32_t pages = bigEndian(&header[28], 4);
    const bool pagesValid = pages > 0 && bigEndian(&header[24], 4) == bigEndian(&header[92], 4);
    // A write-ahead log may still hold pages the file has not received yet.
    std::error_code error;
    const std::filesystem::path log = file.string() + "-wal";
    const bool pendingLog = std::filesystem::exists(log, error) && std::filesystem::file_size(log, error) > 0;
    const auto size = std::filesystem::file_size(file, error);
    if (pagesValid && !pendingLog && !error && size < std::uintmax_t{pages} * pageSize)
        refuse(file, " is damaged (cut short: " + std::to_string(size) + " of " +
                         std::to_string(std::uintmax_t{pages} * pageSize) +
                         " bytes); it is left as it is: move it away to start over");
}

SqliteConnection openChecked(const std::filesystem::path& file) {
    createFolders(file);
    std::error_code unknown;  // a status that cannot be read leaves the file to be opened and judged
    if (!std::filesystem::exists(std::filesystem::symlink_status(file, unknown))) createWhole(file);
    checkHeader(file);
    try {
        SqliteConnection connection(file, SqliteConnection::Create::No);
        if (connection.readOnly()) refuse(file, ": cannot write to it (read-only); progress would not be kept");
        connection.setBusyTimeout(kBusyMilliseconds);
        return connection;
    } catch (const SqliteError& error) {
        refuseUnreadable(file, error);
    }
}

std::string_view modeName(AnswerMode mode) {
    switch (mode) {
        case AnswerMode::Drill: return "drill";
        case AnswerMode::Test: return "test";
        case AnswerMode::Review: return "review";
    }
    return "drill";
}

}  // namespace

ProgressStore::ProgressStore(const std::filesystem::path& file, std::string_view pool)
    : file_(file), pool_(pool), connection_(openChecked(file)) {
    int version = 0;
    std::optional<PoolRecord> cached;
    try {
        // One read transaction: the version belongs to the schema read, and
        // the count of changes to the rows read.
        connection_.execute("BEGIN");
        version = checkedVersion();
        expectedChanges_ = version >= 2 ? answerChanges() : 0;
        cached = version >= 2 ? cachedRecord() : std::nullopt;
        if (cached) opened_ = std::move(*cached);
        else if (version >= 1) opened_ = replayedRecord();
        connection_.execute("COMMIT");
    } catch (const SqliteError& error) {
        refuseUnreadable(file, error);
    }
    try {
        prepareForWriting(connection_, version);
    } catch (const SqliteError& error) {
        refuse(file, ": cannot write to it: " + std::string(error.what()));
    }
    if (!cached) keepStates(opened_);
}

int ProgressStore::checkedVersion() {
    const std::int64_t application = connection_.integerOf("PRAGMA application_id");
    const std::int64_t version = connection_.integerOf("PRAGMA user_version");
    const bool empty = connection_.integerOf("SELECT count(*) FROM sqlite_master") == 0;
    if (empty && application == 0 && version == 0) return 0;
    if (application != kApplicationId)
        refuse(file_, " is not a Pathwick progress file (an SQLite database of another program); it is left as it is");
    if (version > kProgressFileVersion)
        refuse(file_, " was written by a newer Pathwick (file version " + std::to_string(version) +
                          ", this one reads up to " + std::to_string(kProgressFileVersion) +
                          "); it is left as it is");
    if (version < 1) refuse(file_, " is damaged (no version); it is left as it is");
    return static_cast<int>(version);
}

std::int64_t ProgressStore::answerChanges() {
    SqliteStatement query = connection_.prepare("SELECT changes FROM answer_changes WHERE pool = ?1");
    query.bind(1, pool_);
    return query.step() ? query.integer(0) : 0;
}

std::optional<PoolRecord> ProgressStore::cachedRecord() {
    SqliteStatement header = connection_.prepare(
        "SELECT answers, first_answers, first_right FROM state_cache WHERE pool = ?1 AND changes = ?2 AND model = ?3");
    header.bind(1, pool_).bind(2, expectedChanges_).bind(3, kStateCacheModel);
    if (!header.step()) return std::nullopt;
    PoolRecord record;
    record.answers = header.integer(0);
    record.states.restoreFirstAnswers(static_cast<int>(header.integer(1)), static_cast<int>(header.integer(2)));
    SqliteStatement rows = connection_.prepare(
        "SELECT question, stability, difficulty, last_answer, answers, sitting_answers, sitting_stability"
        " FROM question_state_cache WHERE pool = ?1");
    rows.bind(1, pool_);
    while (rows.step()) {
        QuestionMemory memory;
        memory.memory = {rows.real(1), rows.real(2)};
        memory.lastAnswer = UtcTime{std::chrono::milliseconds{rows.integer(3)}};
        memory.answers = static_cast<int>(rows.integer(4));
        memory.sitting = {static_cast<int>(rows.integer(5)), rows.real(6)};
        record.states.restore(rows.text(0), memory);
    }
    SqliteStatement bins = connection_.prepare("SELECT bin, answers, right FROM forgetting_cache WHERE pool = ?1");
    bins.bind(1, pool_);
    ForgettingRecord::Counts counts{};
    while (bins.step()) {
        const std::int64_t bin = bins.integer(0);
        if (bin < 0 || bin >= static_cast<std::int64_t>(counts.size())) return std::nullopt;
        counts[static_cast<std::size_t>(bin)] = {static_cast<int>(bins.integer(1)), static_cast<int>(bins.integer(2))};
    }
    record.states.restoreForgetting(counts);
    return record;
}

PoolRecord ProgressStore::replayedRecord() {
    const std::vector<RecordedAnswer> rows = answers();
    return {Replay(rows), static_cast<std::int64_t>(rows.size())};
}

std::vector<RecordedAnswer> ProgressStore::answers() {
    SqliteStatement rows =
        connection_.prepare("SELECT question, answered_at, correct FROM answers WHERE pool = ?1 ORDER BY rowid");
    rows.bind(1, pool_);
    std::vector<RecordedAnswer> answers;
    while (rows.step()) {
        const std::optional<UtcTime> moment = ParseUtcText(rows.text(1));
        if (moment) answers.push_back({std::string(rows.text(0)), *moment, rows.integer(2) != 0});
    }
    std::stable_sort(answers.begin(), answers.end(),
                     [](const RecordedAnswer& a, const RecordedAnswer& b) { return a.answeredAt < b.answeredAt; });
    return answers;
}

void ProgressStore::appendAnswer(const AnswerRow& answer) {
    SqliteStatement insert = connection_.prepare(
        "INSERT INTO answers(pool, question, answered_at, correct, seconds, mode) VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
    insert.bind(1, pool_).bind(2, answer.question).bind(3, UtcText(answer.answeredAt));
    insert.bind(4, std::int64_t{answer.correct ? 1 : 0}).bind(5, answer.seconds).bind(6, modeName(answer.mode));
    insert.run();
    ++expectedChanges_;
}

void ProgressStore::appendTest(const TestRow& test) {
    SqliteStatement insert = connection_.prepare(
        "INSERT INTO practice_tests(pool, taken_at, local_date, score, questions, passed)"
        " VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
    insert.bind(1, pool_).bind(2, UtcText(test.takenAt)).bind(3, test.localDate);
    insert.bind(4, std::int64_t{test.score}).bind(5, std::int64_t{test.questions});
    insert.bind(6, std::int64_t{test.passed ? 1 : 0});
    insert.run();
}

std::vector<TestResult> ProgressStore::recentTests(int count) {
    SqliteStatement rows = connection_.prepare(
        "SELECT local_date, score, questions, passed FROM practice_tests WHERE pool = ?1"
        " ORDER BY taken_at DESC, rowid DESC LIMIT ?2");
    rows.bind(1, pool_).bind(2, std::int64_t{count});
    std::vector<TestResult> tests;
    while (rows.step()) {
        tests.push_back({std::string(rows.text(0)), static_cast<int>(rows.integer(1)),
                         static_cast<int>(rows.integer(2)), rows.integer(3) != 0});
    }
    std::reverse(tests.begin(), tests.end());
    return tests;
}

std::optional<std::string> ProgressStore::setting(std::string_view name) {
    SqliteStatement query = connection_.prepare("SELECT value FROM settings WHERE name = ?1");
    query.bind(1, name);
    if (!query.step()) return std::nullopt;
    return std::string(query.text(0));
}

void ProgressStore::setSetting(std::string_view name, std::string_view value) {
    SqliteStatement upsert = connection_.prepare(
        "INSERT INTO settings(name, value) VALUES (?1, ?2) ON CONFLICT(name) DO UPDATE SET value = excluded.value");
    upsert.bind(1, name).bind(2, value);
    upsert.run();
}

void ProgressStore::keepStates(const PoolRecord& record) {
    try {
        SqliteTransaction transaction(connection_);
        if (answerChanges() != expectedChanges_) return;  // someone else changed the answers: replay next time
        for (const char* table : {"DELETE FROM question_state_cache WHERE pool = ?1",
                                  "DELETE FROM forgetting_cache WHERE pool = ?1"}) {
            SqliteStatement clear = connection_.prepare(table);
            clear.bind(1, pool_);
            clear.run();
        }
        SqliteStatement header = connection_.prepare(
            "INSERT OR REPLACE INTO state_cache(pool, changes, model, answers, first_answers, first_right)"
            " VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
        header.bind(1, pool_).bind(2, expectedChanges_).bind(3, kStateCacheModel).bind(4, record.answers);
        header.bind(5, std::int64_t{record.states.firstAnswers()});
        header.bind(6, std::int64_t{record.states.firstAnswersRight()});
        header.run();
        SqliteStatement row = connection_.prepare(
            "INSERT INTO question_state_cache(pool, question, stability, difficulty, last_answer, answers,"
            " sitting_answers, sitting_stability) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)");
        for (const auto& [question, state] : record.states.all()) {
            row.bind(1, pool_).bind(2, question).bind(3, state.memory.stability).bind(4, state.memory.difficulty);
            row.bind(5, std::int64_t{state.lastAnswer.time_since_epoch().count()});
            row.bind(6, std::int64_t{state.answers}).bind(7, std::int64_t{state.sitting.answers});
            row.bind(8, state.sitting.firstStability);
            row.run();
        }
        SqliteStatement bin =
            connection_.prepare("INSERT INTO forgetting_cache(pool, bin, answers, right) VALUES (?1, ?2, ?3, ?4)");
        const ForgettingRecord::Counts& counts = record.states.forgetting().counts();
        for (std::size_t b = 0; b < counts.size(); ++b) {
            if (counts[b].answers == 0) continue;
            bin.bind(1, pool_).bind(2, static_cast<std::int64_t>(b)).bind(3, std::int64_t{counts[b].answers});
            bin.bind(4, std::int64_t{counts[b].right});
            bin.run();
        }
        transaction.commit();
    } catch (const SqliteError&) {
        // Only a cache: without it the next start replays the answers.
    }
}

}  // namespace pathwick
