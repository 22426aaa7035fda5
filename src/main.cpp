// Program entry: wires the real terminal, clock and desktop to the program
// and makes sure the terminal is restored however the program ends.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

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
#include "hints/hints_location.h"
#include "progress/progress_location.h"
#include "progress/progress_summary.h"
#include "progress/remembered_progress.h"

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

std::string_view EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// The folder of the edition's hints file, chosen once from the environment
// and the program's own location. PATHWICK_BUILD_DIR and PATHWICK_SOURCE_DIR
// let a program run from its build folder read the repository's hints.
std::filesystem::path HintsDirectoryOf(const PoolEdition& edition) {
    std::error_code error;
    const HintsSearchInputs inputs{
        .home = EnvironmentValue("HOME"),
        .xdgDataHome = EnvironmentValue("XDG_DATA_HOME"),
        .xdgDataDirs = EnvironmentValue("XDG_DATA_DIRS"),
        .executable = std::filesystem::read_symlink("/proc/self/exe", error),
        .buildDirectory = std::filesystem::weakly_canonical(PATHWICK_BUILD_DIR, error),
        .sourceDirectory = PATHWICK_SOURCE_DIR,
        .dataFromBin = PATHWICK_SHARE_FROM_BIN,
    };
    return FindHintsDirectory(HintsSearchFolders(inputs), edition.hintsFileName);
}

// The store of progress that --remember asks for, opened before the terminal
// is taken so that a file it cannot use is reported as a plain line. Throws
// ProgressRefused.
std::unique_ptr<RememberedProgress> OpenProgress(const CommandLine& command, const Clock& clock) {
    if (!command.remember) return nullptr;
    std::filesystem::path file = command.progressFile;
    if (file.empty()) {
        const auto place = DefaultProgressFile(EnvironmentValue("XDG_STATE_HOME"), EnvironmentValue("HOME"));
        if (!place) throw ProgressRefused("cannot tell where to keep progress: HOME is not set; give --remember=FILE");
        file = *place;
    }
    return std::make_unique<RememberedProgress>(file, *command.edition, clock);
}

// Runs the program on the real machine. The terminal is restored when this
// returns or throws.
void RunOnTerminal(const PoolEdition& edition, Progress& progress) {
    const QuietStandardError quiet;
    SystemClock clock;
    ForwardedKeys forwarded;
    const std::unique_ptr<Desktop> desktop = MakeDesktop(forwarded);
    NcursesTerminal terminal;
    ScreenLayer screen(terminal, clock);
    screen.attachForwardedKeys(&forwarded);
    RandomSource random(clock);
    ProgramContext context{screen, *desktop, random, HintsDirectoryOf(edition), edition, progress};
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
    if (!command.printProgress && (::isatty(STDIN_FILENO) == 0 || ::isatty(STDOUT_FILENO) == 0)) {
        std::fputs("pathwick: this program runs in a terminal window; standard input and output "
                   "must both be a terminal.\n",
                   stderr);
        return 1;
    }
    const pathwick::SystemClock clock;
    std::unique_ptr<pathwick::RememberedProgress> progress;
    try {
        progress = pathwick::OpenProgress(command, clock);
    } catch (const pathwick::ProgressRefused& refused) {
        std::fprintf(stderr, "pathwick: %s\n", refused.what());
        return 1;
    }
    if (progress && command.setExamDate) {
        progress->setExamDate(command.examDate);
        if (!progress->saving()) {
            std::fprintf(stderr, "pathwick: %s: cannot keep the exam date there\n", progress->file().c_str());
            return 1;
        }
    }
    if (command.printProgress) {
        std::fputs(pathwick::ProgressSummary(*command.edition, *progress, progress->answers()).c_str(), stdout);
        return 0;
    }
    std::string failure;
    try {
        pathwick::RunOnTerminal(*command.edition,
                                progress ? static_cast<pathwick::Progress&>(*progress) : pathwick::NothingRemembered());
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
