// Failures of the world outside the program, each met at the level of the
// whole program or the drill: a hints.txt that cannot be read, is endless,
// huge, or changes under the running program, and a clock that jumps or
// stands where a run-time stamp cannot reach.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "drill/program.h"
#include "support/drill_driver.h"
#include "support/hints_file.h"
#include "support/screen_test.h"

namespace pathwick::testing {
namespace {

using namespace std::chrono_literals;

// ------------------------------------------------------- hints.txt kinds ---

enum class HintsKind { Unreadable, Directory, FifoWithWriter, EndlessDevice, SymlinkLoop };

std::string nameOf(const ::testing::TestParamInfo<HintsKind>& info) {
    switch (info.param) {
        case HintsKind::Unreadable: return "Unreadable";
        case HintsKind::Directory: return "Directory";
        case HintsKind::FifoWithWriter: return "FifoWithWriter";
        case HintsKind::EndlessDevice: return "EndlessDevice";
        case HintsKind::SymlinkLoop: return "SymlinkLoop";
    }
    return "Unknown";
}

class OwnedDescriptor {
public:
    OwnedDescriptor() = default;
    explicit OwnedDescriptor(int fd) : fd_(fd) {}
    OwnedDescriptor(const OwnedDescriptor&) = delete;
    OwnedDescriptor& operator=(const OwnedDescriptor&) = delete;
    OwnedDescriptor& operator=(OwnedDescriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    ~OwnedDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }

private:
    int fd_ = -1;
};

class HintsFileFault : public ::testing::TestWithParam<HintsKind> {
protected:
    // Puts the faulty hints.txt in place; false when this machine cannot
    // show the fault.
    bool makeHintsFile() {
        const auto file = folder.path() / "hints.txt";
        switch (GetParam()) {
            case HintsKind::Unreadable:
                // Root reads whatever the permissions say.
                if (::geteuid() == 0) return false;
                folder.write("hints.txt", "T0A01: secret [x]\r\n");
                std::filesystem::permissions(file, std::filesystem::perms::none);
                return true;
            case HintsKind::Directory:
                folder.write("hints.txt/T0A01", "T0A01: inside [x]\r\n");
                return true;
            case HintsKind::FifoWithWriter:
                // A writer holds the FIFO open with a hint queued in it, so
                // a reader that took it for a file would read it, and one
                // that read to the end would wait for ever.
                if (::mkfifo(file.c_str(), 0600) != 0) return false;
                writer = OwnedDescriptor(::open(file.c_str(), O_RDWR | O_NONBLOCK));
                return writer.get() >= 0 && ::write(writer.get(), "T0A01: piped [x]\r\n", 18) == 18;
            case HintsKind::EndlessDevice:
                std::filesystem::create_symlink("/dev/zero", file);
                return true;
            case HintsKind::SymlinkLoop:
                std::filesystem::create_symlink("hints.txt", file);
                return true;
        }
        return false;
    }

    TempDirectory folder;
    OwnedDescriptor writer;
};

// The program starts, drills, shows the answer on H without any hint, and
// says goodbye, whatever stands at hints.txt.
TEST_P(HintsFileFault, ProgramGoesOnWithoutHints) {
    if (!makeHintsFile()) GTEST_SKIP() << "this fault cannot be made here (running as root?)";
    DrillRig rig;
    rig.context.hintsDirectory = folder.path();
    rig.script().type("0").type("s").type("1").enter();
    std::string answerLine;
    std::string hintRow;
    std::string hintPrompt;
    rig.respondInTurn({
        [&](ScriptedTerminal& next) {
            ASSERT_TRUE(rig.onQuestion()) << dump(rig.screen);
            hintPrompt = textAt(rig.screen, 25, 80, 4);
            next.type("h");
        },
        [&](ScriptedTerminal& next) {
            answerLine = textAt(rig.screen, 27, 2, 23);
            hintRow = trimmedRow(rig.screen, 29);
            next.type("s").escape();
        },
    });
    RunProgram(rig.context);  // returns through the goodbye screen
    EXPECT_EQ(hintPrompt, "    ");
    EXPECT_EQ(answerLine, "The Correct Answer is: ");
    EXPECT_EQ(hintRow, "");
    EXPECT_TRUE(rig.desktop.openWindows().empty());
    EXPECT_NE(trimmedRow(rig.screen, 21).find("Thanks for playing."), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Kinds, HintsFileFault,
                         ::testing::Values(HintsKind::Unreadable, HintsKind::Directory,
                                           HintsKind::FifoWithWriter,
                                           HintsKind::EndlessDevice, HintsKind::SymlinkLoop),
                         nameOf);

// ------------------------------------------------------- a huge hints.txt ---

long peakResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("VmHWM:")) return std::stol(line.substr(6));
    }
    return 0;
}

