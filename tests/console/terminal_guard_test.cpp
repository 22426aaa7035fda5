#include "console/terminal_guard.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>

namespace pathwick {
namespace {

constexpr std::string_view kLeave = "<leave>";
// Never mapped, and not null (a sanitizer would report a null store itself).
volatile std::uintptr_t kUnmapped = 16;

struct Ending {
    const char* name;
    std::function<void()> end;
    int exitCode;  // or -signal
};

// A pseudo-terminal: `typed` is pending on it in cooked mode when the child
// takes it over, goes raw under a guard and ends as `ending` says.
class GuardedChild {
public:
    explicit GuardedChild(const Ending& ending) {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        EXPECT_TRUE(master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0);
        terminal_ = ::open(::ptsname(master_), O_RDWR | O_NOCTTY);
        EXPECT_EQ(::write(master_, "q7\r", 3), 3);
        const pid_t child = ::fork();
        if (child == 0) {
            for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGABRT}) std::signal(signal, SIG_DFL);
            {
                TerminalGuard guard(terminal_, terminal_);
                guard.setLeaveSequence(kLeave);
                termios raw{};
                ::tcgetattr(terminal_, &raw);
                ::cfmakeraw(&raw);
                ::tcsetattr(terminal_, TCSANOW, &raw);
                if (ending.end) ending.end();
            }
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        result_ = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    }
    ~GuardedChild() {
        ::close(terminal_);
        ::close(master_);
    }

    int result() const { return result_; }
    bool cooked() const {
        termios modes{};
        ::tcgetattr(terminal_, &modes);
        return (modes.c_lflag & ICANON) != 0 && (modes.c_lflag & ECHO) != 0;
    }
    bool inputPending() const {
        pollfd entry{terminal_, POLLIN, 0};
        return ::poll(&entry, 1, 0) == 1;
    }
    std::string written() const {
        std::string bytes(256, '\0');
        pollfd entry{master_, POLLIN, 0};
        if (::poll(&entry, 1, 100) != 1) return {};
        bytes.resize(static_cast<std::size_t>(std::max<ssize_t>(::read(master_, bytes.data(), bytes.size()), 0)));
        return bytes;
    }

private:
    int master_ = -1;
    int terminal_ = -1;
    int result_ = 0;
};

TEST(TerminalGuard, HoweverTheProgramEndsTheTerminalIsBackAndTypedKeysAreGone) {
    const Ending endings[] = {
        {"destruction", nullptr, 0},
        {"exit", [] { std::exit(3); }, 3},
        {"quick_exit", [] { std::quick_exit(4); }, 4},
        {"fault", [] { *reinterpret_cast<volatile int*>(kUnmapped) = 1; }, -SIGSEGV},
        {"abort", [] { std::abort(); }, -SIGABRT},
        {"bus", [] { std::raise(SIGBUS); }, -SIGBUS},
        {"fpe", [] { std::raise(SIGFPE); }, -SIGFPE},
    };
    for (const Ending& ending : endings) {
        const GuardedChild child(ending);
        EXPECT_EQ(child.result(), ending.exitCode) << ending.name;
        EXPECT_TRUE(child.cooked()) << ending.name;
        EXPECT_FALSE(child.inputPending()) << ending.name;
        const bool left = child.written().find(kLeave) != std::string::npos;
        EXPECT_EQ(left, ending.end != nullptr) << ending.name;
    }
}

}  // namespace
}  // namespace pathwick
