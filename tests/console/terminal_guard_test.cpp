#include "console/file_descriptor.h"
#include "console/terminal_guard.h"
#include "console/terminal_type.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>

namespace pathwick {
namespace {

// Never mapped, and not null (a sanitizer would report a null store itself).
volatile std::uintptr_t unmapped = 16;

// A child guards a fresh pseudo-terminal that has a typed line pending,
// makes it raw and ends by `end` (nullptr: the guard's destruction). Then
// its status (exit code or -signal), the modes, input and output are checked.
void expectRestoredAfter(const std::function<void()>& end, int status) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_TRUE(master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0);
    const int tty = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
    ASSERT_EQ(::write(master, "q7\r", 3), 3);
    pollfd typed{tty, POLLIN, 0}, output{master, POLLIN, 0};
    ASSERT_EQ(::poll(&typed, 1, 2000), 1);  // the line is pending
    const pid_t child = ::fork();
    if (child == 0) {
        for (int signal : {SIGSEGV, SIGBUS, SIGABRT, SIGFPE, SIGILL}) std::signal(signal, SIG_DFL);
        {
            TerminalGuard guard(tty, tty);
            guard.setLeaveSequence("<leave>");
            termios raw{};
            ::tcgetattr(tty, &raw);
            ::cfmakeraw(&raw);
            ::tcsetattr(tty, TCSANOW, &raw);
            if (end) end();
        }
        std::quick_exit(0);
    }
    int ended = 0;
    // A restore that never finishes fails the test rather than hanging it.
    for (int waited = 0; ::waitpid(child, &ended, WNOHANG) == 0; ++waited) {
        if (waited == 500) ::kill(child, SIGKILL);
        ::usleep(10'000);
    }
    EXPECT_EQ(WIFEXITED(ended) ? WEXITSTATUS(ended) : -WTERMSIG(ended), status);
    termios modes{};
    ::tcgetattr(tty, &modes);
    EXPECT_EQ(modes.c_lflag & (ICANON | ECHO), tcflag_t{ICANON | ECHO}) << status;
    EXPECT_EQ(::poll(&typed, 1, 0), 0) << "typed keys left, " << status;
    // The pseudo-terminal passes output on asynchronously: read until the
    // leave sequence is there or nothing more comes for 300 ms.
    std::string written;
    char chunk[256];
    while (written.find("<leave>") == std::string::npos && ::poll(&output, 1, 300) == 1) {
        const ssize_t got = ::read(master, chunk, sizeof chunk);
        if (got <= 0) break;
        written.append(chunk, static_cast<std::size_t>(got));
    }
    EXPECT_EQ(written.find("<leave>") != std::string::npos, static_cast<bool>(end)) << status;
    for (int descriptor : {tty, master}) ::close(descriptor);
}

TEST(TerminalGuard, HoweverTheProgramEndsTheTerminalIsBackAndTypedKeysAreGone) {
    expectRestoredAfter(nullptr, 0);
    expectRestoredAfter([] { errno = EINTR, std::exit(3); }, 3);  // an interrupted call's errno left behind
    expectRestoredAfter([] { std::quick_exit(4); }, 4);
    expectRestoredAfter([] { *reinterpret_cast<volatile int*>(unmapped) = 1; }, -SIGSEGV);
    expectRestoredAfter([] { std::abort(); }, -SIGABRT);
    expectRestoredAfter([] { std::raise(SIGBUS); }, -SIGBUS);
    // Every signal whose default action ends the process, sent from outside;
    // a fault's signal sent by `kill` ends it too, though no fault recurs.
    for (int signal : {SIGQUIT, SIGUSR1, SIGALRM, SIGPIPE, SIGXCPU, SIGTRAP, SIGSYS, SIGRTMIN + 1, SIGSEGV,
                       SIGBUS, SIGFPE, SIGILL}) {
        expectRestoredAfter([signal] { ::kill(::getpid(), signal); }, -signal);
    }
}

// Descriptor 0 is owned like any other: valid, and closed when it goes.
TEST(FileDescriptor, DescriptorZeroIsOwnedLikeAnyOther) {
    const int saved = ::dup(0);  // standard input, put back below (-1: there was none)
    EXPECT_TRUE(FileDescriptor(0).valid());
    EXPECT_EQ(::fcntl(0, F_GETFD), -1) << "closed when it went";
    ::dup2(saved, 0), ::close(saved);
}

TEST(TerminalType, PlainXtermScreenAndTmuxStartOnTheir256ColourEntries) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"xterm", "xterm-256color"}, {"screen", "screen-256color"}, {"tmux", "tmux-256color"},
        {"xterm-256color", std::nullopt}, {"xtermish", std::nullopt}, {"vt100", std::nullopt},
        {"xterm-unknown", std::nullopt}, {"xterm-color", "xterm-256color"}, {"screen.linux", "screen-256color"}, {nullptr, std::nullopt}};
    for (const auto& [term, expected] : cases) EXPECT_EQ(colourfulSibling(term), expected) << (term ? term : "null");
}

}  // namespace
}  // namespace pathwick
