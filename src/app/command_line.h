#pragma once
// What the program is asked to do by its command line. It is read before
// the terminal is touched, so that --help, --version and mistakes are
// answered as plain lines of text.
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "bank/pool_edition.h"
#include "progress/exam_day.h"

namespace pathwick {

struct CommandLine {
    // True: run the program on `edition`. False: print `message` (to
    // standard output when `exitCode` is 0, else to standard error) and end
    // with `exitCode`.
    bool run = true;
    const PoolEdition* edition = &Edition2018();
    // --remember: keep progress, in `progressFile` (--remember=FILE) or,
    // when that is empty, in the default place.
    bool remember = false;
    std::filesystem::path progressFile{};
    // --progress: print the summary of the progress and end.
    bool printProgress = false;
    // --exam-date: keep `examDate` as the date of the exam (nothing: none).
    bool setExamDate = false;
    std::optional<CalendarDate> examDate{};
    std::string message;
    int exitCode = 0;
};

// `arguments` are those after the program name.
CommandLine ReadCommandLine(std::span<const std::string_view> arguments);
CommandLine ReadCommandLine(int argc, const char* const* argv);

}  // namespace pathwick
