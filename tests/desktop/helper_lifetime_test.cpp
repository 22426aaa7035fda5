// How long a desktop helper lives: as long as the program that started it
// and no longer, and the windows of an ended helper stay its own.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <thread>

#include "desktop/desktop_process.h"
#include "support/screen_test.h"

extern char** environ;

namespace pathwick::testing {
namespace {

using namespace std::chrono_literals;

// The real helper program on `channel`, told that `parent` started it (none:
// it takes its parent as it finds it).
pid_t startHelper(int channel, const char* parent) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, channel, kDesktopChannelDescriptor);
    char* arguments[] = {const_cast<char*>(PATHWICK_DESKTOP_HELPER), const_cast<char*>(parent), nullptr};
    pid_t pid = -1;
    ::posix_spawn(&pid, PATHWICK_DESKTOP_HELPER, &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// What the helper sends next: "window" for a window's handle, "ended" when
// it closed the channel, "silent" when nothing comes within 10 s.
std::string nextFrom(int channel) {
    pollfd readable{channel, POLLIN, 0};
    if (::poll(&readable, 1, 10'000) != 1) return "silent";
    const auto packet = receivePacket(channel);
    if (!packet) return "ended";
    return packet->kind == DesktopMessage::Handle && handleOf(packet->payload) > 0 ? "window" : packet->payload;
}

std::string askFigure(int channel) {
    return sendPacket(channel, DesktopMessage::Figure, "Figure:T1") ? nextFrom(channel) : "ended";
}

// The program's end reaches the helper as a signal, and so does the end of
// the program's thread that started it: only the first ends the helper. A
// helper started for a program that is not its parent ends at once.
TEST(HelperLifetime, ServesWhileTheProgramLivesThoughItsStartingThreadEnded) {
    ::setenv("SDL_VIDEODRIVER", "dummy", 0);
    const std::string self = std::to_string(::getpid());
    const std::pair<const char*, std::string> starts[] = {
        {self.c_str(), "window window"}, {nullptr, "window window"}, {"1", "ended ended"}};
    for (const auto& [parent, answers] : starts) {
        int ends[2];
        ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends), 0);
        pid_t helper = -1;
        std::string first;
        std::thread([&] {
            helper = startHelper(ends[1], parent);
            ::close(ends[1]);
            first = askFigure(ends[0]);
        }).join();
        std::this_thread::sleep_for(100ms);  // the signal of the thread's end arrives meanwhile
        EXPECT_EQ(first + " " + askFigure(ends[0]), answers) << (parent ? parent : "no parent named");
        ::close(ends[0]);
        int status = -1;
        EXPECT_EQ(::waitpid(helper, &status, 0), helper);
        EXPECT_EQ(status, 0) << "ended of its own accord";
    }
}

TEST(HelperLifetime, EndsWhenTheProgramThatStartedItDies) {
    ::setenv("SDL_VIDEODRIVER", "dummy", 0);
    int ends[2], release[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends), 0);
    ASSERT_EQ(::pipe2(release, O_CLOEXEC), 0);
    const pid_t program = ::fork();
    if (program == 0) {  // starts the helper, then dies when released
        ::close(ends[0]), ::close(release[1]);
        char self[16];
        std::snprintf(self, sizeof self, "%d", int(::getpid()));
        startHelper(ends[1], self);
        char released = 0;
        ::_exit(int(::read(release[0], &released, 1)));
    }
    ::close(ends[1]), ::close(release[0]);
    EXPECT_EQ(askFigure(ends[0]), "window");
    ::close(release[1]);
    ::waitpid(program, nullptr, 0);
    EXPECT_EQ(nextFrom(ends[0]), "ended");
    ::close(ends[0]);
}

// A window the program opened through a helper that was later killed (it
// hung) belongs to that helper alone: its handle closes nothing of the
// next helper, whose own numbers start again (both say 5 here).
TEST(HelperLifetime, AnEndedHelpersWindowNeverClosesASuccessorsWindow) {
    TempDirectory folder;
    folder.write("helper", "#!/bin/sh\ncd '" + folder.path().string() + "'\necho $$ >> starts\nn=$(wc -l < starts)\n"
                 "while p=$(dd bs=16k count=1 <&3 2>/dev/null) && [ -n \"$p\" ]; do\n  echo \"$n $p\" >> requests\n"
                 "  [ \"$n$p\" = 1FFigure:T2 ] && exec sleep 60\n  case $p in F*) printf H5 >&3;; esac\ndone\n");
    std::filesystem::permissions(folder.path() / "helper", std::filesystem::perms::owner_all);
    const DesktopLimits limits{200ms, 500ms};
    ForwardedKeys keys;
    DesktopProcess desktop(keys, folder.path() / "helper", limits);
    WindowHandle old = 0, hung = 0, fresh = 0;
    desktop.showFigure("Figure:T1", old);
    desktop.showFigure("Figure:T2", hung);
    std::this_thread::sleep_for(limits.pause + 200ms);
    desktop.showFigure("Figure:T3", fresh);
    EXPECT_EQ(std::to_string(old) + std::to_string(hung) + std::to_string(fresh), "102");
    desktop.closeGraphicWindow(old);
    desktop.playWaveAsync("#10");
    desktop.closeGraphicWindow(fresh);
    std::vector<std::string> requests;
    for (int tries = 0; tries < 200 && requests.size() < 5; ++tries) {
        std::this_thread::sleep_for(10ms);
        std::ifstream file(folder.path() / "requests");
        requests.clear();
        for (std::string line; std::getline(file, line);) requests.push_back(line);
    }
    EXPECT_EQ(requests, (std::vector<std::string>{"1 FFigure:T1", "1 FFigure:T2", "2 FFigure:T3", "2 P#10", "2 C5"}));
}

}  // namespace
}  // namespace pathwick::testing
