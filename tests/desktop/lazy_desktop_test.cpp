#include "desktop/lazy_desktop.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "console/forwarded_keys.h"
#include "desktop/desktop_process.h"
#include "support/screen_test.h"

namespace pathwick {
namespace {

// The helper programs this process has started and not yet reaped.
std::vector<int> helperProcesses() {
    std::vector<int> found;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream children(task.path() / "children");
        for (int pid = 0; children >> pid;) {
            std::string name;
            std::ifstream("/proc/" + std::to_string(pid) + "/comm") >> name;
            if (name.starts_with("pathwick-desk")) found.push_back(pid);
        }
    }
    return found;
}

// The real helper program (SDL's dummy video driver, see tests/CMakeLists.txt)
// opens and closes figure windows; without a helper every call does nothing.
TEST(LazyDesktop, WorksThroughTheHelperAndQuietlyWithoutIt) {
    testing::TempDirectory folder;
    ::setenv("SDL_DISKAUDIOFILE", (folder.path() / "audio.raw").c_str(), 1);
    ForwardedKeys keys;
    LazyDesktop helped(keys, {"/nonexistent/pathwick-desktop", PATHWICK_DESKTOP_HELPER});
    WindowHandle figure = 0, next = 0;
    helped.showFigure("Figure:T2", figure);
    EXPECT_NE(figure, 0);
    const std::vector<int> helpers = helperProcesses();
    EXPECT_FALSE(helpers.empty());
    helped.closeGraphicWindow(figure);
    helped.playWaveAsync("#10");
    helped.showFigure("Figure:T1", next);
    EXPECT_EQ(next, figure + 1);
    EXPECT_EQ(helperProcesses(), helpers) << "the same helper serves request after request";
    helped.showFigure("Figure:T9", figure);
    EXPECT_EQ(figure, 0);

    LazyDesktop without(keys, {"/nonexistent/pathwick-desktop"});
    WindowHandle picture = 7;
    without.showFigure("Figure:T1", figure);
    without.showImageFile("Figures/x.bmp", "", picture);
    without.closeGraphicWindow(figure);
    without.playWaveAsync("#10");
    EXPECT_EQ(figure + picture, 0);
}

// A stand-in helper (shell `body` after logging its process id to
// "starts") and what it left in the folder.
struct StandIn {
    testing::TempDirectory folder;
    explicit StandIn(const std::string& body) {
        folder.write("helper", "#!/bin/sh\ncd '" + folder.path().string() + "'\necho $$ >> starts\n" + body);
        std::filesystem::permissions(folder.path() / "helper", std::filesystem::perms::owner_all);
    }
    std::vector<std::string> lines(const char* name) const {
        std::ifstream file(folder.path() / name);
        std::vector<std::string> result;
        for (std::string line; std::getline(file, line);) result.push_back(line);
        return result;
    }
    // The lines of `name` once there are `wanted` (or after 2 s).
    std::vector<std::string> awaited(const char* name, std::size_t wanted) const {
        for (int tries = 0; tries < 200 && lines(name).size() < wanted; ++tries)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return lines(name);
    }
    // The helper is gone, reaped: no zombie left either.
    bool gone(const std::string& pid) const {
        for (int tries = 0; tries < 200 && ::kill(std::stoi(pid), 0) == 0; ++tries)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return ::kill(std::stoi(pid), 0) != 0;
    }
};

// Successors are limited: a helper that ends while it opens a window gets
// one to try again; one that shows a window and then ends gets three in a
// row that show it again, not an endless line of them.
TEST(DesktopProcess, AHelperThatEndsHasFewSuccessors) {
    const std::pair<const char*, std::size_t> cases[] = {
        {"head -c 1 <&3 >/dev/null\n", 2},                                           // ends on the request
        {"dd bs=16k count=1 <&3 >/dev/null 2>&1; printf H5 >&3; sleep 0.05\n", 4},  // ends after answering
    };
    for (const auto& [body, starts] : cases) {
        StandIn helper(body);
        ForwardedKeys keys;
        DesktopProcess desktop(keys, helper.folder.path() / "helper");
        WindowHandle figure = 7;
        desktop.showFigure("Figure:T3", figure);
        EXPECT_EQ(figure != 0, starts == 4) << body;
        helper.awaited("starts", starts);
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        EXPECT_EQ(helper.lines("starts").size(), starts) << body;
    }
}

// A helper that stops reading, stops answering, or whose window system does
// not answer is killed and reaped after one reply limit; the desktop is then
// left alone for the pause (no call waits, no helper starts), and a new
// helper serves the first call after it.
TEST(DesktopProcess, AHungHelperCostsOneWaitThenAPause) {
    const DesktopLimits limits{std::chrono::milliseconds(200), std::chrono::milliseconds(800)};
    const std::pair<const char*, bool> cases[] = {
        {"exec sleep 60\n", false},                                          // never reads
        {"head -c 1 <&3 >/dev/null; exec sleep 60\n", true},                 // never answers
        {"head -c 1 <&3 >/dev/null; printf H-1 >&3; exec sleep 60\n", true},  // its display hangs
    };
    for (const auto& [body, figure] : cases) {
        StandIn helper(body);
        ForwardedKeys keys;
        DesktopProcess desktop(keys, helper.folder.path() / "helper", limits);
        WindowHandle handle = 7;
        if (figure) desktop.showFigure("Figure:T1", handle);
        for (int sounds = 0; sounds < 1000 && !figure; ++sounds) desktop.playWaveAsync("#10");
        EXPECT_EQ(handle, figure ? 0 : 7) << body;
        EXPECT_TRUE(helper.gone(helper.lines("starts").at(0))) << body;
        desktop.showFigure("Figure:T2", handle);
        desktop.playWaveAsync("#10");
        std::this_thread::sleep_for(limits.pause / 2);
        EXPECT_EQ(helper.lines("starts").size(), 1u) << body;
        std::this_thread::sleep_for(limits.pause);
        desktop.playWaveAsync("#10");
        EXPECT_EQ(helper.awaited("starts", 2).size(), 2u) << body;
    }
}

// Packets up to the longest arrive whole; a longer one is dropped, and the
// next one arrives.
TEST(DesktopChannel, PacketsUpToTheLongestArriveWhole) {
    int pair[2];
    // Not blocking: a send repeated in a loop fills the socket, and stops.
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK, 0, pair), 0);
    for (std::size_t size : {0u, 16383u, 16384u}) sendPacket(pair[0], DesktopMessage::Play, std::string(size, 'x'));
    errno = EINTR, sendPacket(pair[0], DesktopMessage::Key, "k");  // an interrupted call's errno left behind: sent once
    std::string sizes;
    for (int i = 0; i < 3; ++i) sizes += std::to_string(receivePacket(pair[1]).value().payload.size()) + " ";
    EXPECT_EQ(sizes, "0 16383 1 ");
    ::close(pair[0]);
    EXPECT_FALSE(receivePacket(pair[1])) << "the other end is gone";
    ::close(pair[1]);
    EXPECT_FALSE(receivePacket(pair[1]) || sendPacket(pair[1], DesktopMessage::Key, "k")) << "a failing socket";
    // A picture's path and title come back as they went, and a payload
    // without the NUL byte is all path; a window's handle is all digits, or 0.
    const auto parts = [](std::string_view payload) {
        return std::string(pictureRequestOf(payload).path) + "|" + std::string(pictureRequestOf(payload).title);
    };
    EXPECT_EQ(parts(pictureRequest("Figures/a.bmp", "Figure A")) + parts(pictureRequest("b", "")) + parts(pictureRequest("", "t")) +
                  parts("c.bmp") + std::to_string(handleOf("12") + handleOf("12x") + handleOf("x") + handleOf("")),
              "Figures/a.bmp|Figure Ab||t" "c.bmp|" "12");
}

