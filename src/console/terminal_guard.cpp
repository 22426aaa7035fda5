#include "console/terminal_guard.h"

#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace pathwick {
namespace {

constexpr std::array<int, 6> kFatalSignals = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGQUIT};

// What the emergency restore needs. Signal handlers and exit hooks can reach
// nothing but static storage, so the one guard's state lives here; it is
// written before `armed` is set and only read afterwards.
struct GuardState {
    std::atomic<bool> armed{false};
    pid_t owner = 0;  // a forked child must not restore its parent's terminal
    int input = -1;
    int output = -1;
    termios modes{};
    std::array<char, 255> leave{};
    std::atomic<std::size_t> leaveLength{0};
    std::array<struct sigaction, kFatalSignals.size()> previous{};
};

GuardState state;
static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<std::size_t>::is_always_lock_free);

// Async-signal-safe: write, tcsetattr and tcflush only.
void restoreNow() {
    if (!state.armed.exchange(false) || ::getpid() != state.owner) return;
    const int savedErrno = errno;
    const char* bytes = state.leave.data();
    std::size_t left = state.leaveLength.load();
    while (left > 0) {
        const ssize_t written = ::write(state.output, bytes, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) break;
        bytes += written;
        left -= static_cast<std::size_t>(written);
    }
    ::tcsetattr(state.input, TCSANOW, &state.modes);
    ::tcflush(state.input, TCIFLUSH);
    errno = savedErrno;
}

extern "C" void restoreAtExit() { restoreNow(); }

extern "C" void restoreOnFatalSignal(int signal, siginfo_t* info, void*) {
    restoreNow();
    const auto* at = std::find(kFatalSignals.begin(), kFatalSignals.end(), signal);
    if (at != kFatalSignals.end()) {
        ::sigaction(signal, &state.previous.at(static_cast<std::size_t>(at - kFatalSignals.begin())), nullptr);
    }
    // A fault raised by the processor happens again when the handler
    // returns, now with the previous disposition; a sent signal is sent again.
    if (info == nullptr || info->si_code <= 0) ::raise(signal);
}

void registerExitHooks() {
    static bool registered = false;
    if (registered) return;
    registered = std::atexit(restoreAtExit) == 0 && std::at_quick_exit(restoreAtExit) == 0;
}

}  // namespace

TerminalGuard::TerminalGuard(int input, int output) {
    if (state.owner != 0) throw std::logic_error("only one terminal guard at a time");
    if (::tcgetattr(input, &state.modes) != 0) throw std::runtime_error("cannot read the terminal's modes");
    state.owner = ::getpid();
    state.input = input;
    state.output = output;
    state.leaveLength.store(0);
    registerExitHooks();
    struct sigaction action {};
    action.sa_sigaction = restoreOnFatalSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_SIGINFO;
    for (std::size_t i = 0; i < kFatalSignals.size(); ++i) {
        ::sigaction(kFatalSignals.at(i), &action, &state.previous.at(i));
    }
    state.armed.store(true);
}

TerminalGuard::~TerminalGuard() {
    state.armed.store(false);
    for (std::size_t i = 0; i < kFatalSignals.size(); ++i) {
        ::sigaction(kFatalSignals.at(i), &state.previous.at(i), nullptr);
    }
    ::tcsetattr(state.input, TCSANOW, &state.modes);
    ::tcflush(state.input, TCIFLUSH);
    state.owner = 0;
}

void TerminalGuard::setLeaveSequence(std::string_view bytes) {
    const std::size_t length = std::min(bytes.size(), state.leave.size());
    state.leaveLength.store(0);
    std::memcpy(state.leave.data(), bytes.data(), length);
    state.leaveLength.store(length);
}

}  // namespace pathwick
