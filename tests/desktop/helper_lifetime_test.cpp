// How long a desktop helper lives: as long as the program that started it
// and no longer; and the windows of an ended helper stay its own.
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

// What the helper answers a figure request with: "window" for a window's
// handle, "ended" when it closed the channel, "silent" after 10 s.
std::string askFigure(int channel) {
    pollfd readable{channel, POLLIN, 0};
    if (!sendPacket(channel, DesktopMessage::Figure, "Figure:T1")) return "ended";
    if (::poll(&readable, 1, 10'000) != 1) return "silent";
    const auto packet = receivePacket(channel);
    return !packet ? "ended" : handleOf(packet->payload) > 0 ? "window" : packet->payload;
}

// A program (a child process) starts the real helper from a thread that
// then ends, which the helper hears as the same signal as the program's
// end; it keeps serving until the program itself dies. A helper told of a
// parent that is not its own ends at once.
TEST(HelperLifetime, ServesUntilTheProgramThatStartedItDies) {
    ::setenv("SDL_VIDEODRIVER", "dummy", 0);
    const std::pair<const char*, const char*> parents[] = {
        {"program", "window window ended"}, {nullptr, "window window ended"}, {"1", "ended ended ended"}};
    for (const auto& [parent, answers] : parents) {
        int ends[2], release[2];
        ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends) + ::pipe2(release, O_CLOEXEC), 0);
        const pid_t program = ::fork();
        if (program == 0) {
            ::close(ends[0]), ::close(release[1]);
            std::string named = parent && parent[0] == 'p' ? std::to_string(::getpid()) : parent ? parent : "";
            std::thread([&] {
                char* arguments[] = {const_cast<char*>(PATHWICK_DESKTOP_HELPER), parent ? named.data() : nullptr, nullptr};
                posix_spawn_file_actions_t actions;
                posix_spawn_file_actions_init(&actions);
                posix_spawn_file_actions_adddup2(&actions, ends[1], kDesktopChannelDescriptor);
                ::posix_spawn(nullptr, PATHWICK_DESKTOP_HELPER, &actions, nullptr, arguments, environ);
                ::close(ends[1]);
                char go = 0;
                [[maybe_unused]] const auto told = ::read(release[0], &go, 1);  // till the thread may end
            }).join();
            char released = 0;
            ::_exit(int(::read(release[0], &released, 1)));
        }
        ::close(ends[1]), ::close(release[0]);
        std::string seen = askFigure(ends[0]);
        EXPECT_EQ(::write(release[1], "x", 1), 1);  // the starting thread ends
        std::this_thread::sleep_for(100ms);          // and the helper has heard of it
        seen += " " + askFigure(ends[0]);
        ::close(release[1]), ::waitpid(program, nullptr, 0);
        pollfd readable{ends[0], POLLIN, 0};
        EXPECT_EQ(seen + (::poll(&readable, 1, 10'000) == 1 && !receivePacket(ends[0]) ? " ended" : " alive"), answers)
            << (parent ? parent : "no parent named");
        ::close(ends[0]);
    }
}

// A window shown by a helper that was later killed (it hung) went with it:
// its handle closes nothing of the next helper, whose own handles start
// again (both helpers say 5).
TEST(HelperLifetime, AnEndedHelpersWindowNeverClosesASuccessorsWindow) {
    TempDirectory folder;
    folder.write("helper", "#!/bin/sh\ncd '" + folder.path().string() + "'\necho $$ >> starts\nn=$(wc -l < starts)\n"
                 "while p=$(dd bs=16k count=1 <&3 2>/dev/null) && [ -n \"$p\" ]; do\n  echo \"$n $p\" >> requests\n"
                 "  [ \"$n$p\" = 1FFigure:T2 ] && exec sleep 60\n  case $p in F*) printf H5 >&3;; esac\ndone\n");
    std::filesystem::permissions(folder.path() / "helper", std::filesystem::perms::owner_all);
    const DesktopLimits limits{1500ms, 300ms};  // room for a slow start; the pause only has to pass
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
    std::string requests;
    for (int tries = 0; tries < 200 && !requests.ends_with("C5\n"); ++tries) {
        std::this_thread::sleep_for(10ms);
        requests.assign(std::istreambuf_iterator<char>(std::ifstream(folder.path() / "requests").rdbuf()), {});
    }
    EXPECT_EQ(requests, "1 FFigure:T1\n1 FFigure:T2\n2 FFigure:T3\n2 P#10\n2 C5\n");
}

}  // namespace
}  // namespace pathwick::testing
