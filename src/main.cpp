// Program entry: wires the real terminal, clock and desktop to the program
// and makes sure the terminal is restored however the program ends.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include "console/clock.h"
#include "console/forwarded_keys.h"
#include "console/ncurses_terminal.h"
#include "console/terminal_guard.h"
#include "console/random_source.h"
#include "console/screen_layer.h"
#include "app/command_line.h"
#include "app/program.h"
#include "program_context.h"
#include "desktop/desktop.h"
#include "desktop/lazy_desktop.h"

namespace pathwick {
namespace {

// The one place that chooses the desktop (figure windows and sound). Keys
// pressed in a figure window arrive through `forwarded`. SDL starts only when
// a window or sound is first needed; without a display or an audio device
// those operations quietly do nothing.
std::unique_ptr<Desktop> MakeDesktop(ForwardedKeys& forwarded) {
    return std::make_unique<LazyDesktop>(forwarded, LazyDesktop::defaultHelperPaths());
}

// The libraries under the desktop (sound, window system) print diagnostics
// on standard error, which is the terminal: they would land in the middle of
// the screen. While the program owns the screen, a standard error that is a
// terminal goes to /dev/null; it is put back before anything is reported.
class QuietStandardError {
public:
    QuietStandardError() {
        if (::isatty(STDERR_FILENO) == 0) return;
        const int quiet = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (quiet < 0) return;
        saved_ = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
        if (saved_ >= 0) ::dup2(quiet, STDERR_FILENO);
        ::close(quiet);
    }
    ~QuietStandardError() {
        if (saved_ < 0) return;
        ::dup2(saved_, STDERR_FILENO);
        ::close(saved_);
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int saved_ = -1;
};

// Runs the program on the real machine. The terminal is restored when this
// returns or throws.
void RunOnTerminal(const PoolEdition& edition) {
    const QuietStandardError quiet;
    SystemClock clock;
    ForwardedKeys forwarded;
    const std::unique_ptr<Desktop> desktop = MakeDesktop(forwarded);
    NcursesTerminal terminal;
    ScreenLayer screen(terminal, clock);
    screen.attachForwardedKeys(&forwarded);
    RandomSource random(clock);
    ProgramContext context{screen, *desktop, random, ".", edition};
    RunProgram(context);
}

}  // namespace
}  // namespace pathwick

int main(int argc, char** argv) {
    const pathwick::CommandLine command = pathwick::ReadCommandLine(argc, argv);
    if (!command.run) {
        std::fputs(command.message.c_str(), command.exitCode == 0 ? stdout : stderr);
        return command.exitCode;
    }
    if (::isatty(STDIN_FILENO) == 0 || ::isatty(STDOUT_FILENO) == 0) {
        std::fputs("pathwick: this program runs in a terminal window; standard input and output "
                   "must both be a terminal.\n",
                   stderr);
        return 1;
    }
    std::string failure;
    try {
        pathwick::RunOnTerminal(*command.edition);
        pathwick::EndByNotedSignal();
        return 0;
    } catch (const pathwick::InputClosed&) {
        // The terminal went away (status 0), or a signal asked the program to
        // end: with the terminal restored, the signal ends it as it would have.
        pathwick::EndByNotedSignal();
        return 0;
    } catch (const std::exception& error) {
        failure = error.what();
    } catch (...) {
        failure = "unexpected error";
    }
    // The terminal is restored by now: everything in RunOnTerminal is gone.
    std::fprintf(stderr, "pathwick: %s\n", failure.c_str());
    return 1;
}
