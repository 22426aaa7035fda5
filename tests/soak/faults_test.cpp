// Failures of the world outside the program, met at the level of the whole
// program or the drill: a hints.txt that cannot be read, is endless, huge,
// or changes under the running program, and a clock that jumps or stands
// where a run-time stamp cannot reach.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/program.h"
#include "support/drill_driver.h"
#include "support/hints_file.h"
#include "support/screen_test.h"

namespace pathwick::testing {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

enum class HintsKind { Unreadable, Directory, FifoWithWriter, EndlessDevice, SymlinkLoop };

class HintsFileFault : public ::testing::TestWithParam<HintsKind> {
protected:
    ~HintsFileFault() override {
        if (writer >= 0) ::close(writer);
    }
    // Puts the faulty hints.txt in place; false when this machine cannot
    // show the fault (root reads whatever the permissions say).
    bool makeHintsFile() {
        const auto file = folder.path() / "hints.txt";
        switch (GetParam()) {
            case HintsKind::Unreadable:
                folder.write("hints.txt", "T0A01: secret [x]\r\n");
                fs::permissions(file, fs::perms::none);
                return ::geteuid() != 0;
            case HintsKind::Directory:
                folder.write("hints.txt/T0A01", "T0A01: inside [x]\r\n");
                return true;
            case HintsKind::FifoWithWriter:
                // A writer holds the FIFO open with a hint queued in it: a
                // reader that took it for a file would read it, one that read
                // to the end would wait for ever.
                if (::mkfifo(file.c_str(), 0600) != 0) return false;
                writer = ::open(file.c_str(), O_RDWR | O_NONBLOCK);
                return writer >= 0 && ::write(writer, "T0A01: piped [x]\r\n", 18) == 18;
            case HintsKind::EndlessDevice: fs::create_symlink("/dev/zero", file); return true;
            case HintsKind::SymlinkLoop: fs::create_symlink("hints.txt", file); return true;
        }
        return false;
    }

    TempDirectory folder;
    int writer = -1;
};

// The program starts, drills, shows the answer on H without any hint, and
// says goodbye, whatever stands at hints.txt.
TEST_P(HintsFileFault, ProgramGoesOnWithoutHints) {
    if (!makeHintsFile()) GTEST_SKIP() << "this fault cannot be made here (running as root?)";
    DrillRig rig;
    rig.context.hintsDirectory = folder.path();
    rig.script().type("0s1").enter();
    std::string hintPrompt, answerLine, hintRow;
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
                                           HintsKind::FifoWithWriter, HintsKind::EndlessDevice,
                                           HintsKind::SymlinkLoop));

long peakResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.starts_with("VmHWM:")) return std::stol(line.substr(6));
    return 0;
}

// 200 MB, almost all of it a hole: only the start is read, so the program
// neither fills its memory with it nor sees the line far behind the start.
TEST(HugeHintsFile, OnlyItsStartIsRead) {
    TempDirectory folder;
    const auto file = folder.path() / "hints.txt";
    folder.write("hints.txt", "T0A01: near the start [x]\r\n");
    fs::resize_file(file, 200ull * 1024 * 1024);
    std::fstream(file, std::ios::binary | std::ios::in | std::ios::out).seekp(150ll * 1024 * 1024)
        << "\r\nT0A02: far behind [y]\r\n";
    ScreenRig rig;
    CountedList index{kHintIndexLast};
    WindowHandle window = 0;
    const long peakBefore = peakResidentKiB();
    const auto request = [&](std::string text) {
        showHint(text, index, window, rig.screen, rig.desktop, folder.path());
        return trimmedRow(rig.screen, 29);
    };
    request("Index");
    EXPECT_EQ(request("T0A02"), "");
    EXPECT_EQ(request("T0A01"), " near the start [x]");
    EXPECT_EQ(index[0], "1");
    EXPECT_EQ(index[1], "T0A01");
    EXPECT_LT(peakResidentKiB() - peakBefore, 64 * 1024) << "KiB added to the peak";
}