// 200 MB, almost all of it a hole: only the start is read, so the program
// neither fills its memory with it nor sees the line far behind the start.
TEST(HugeHintsFile, OnlyItsStartIsRead) {
    TempDirectory folder;
    const auto file = folder.path() / "hints.txt";
    folder.write("hints.txt", "T0A01: near the start [x]\r\n");
    std::filesystem::resize_file(file, 200ull * 1024 * 1024);
    {
        std::fstream out(file, std::ios::binary | std::ios::in | std::ios::out);
        out.seekp(150ll * 1024 * 1024);
        out << "\r\nT0A02: far behind [y]\r\n";
    }
    ScreenRig rig;
    CountedList index{kHintIndexLast};
    WindowHandle window = 0;
    const long peakBefore = peakResidentKiB();

    std::string request = "Index";
    showHint(request, index, window, rig.screen, rig.desktop, folder.path());
    request = "T0A02";
    showHint(request, index, window, rig.screen, rig.desktop, folder.path());
    EXPECT_EQ(trimmedRow(rig.screen, 29), "");
    request = "T0A01";
    showHint(request, index, window, rig.screen, rig.desktop, folder.path());

    EXPECT_EQ(index[0], "1");
    EXPECT_EQ(index[1], "T0A01");
    EXPECT_EQ(trimmedRow(rig.screen, 29), " near the start [x]");
    EXPECT_LT(peakResidentKiB() - peakBefore, 64 * 1024) << "KiB added to the peak";
}

// ------------------------------------------- hints.txt edited meanwhile ---

void replaceFile(const TempDirectory& folder, std::string_view bytes) {
    folder.write("hints.new", bytes);
    std::filesystem::rename(folder.path() / "hints.new", folder.path() / "hints.txt");
}

// The index is built once at start-up from the old file; every hint request
// reads the file as it is then.
TEST(HintsFileReplaced, IndexKeepsTheOldFileRequestsReadTheNewOne) {
    TempDirectory folder;
    folder.write("hints.txt", "T0A01: old text [a]\r\n");
    DrillRig rig;
    rig.context.hintsDirectory = folder.path();
    rig.script().type("0").type("s").type("1").enter();

    struct Seen {
        std::string id, prompt, hint;
    };
    std::vector<Seen> seen;
    rig.terminal.respondWith([&](ScriptedTerminal& next) {
        if (rig.onWrongAnswer()) {
            next.type("x");
        } else if (rig.onQuestion() && textAt(rig.screen, 27, 2, 4) != "The ") {
            if (seen.empty()) {
                replaceFile(folder, "T0A01: new text [b]\r\nT0A02: also new [c]\r\n");
            }
            seen.push_back({textAt(rig.screen, 2, 15, 5), textAt(rig.screen, 25, 80, 4), ""});
            next.type("h");
        } else if (rig.onQuestion()) {
            seen.back().hint = trimmedRow(rig.screen, 29);
            next.type(seen.size() < 2 ? "a" : "s");
        } else if (textAt(rig.screen, 6, 33, 16) == "<<< Pathwick >>>" && seen.size() == 2) {
            next.escape();
        }
    });
    RunProgram(rig.context);

    ASSERT_EQ(seen.size(), 2u) << dump(rig.screen);
    EXPECT_EQ(seen[0].id, "T0A01");
    EXPECT_EQ(seen[0].prompt, "Hint");
    EXPECT_EQ(seen[0].hint, " new text [b]");
    EXPECT_EQ(seen[1].id, "T0A02");
    EXPECT_EQ(seen[1].prompt, "    ") << "the index is not rebuilt";
    EXPECT_EQ(seen[1].hint, " also new [c]");
}

