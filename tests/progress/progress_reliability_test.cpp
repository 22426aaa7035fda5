// What the record keeps when the program is killed, when two programs write
// at once, and when the disk fills: real processes on real files.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "progress/remembered_progress.h"
#include "support/screen_test.h"

namespace pathwick {
namespace {

using testing::TempDirectory;

std::int64_t count(const std::filesystem::path& file, std::string_view sql) {
    return SqliteConnection(file, SqliteConnection::Create::No).integerOf(sql);
}

// In a child process: records answers numbered by their `seconds`, writing
// a byte to `committed` after each; ends with 0 when all `answers` were saved.
pid_t startWriter(const std::filesystem::path& file, AnswerMode mode, int answers, int committed = -1) {
    const pid_t child = ::fork();
    if (child != 0) return child;
    SystemClock clock;
    bool saved = false;
    {
        RememberedProgress progress(file, Edition2018(), clock);
        for (int i = 0; i < answers; ++i) {
            progress.recordAnswer("T1A01", i % 3 == 0, i, mode);
            if (committed >= 0 && ::write(committed, "+", 1) != 1) break;
        }
        saved = progress.saving();
    }
    ::_exit(saved ? 0 : 1);
}

int exitStatusOf(pid_t child) {
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(ProgressReliability, AKilledProgramLosesNoCommittedAnswer) {
    const TempDirectory folder;
    const auto file = folder.path() / "progress.sqlite3";
    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    const pid_t child = startWriter(file, AnswerMode::Drill, 1'000'000, pipe[1]);
    ::close(pipe[1]);
    char byte;
    int committed = 0;
    while (committed < 300 && ::read(pipe[0], &byte, 1) == 1) ++committed;
    ::kill(child, SIGKILL);
    EXPECT_EQ(exitStatusOf(child), 128 + SIGKILL);
    ::close(pipe[0]);

    const std::int64_t rows = count(file, "SELECT count(*) FROM answers");
    EXPECT_GE(rows, committed);
    EXPECT_EQ(count(file, "SELECT max(seconds) + 1 FROM answers"), rows) << "a row missing in between";
    SystemClock clock;
    EXPECT_EQ(RememberedProgress(file, Edition2018(), clock).answers(), rows);
}

TEST(ProgressReliability, TwoProgramsWritingAtOnceKeepEveryAnswerOfBoth) {
    const TempDirectory folder;
    const auto file = folder.path() / "progress.sqlite3";  // new: both also create it at once
    const pid_t drill = startWriter(file, AnswerMode::Drill, 2000);
    const pid_t test = startWriter(file, AnswerMode::Test, 2000);
    EXPECT_EQ(exitStatusOf(drill), 0);
    EXPECT_EQ(exitStatusOf(test), 0);
    EXPECT_EQ(count(file, "SELECT count(DISTINCT seconds) FROM answers WHERE mode = 'drill'"), 2000);
    EXPECT_EQ(count(file, "SELECT count(DISTINCT seconds) FROM answers WHERE mode = 'test'"), 2000);
    SystemClock clock;
    EXPECT_EQ(RememberedProgress(file, Edition2018(), clock).answers(), 4000);
}

// A tmpfs of 512 KiB over `folder` while it lives.
struct SmallDisk {
    explicit SmallDisk(const std::filesystem::path& where) : folder(where) {
        std::filesystem::create_directory(folder);
        mounted = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=512k") == 0;
    }
    ~SmallDisk() {
        if (mounted) ::umount2(folder.c_str(), MNT_DETACH);
    }
    std::filesystem::path folder;
    bool mounted = false;
};

TEST(ProgressReliability, AFullDiskEndsSavingButNeitherTheRunNorTheFile) {
    const TempDirectory folder;
    const SmallDisk disk(folder.path() / "disk");
    if (!disk.mounted) GTEST_SKIP() << "mounting a small tmpfs is not permitted here";
    const auto file = folder.path() / "disk" / "progress.sqlite3";
    SystemClock clock;
    {
        RememberedProgress progress(file, Edition2018(), clock);
        progress.recordAnswer("T1A01", true, 1, AnswerMode::Drill);
        std::ofstream filler(folder.path() / "disk" / "filler", std::ios::binary);
        while (filler << std::string(4096, 'x') << std::flush) {
        }
        for (int i = 0; i < 500; ++i) progress.recordAnswer("T1A02", false, 1, AnswerMode::Drill);
        EXPECT_FALSE(progress.saving());
        EXPECT_EQ(progress.answers(), 501);
        EXPECT_EQ(progress.standingNow().seen, 2);
    }
    std::filesystem::remove(folder.path() / "disk" / "filler");
    RememberedProgress reopened(file, Edition2018(), clock);
    EXPECT_TRUE(reopened.answers() >= 1 && reopened.answers() < 501 && reopened.saving()) << reopened.answers();
}

}  // namespace
}  // namespace pathwick