// The index is built once at start-up from the old file; every hint request
// reads the file as it is then.
TEST(HintsFileReplaced, IndexKeepsTheOldFileRequestsReadTheNewOne) {
    TempDirectory folder;
    folder.write("hints.txt", "T0A01: old text [a]\r\n");
    DrillRig rig;
    rig.context.hintsDirectory = folder.path();
    rig.script().type("0s1").enter();

    std::vector<std::string> seen;  // "ID|prompt|hint" per question
    rig.terminal.respondWith([&](ScriptedTerminal& next) {
        if (rig.onWrongAnswer()) {
            next.type("x");
        } else if (rig.onQuestion() && textAt(rig.screen, 27, 2, 4) != "The ") {
            if (seen.empty()) {
                folder.write("hints.new", "T0A01: new text [b]\r\nT0A02: also new [c]\r\n");
                fs::rename(folder.path() / "hints.new", folder.path() / "hints.txt");
            }
            seen.push_back(textAt(rig.screen, 2, 15, 5) + "|" + textAt(rig.screen, 25, 80, 4) + "|");
            next.type("h");
        } else if (rig.onQuestion()) {
            seen.back() += trimmedRow(rig.screen, 29);
            next.type(seen.size() < 2 ? "a" : "s");
        } else if (textAt(rig.screen, 6, 33, 16) == "<<< Pathwick >>>" && seen.size() == 2) {
            next.escape();
        }
    });
    RunProgram(rig.context);
    // The second prompt stays blank: the index is not rebuilt.
    EXPECT_EQ(seen, (std::vector<std::string>{"T0A01|Hint| new text [b]", "T0A02|    | also new [c]"}))
        << dump(rig.screen);
}

std::string runTime(const DrillRig& rig) {
    const std::string shown = textAt(rig.screen, 25, 50, 18);
    return shown.starts_with("Run Time: ERROR") ? shown.substr(0, 15) : shown;
}

// A sequential drill of subelement 0 at `start`; each step notes the run
// time, moves the clock by its jump and waits its idle time.
struct ClockStep {
    std::chrono::milliseconds jump;
    int idleMs;
};
std::vector<std::string> runTimesSeen(const LocalTime& start, std::vector<ClockStep> steps) {
    DrillRig rig;
    rig.clock.set(start);
    rig.load(0);
    rig.script().type("s1").enter();
    std::vector<std::string> shown;
    std::vector<ReactiveTerminal::Responder> responders;
    for (const ClockStep& step : steps) {
        responders.push_back([&rig, &shown, step](ScriptedTerminal& next) {
            shown.push_back(runTime(rig));
            rig.clock.advance(step.jump);
            next.idle(step.idleMs);
        });
    }
    // The last answer still reaches the drill, whatever the clock showed.
    responders.push_back([&](ScriptedTerminal& next) {
        shown.push_back(runTime(rig));
        next.type(rig.keyLetter());
    });
    responders.push_back([&](ScriptedTerminal&) {
        EXPECT_EQ(rig.state.current, 2) << "the answer reached the drill";
        EXPECT_EQ(dump(rig.screen).find("Invalid date"), std::string::npos);
        shown.push_back(runTime(rig));
    });
    rig.respondInTurn(std::move(responders));
    EXPECT_THROW(rig.run(), InputClosed);
    return shown;
}

TEST(ClockFaults, SetBackShowsZeroForwardCountsAndPast99HoursShowsError) {
    const auto shown = runTimesSeen({2026, 6, 15, 10, 0, 0, 0},
                                    {{0h, 5000}, {-2h, 40}, {3h, 40}, {98h + 59min + 54s, 40}, {0h, 1000}});
    EXPECT_EQ(shown, (std::vector<std::string>{"Run Time: 00:00:00", "Run Time: 00:00:05", "Run Time: 00:00:00",
                                               "Run Time: 01:00:05", "Run Time: 99:59:59",
                                               "Run Time: ERROR", "Run Time: ERROR"}));
}

// Around the end of the range a stamp can hold: the stamp passes 2^31 on
// 01-19-2048 at 03:14:08 and still counts; from 01-21-2048 on it is 0, and
// the run time then shows zero without a report swallowing the answer.
TEST(ClockFaults, TheYear2048Edge) {
    EXPECT_EQ(runTimesSeen({2048, 1, 19, 3, 14, 0, 0}, {{0h, 10000}})[1], "Run Time: 00:00:10");
    EXPECT_EQ(runTimesSeen({2048, 1, 20, 23, 59, 55, 0}, {{0h, 3000}, {0h, 4000}}),
              (std::vector<std::string>{"Run Time: 00:00:00", "Run Time: 00:00:03", "Run Time: 00:00:00",
                                        "Run Time: 00:00:00"}));
}

}  // namespace
}  // namespace pathwick::testing
