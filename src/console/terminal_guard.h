#pragma once
// Puts a terminal back the way the program found it however the program
// ends: on destruction (the normal way), when a library calls exit() or
// quick_exit(), and on every signal whose default action ends the process
// (faults, SIGQUIT, SIGUSR1, SIGALRM, SIGPIPE, ..., real-time signals), after
// which the signal goes on to do its work. Handlers installed later (the
// terminal's own SIGTERM, SIGHUP, SIGINT) take precedence while they live. Input
// still pending on the terminal (keys typed while the program ended) is
// discarded, so that it does not reach the shell. One guard at a time.
#include <string_view>

namespace pathwick {

class TerminalGuard {
public:
    // Remembers the modes of `input` (a terminal) and starts guarding.
    TerminalGuard(int input, int output);
    // Puts the remembered modes back, discards pending input and stops
    // guarding. The leave sequence is not written: whoever entered
    // full-screen mode has left it by now.
    ~TerminalGuard();
    TerminalGuard(const TerminalGuard&) = delete;
    TerminalGuard& operator=(const TerminalGuard&) = delete;

    // The bytes that leave full-screen mode (alternate screen, hidden
    // cursor, mouse reports), written to `output` if the program ends
    // abnormally. Longer sequences are cut at 255 bytes.
    void setLeaveSequence(std::string_view bytes);
};

// A signal that asks the program to end (SIGTERM, SIGHUP, SIGINT) is caught
// so that the program can put its terminal back first; the caller (a shell,
// a supervisor) must still see that it was killed. The handler notes the
// signal (async-signal-safe; the first one counts), and once everything is
// restored the process ends by it with its default action. Without a noted
// signal EndByNotedSignal returns.
void NoteEndSignal(int signal);
void EndByNotedSignal();

}  // namespace pathwick