// A helper that reads late is waited for: while its channel is full the
// sends wait (within the reply limit), and every request reaches it.
TEST(DesktopProcess, AFullChannelIsWaitedOnWhileTheHelperReads) {
    StandIn helper("sleep 0.2; exec cat <&3 >received\n");
    ForwardedKeys keys;
    DesktopProcess desktop(keys, helper.folder.path() / "helper");
    for (int sounds = 0; sounds < 1000; ++sounds) desktop.playWaveAsync("#10");
    const auto received = [&] {
        std::error_code missing;
        return std::filesystem::file_size(helper.folder.path() / "received", missing);
    };
    for (int tries = 0; tries < 200 && received() != 4000; ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(received(), 4000u) << "1000 times P#10";
    EXPECT_EQ(helper.lines("starts").size(), 1u);
}

// A helper killed while it shows a window is reaped at once and a successor
// shows the window again, under the program's same handle.
TEST(DesktopProcess, AKilledHelperIsReapedAndItsWindowComesBack) {
    StandIn helper(
        "while p=$(dd bs=16k count=1 <&3 2>/dev/null) && [ -n \"$p\" ]; do\n"
        "  echo \"$p\" >> requests; case $p in F*) printf H5 >&3;; esac\ndone\n");
    ForwardedKeys keys;
    DesktopProcess desktop(keys, helper.folder.path() / "helper");
    WindowHandle figure = 0;
    desktop.showFigure("Figure:T3", figure);
    ASSERT_NE(figure, 0);
    const std::string first = helper.lines("starts").at(0);
    ::kill(std::stoi(first), SIGSTOP);  // so that it starts no new child meanwhile
    std::ifstream children("/proc/" + first + "/task/" + first + "/children");  // dd holds the socket too
    for (int child = 0; children >> child;) ::kill(child, SIGKILL);
    ::kill(std::stoi(first), SIGKILL);
    EXPECT_TRUE(helper.gone(first));
    helper.awaited("requests", 2);
    desktop.closeGraphicWindow(figure);
    desktop.playWaveAsync("#10");
    EXPECT_EQ(helper.awaited("requests", 4), (std::vector<std::string>{"FFigure:T3", "FFigure:T3", "C5", "P#10"}));
}

}  // namespace
}  // namespace pathwick
