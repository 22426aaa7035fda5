#include "app/command_line.h"

#include <optional>
#include <vector>

#include "app/version.h"
#include "progress/calendar_date_text.h"

namespace pathwick {
namespace {

constexpr int kUsageError = 2;
constexpr std::string_view kPoolOption = "--pool";
constexpr std::string_view kExamDateOption = "--exam-date";

constexpr std::string_view kUsage =
    "Usage: pathwick [--pool 2018 | 2026 | technician | general | extra]\n"
    "                [--remember[=FILE] [--progress] [--exam-date YYYY-MM-DD | none]]\n"
    "       pathwick --help | --version\n"
    "\n"
    "Pathwick drills you for the US amateur radio licence examinations, Technician\n"
    "(Element 2), General (Element 3) and Amateur Extra (Element 4), in a terminal of\n"
    "100 x 43 cells: drills by subelement, practice tests scored like the real exam\n"
    "(35 questions; 50 for Amateur Extra), and look-up of single questions by ID.\n"
    "\n"
    "Options:\n"
    "  --pool 2018        Technician, the 2018-2022 pool (also 2018-2022); the default\n"
    "  --pool 2026        Technician, the 2026-2030 pool in force today\n"
    "                     (also --pool 2026-2030, --pool technician or --pool=2026)\n"
    "  --pool general     General, the 2023-2027 pool (also general-2023-2027)\n"
    "  --pool extra       Amateur Extra, the 2024-2028 pool (also extra-2024-2028)\n"
    "  --remember         keep every answer and show the chance to pass, in\n"
    "                     $XDG_STATE_HOME/pathwick/progress.sqlite3\n"
    "                     (~/.local/state/pathwick/progress.sqlite3 when unset)\n"
    "  --remember=FILE    the same, in FILE\n"
    "  --progress         with --remember: print the progress as text and exit\n"
    "  --exam-date DATE   with --remember: the day of your exam (YYYY-MM-DD), kept\n"
    "                     with the progress; chances are shown for that day and\n"
    "                     Review works towards it (--exam-date none forgets it)\n"
    "  -h, --help         show this help and exit\n"
    "  --version          show the version and exit\n"
    "\n"
    "Hints come from one file per pool: hints.txt (2018), hints-2026-2030.txt,\n"
    "hints-general-2023-2027.txt, hints-extra-2024-2028.txt, in the current folder,\n"
    "else in ~/.local/share/pathwick or the other XDG data folders; pictures they\n"
    "name from Figures/ beside it.\n"
    "\n"
    "More in: man 6 pathwick\n";

constexpr std::string_view kValidOptions =
    "valid options are --pool 2018, 2026, technician, general or extra, --remember[=FILE], --progress, "
    "--exam-date, --help and --version";
constexpr std::string_view kRememberOption = "--remember";

CommandLine failure(std::string text) {
    return {.run = false, .message = "pathwick: " + text + "\n", .exitCode = kUsageError};
}

CommandLine printAndExit(std::string text) {
    return {.run = false, .message = std::move(text), .exitCode = 0};
}

// "2018 (or 2018-2022), 2026 (or 2026-2030, technician), ... or extra (or
// extra-2024-2028)"
std::string poolChoices() {
    const auto editions = AllEditions();
    std::string text;
    for (std::size_t i = 0; i < editions.size(); ++i) {
        if (i > 0) text += i + 1 == editions.size() ? " or " : ", ";
        const auto& names = editions[i]->commandLineNames;
        text += std::string(names[0]) + " (or " + std::string(names[1]);
        for (std::size_t n = 2; n < names.size() && !names[n].empty(); ++n)
            text += ", " + std::string(names[n]);
        text += ")";
    }
    return text;
}

const PoolEdition* editionNamed(std::string_view name) {
    for (const PoolEdition* edition : AllEditions()) {
        for (std::string_view known : edition->commandLineNames) {
            if (!known.empty() && name == known) return edition;
        }
    }
    return nullptr;
}

// The value given to `option` at arguments[i], as "OPTION VALUE" (i then
// moves to the value) or "OPTION=VALUE"; empty when it is missing. Nothing
// when arguments[i] is something else.
std::optional<std::string_view> optionValue(std::span<const std::string_view> arguments, std::size_t& i,
                                            std::string_view option) {
    const std::string_view argument = arguments[i];
    if (argument == option) return i + 1 < arguments.size() ? arguments[++i] : "";
    if (argument.starts_with(option) && argument.size() > option.size() && argument[option.size()] == '=')
        return argument.substr(option.size() + 1);
    return std::nullopt;
}

// Reads the value of --exam-date into `result`; a failure when it is none of
// a date of the calendar and "none".
std::optional<CommandLine> readExamDate(std::string_view value, CommandLine& result) {
    result.setExamDate = true;
    if (value == "none") return std::nullopt;
    result.examDate = ParseCalendarDate(value);
    if (result.examDate) return std::nullopt;
    if (value.empty()) return failure("--exam-date needs a date as YYYY-MM-DD, or none");
    return failure("--exam-date: '" + std::string(value) + "' is no date of the calendar as YYYY-MM-DD (or none)");
}

}  // namespace

CommandLine ReadCommandLine(std::span<const std::string_view> arguments) {
    CommandLine result;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--help" || argument == "-h") return printAndExit(std::string(kUsage));
        if (argument == "--version") return printAndExit("pathwick " + std::string(kVersion) + "\n");
        if (argument == "--progress") {
            result.printProgress = true;
            continue;
        }
        if (argument == kRememberOption || argument.starts_with(std::string(kRememberOption) + "=")) {
            result.remember = true;
            if (argument == kRememberOption) continue;
            result.progressFile = argument.substr(kRememberOption.size() + 1);
            if (result.progressFile.empty()) return failure("--remember= needs a file name");
            continue;
        }
        if (const auto date = optionValue(arguments, i, kExamDateOption)) {
            if (auto refused = readExamDate(*date, result)) return *refused;
            continue;
        }
        const std::optional<std::string_view> value = optionValue(arguments, i, kPoolOption);
        if (!value) {
            const char* what = argument.starts_with("-") ? "unknown option '" : "unexpected argument '";
            return failure(what + std::string(argument) + "'; " + std::string(kValidOptions));
        }
        if (value->empty()) return failure("--pool needs a value: " + poolChoices());
        result.edition = editionNamed(*value);
        if (result.edition == nullptr)
            return failure("unknown pool '" + std::string(*value) + "'; choose --pool " + poolChoices());
    }
    if (result.printProgress && !result.remember)
        return failure("--progress needs --remember (or --remember=FILE): it prints the progress kept there");
    if (result.setExamDate && !result.remember)
        return failure("--exam-date needs --remember (or --remember=FILE): the date is kept with the progress");
    return result;
}

CommandLine ReadCommandLine(int argc, const char* const* argv) {
    std::vector<std::string_view> arguments;
    for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
    return ReadCommandLine(arguments);
}

}  // namespace pathwick
