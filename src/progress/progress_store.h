#pragma once
// The file that keeps progress: an SQLite database whose `answers` table is
// the record (one row per answer, documented for users), beside tables of
// the program's own: the practice tests taken, settings, and a cache of the
// per-question states so that a long history starts as fast as a short one.
//
// The store serves one pool. Opening it checks the file before anything is
// written to it: a file it refuses is left byte for byte as it was.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "console/clock.h"
#include "progress/chance_history.h"
#include "progress/progress.h"
#include "progress/question_states.h"
#include "progress/sqlite_handle.h"

namespace pathwick {

// Why the file cannot be used, as one line for the user.
class ProgressRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The version of the file's layout (PRAGMA user_version) this program writes.
inline constexpr int kProgressFileVersion = 4;

struct AnswerRow {
    std::string_view question;
    UtcTime answeredAt;
    bool correct{};
    double seconds = 0;
    AnswerMode mode = AnswerMode::Drill;
};

struct TestRow {
    UtcTime takenAt;
    std::string localDate;  // YYYY-MM-DD
    int score = 0;
    int questions = 0;
    bool passed{};
};

// What the answers of one pool say, and how many rows said it.
struct PoolRecord {
    QuestionStates states;
    std::int64_t answers = 0;
};

class ProgressStore {
public:
    // Opens `file` for `pool` (the --pool long name), creating the file
    // (mode 0600) and its folder (0700) when they are missing, and migrating
    // a file of an older layout. Throws ProgressRefused.
    ProgressStore(const std::filesystem::path& file, std::string_view pool);

    const std::filesystem::path& file() const { return file_; }
    // The pool's record as it was when the store was opened.
    const PoolRecord& opened() const { return opened_; }

    // Each commits at once. Throw SqliteError when the write fails.
    void appendAnswer(const AnswerRow& answer);
    void appendTest(const TestRow& test);

    // Every answer of the pool in the order given (by answered_at; rows of
    // equal time in the order they were added); rows whose time cannot be
    // read are left out.
    std::vector<RecordedAnswer> answers();
    // The last `count` practice tests of the pool, the newest last.
    std::vector<TestResult> recentTests(int count);

    std::optional<std::string> setting(std::string_view name);
    void setSetting(std::string_view name, std::string_view value);

    // Keeps `record` as the cache of the pool's states, unless rows were
    // added, changed or removed by anyone else since the store was opened:
    // then the next start replays the answers instead.
    void keepStates(const PoolRecord& record);

private:
    int checkedVersion();
    std::optional<PoolRecord> cachedRecord();
    PoolRecord replayedRecord();
    std::int64_t answerChanges();

    std::filesystem::path file_;
    std::string pool_;
    SqliteConnection connection_;
    PoolRecord opened_;
    // The pool's count of changes to `answers` that the cache must match:
    // as read at opening, plus this store's own rows.
    std::int64_t expectedChanges_ = 0;
};

}  // namespace pathwick
