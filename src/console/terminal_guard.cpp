#include "console/terminal_guard.h"

#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace pathwick {
namespace {

// Every signal whose default action ends the process, but the real-time
// ones (taken from SIGRTMIN on, which is only known at run time).
constexpr std::array kEndingSignals = {
    SIGHUP,  SIGINT,  SIGQUIT, SIGILL,  SIGTRAP, SIGABRT, SIGBUS,    SIGFPE,  SIGUSR1, SIGSEGV, SIGUSR2,
    SIGPIPE, SIGALRM, SIGTERM, SIGSTKFLT, SIGXCPU, SIGXFSZ, SIGVTALRM, SIGPROF, SIGIO,  SIGPWR,  SIGSYS};

// Faults the processor raises again when the handler returns.
bool isProcessorFault(int signal, const siginfo_t* info) {
    const bool fault = signal == SIGSEGV || signal == SIGBUS || signal == SIGFPE || signal == SIGILL;
    return fault && info != nullptr && info->si_code > 0;
}

template <typename Visit>
void forEachEndingSignal(Visit visit) {
    for (int signal : kEndingSignals) visit(signal);
    for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) visit(signal);
}

// What the emergency restore needs. Signal handlers and exit hooks can reach
// nothing but static storage, so the one guard's state lives here; it is
// written before `armed` is set and only read afterwards.
struct GuardState {
    std::atomic<bool> armed{};
    pid_t owner = 0;  // a forked child must not restore its parent's terminal
    int input = -1;
    int output = -1;
    termios modes{};
    std::array<char, 255> leave{};
    std::atomic<std::size_t> leaveLength{0};
    std::array<struct sigaction, NSIG> previous{};  // by signal number
};

GuardState state;
static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<std::size_t>::is_always_lock_free);

// Outlives the guard: the process ends by it after the terminal is restored.
std::atomic<int> notedEndSignal{0};
static_assert(std::atomic<int>::is_always_lock_free);

// Async-signal-safe: write, tcsetattr and tcflush only.
void restoreNow() {
    if (!state.armed.exchange(false) || ::getpid() != state.owner) return;
    const int savedErrno = errno;
    const char* bytes = state.leave.data();
    std::size_t left = state.leaveLength.load();
    while (left > 0) {
        const ssize_t written = ::write(state.output, bytes, left);
        if (written == -1 && errno == EINTR) continue;
        if (written <= 0) break;
        bytes += written;
        left -= static_cast<std::size_t>(written);
    }
    ::tcsetattr(state.input, TCSANOW, &state.modes);
    ::tcflush(state.input, TCIFLUSH);
    errno = savedErrno;
}

extern "C" void restoreAtExit() { restoreNow(); }

extern "C" void restoreOnEndingSignal(int signal, siginfo_t* info, void*) {
    restoreNow();
    ::sigaction(signal, &state.previous.at(static_cast<std::size_t>(signal)), nullptr);
    // A fault raised by the processor happens again when the handler
    // returns, now with the previous disposition; any other signal is sent
    // again, and is delivered as soon as the handler returns.
    if (!isProcessorFault(signal, info)) ::raise(signal);
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
    action.sa_sigaction = restoreOnEndingSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_SIGINFO;
    forEachEndingSignal([&action](int signal) {
        struct sigaction& previous = state.previous.at(static_cast<std::size_t>(signal));
        ::sigaction(signal, nullptr, &previous);
        // A signal the program was started with ignored (nohup) stays ignored.
        if (previous.sa_handler != SIG_IGN) ::sigaction(signal, &action, nullptr);
    });
    state.armed.store(true);
}

TerminalGuard::~TerminalGuard() {
    state.armed.store(false);
    forEachEndingSignal([](int signal) { ::sigaction(signal, &state.previous.at(static_cast<std::size_t>(signal)), nullptr); });
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

void NoteEndSignal(int signal) {
    int none = 0;
    notedEndSignal.compare_exchange_strong(none, signal);
}

void EndByNotedSignal() {
    const int signal = notedEndSignal.load();
    if (signal == 0) return;
    std::fflush(nullptr);
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    sigemptyset(&byDefault.sa_mask);
    ::sigaction(signal, &byDefault, nullptr);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    ::pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    ::raise(signal);
}

}  // namespace pathwick