// ---------------------------------------------------------- the clock ---

std::string runTime(const DrillRig& rig) { return textAt(rig.screen, 25, 50, 18); }

void startSequential(DrillRig& rig) {
    rig.load(0);
    rig.script().type("s").type("1").enter();
}

TEST(ClockFaults, SetBackShowsZeroForwardCountsAndPast99HoursShowsError) {
    DrillRig rig;
    startSequential(rig);
    std::vector<std::string> shown;
    rig.respondInTurn({
        [&](ScriptedTerminal& next) { next.idle(5000); },
        [&](ScriptedTerminal& next) {
            shown.push_back(runTime(rig));
            rig.clock.advance(-2h);
            next.idle(40);
        },
        [&](ScriptedTerminal& next) {
            shown.push_back(runTime(rig));
            rig.clock.advance(3h);
            next.idle(40);
        },
        [&](ScriptedTerminal& next) {
            shown.push_back(runTime(rig));
            rig.clock.advance(98h + 59min + 54s);  // 99:59:59 from the start
            next.idle(40);
        },
        [&](ScriptedTerminal& next) {
            shown.push_back(runTime(rig));
            next.idle(1000);
        },
        [&](ScriptedTerminal& next) {
            shown.push_back(textAt(rig.screen, 25, 50, 15));
            next.type(rig.keyLetter());
        },
        [&](ScriptedTerminal&) {
            EXPECT_EQ(rig.state.current, 2) << "the drill goes on";
            shown.push_back(textAt(rig.screen, 25, 50, 15));
        },
    });
    EXPECT_THROW(rig.run(), InputClosed);
    const std::vector<std::string> expected = {
        "Run Time: 00:00:05", "Run Time: 00:00:00", "Run Time: 01:00:05",
        "Run Time: 99:59:59", "Run Time: ERROR",    "Run Time: ERROR"};
    EXPECT_EQ(shown, expected);
}

// Around the end of the range a stamp can hold: the stamp passes 2^31 on
// 01-19-2048 at 03:14:08 and still counts; from 01-21-2048 on it is 0, and
// the run time then shows zero without a report swallowing the answer.
TEST(ClockFaults, TheYear2048Edge) {
    {
        DrillRig rig;
        rig.clock.set({2048, 1, 19, 3, 14, 0, 0});
        startSequential(rig);
        rig.respondInTurn({
            [&](ScriptedTerminal& next) { next.idle(10000); },
            [&](ScriptedTerminal&) { EXPECT_EQ(runTime(rig), "Run Time: 00:00:10"); },
        });
        EXPECT_THROW(rig.run(), InputClosed);
    }
    DrillRig rig;
    rig.clock.set({2048, 1, 20, 23, 59, 55, 0});
    startSequential(rig);
    rig.respondInTurn({
        [&](ScriptedTerminal& next) {
            EXPECT_EQ(runTime(rig), "Run Time: 00:00:00");
            next.idle(3000);
        },
        [&](ScriptedTerminal& next) {
            EXPECT_EQ(runTime(rig), "Run Time: 00:00:03");
            next.idle(4000);
        },
        [&](ScriptedTerminal& next) {
            EXPECT_EQ(rig.clock.now().day, 21);
            EXPECT_EQ(runTime(rig), "Run Time: 00:00:00");
            next.type(rig.keyLetter());
        },
        [&](ScriptedTerminal&) {
            EXPECT_EQ(rig.state.current, 2) << "the answer reached the drill";
            for (int row = 1; row <= kScreenRows; ++row)
                EXPECT_EQ(trimmedRow(rig.screen, row).find("Invalid date"), std::string::npos);
        },
    });
    EXPECT_THROW(rig.run(), InputClosed);
}

}  // namespace
}  // namespace pathwick::testing
