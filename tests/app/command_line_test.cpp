#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_line.h"
#include "progress/progress_location.h"

namespace pathwick {
namespace {

TEST(CommandLine, ChoosesThePoolOrAnswersBeforeTheScreenIsTaken) {
    // Edition null: the program does not run. Message: the start of what is printed.
    struct Case { std::vector<std::string_view> arguments; const PoolEdition* edition;
                  int exitCode; std::string_view message; };
    const Case cases[] = {
        {{}, &Edition2018(), 0, ""},
        {{"--pool", "2026"}, &Edition2026(), 0, ""},
        {{"--pool", "2018", "--pool=2026-2030"}, &Edition2026(), 0, ""},
        {{"--pool", "technician"}, &Edition2026(), 0, ""},
        {{"--pool", "general"}, &EditionGeneral(), 0, ""},
        {{"--pool=general-2023-2027"}, &EditionGeneral(), 0, ""},
        {{"--pool", "extra"}, &EditionExtra(), 0, ""},
        {{"--pool", "extra-2024-2028"}, &EditionExtra(), 0, ""},
        {{"--pool", ""}, nullptr, 2, "pathwick: --pool needs a value"},
        {{"--help", "--bogus"}, nullptr, 0, "Usage: pathwick [--pool 2018 | 2026 | technician | general | extra]\n"},
        {{"--version"}, nullptr, 0, "pathwick 2021.09.17a\n"},
        {{"--pool"}, nullptr, 2, "pathwick: --pool needs a value: 2018 (or 2018-2022), 2026 (or 2026-2030, technician), "
                                 "general (or general-2023-2027) or extra (or extra-2024-2028)\n"},
        {{"--pool", "Extra"}, nullptr, 2, "pathwick: unknown pool 'Extra'; choose --pool 2018 (or 2018-2022), 2026 (or"},
        {{"--pools"}, nullptr, 2, "pathwick: unknown option '--pools'; valid options are --pool 2018, 2026, technician, general or extra"},
        {{"--pool", "2026", "2026"}, nullptr, 2, "pathwick: unexpected argument '2026'; valid"},
        {{"--remember"}, &Edition2018(), 0, ""},
        {{"--progress"}, nullptr, 2, "pathwick: --progress needs --remember"},
        {{"--remember="}, nullptr, 2, "pathwick: --remember= needs a file name\n"},
        {{"--remember", "file"}, nullptr, 2, "pathwick: unexpected argument 'file'"},
        {{"--remember", "--exam-date", "2028-02-29"}, &Edition2018(), 0, ""},
        {{"--remember", "--exam-date", "2029-01-01"}, &Edition2018(), 0, ""},
        {{"--remember", "--exam-date", "0001-01-01"}, &Edition2018(), 0, ""},
        {{"--remember", "--exam-date", "0000-12-31"}, nullptr, 2, "pathwick: --exam-date: '0000-12-31' is no date"},
        {{"--exam-date=none", "--remember=f"}, &Edition2018(), 0, ""},
        {{"--remember", "--exam-date", "2027-02-29"}, nullptr, 2, "pathwick: --exam-date: '2027-02-29' is no date"},
        {{"--remember", "--exam-date=2026-04-31"}, nullptr, 2, "pathwick: --exam-date: '2026-04-31' is no date"},
        {{"--remember", "--exam-date", "2026-13-01"}, nullptr, 2, "pathwick: --exam-date: '2026-13-01'"},
        {{"--remember", "--exam-date", "2026-12-1"}, nullptr, 2, "pathwick: --exam-date: '2026-12-1'"},
        {{"--remember", "--exam-date", "+026-12-19"}, nullptr, 2, "pathwick: --exam-date: '+026-12-19'"},
        {{"--remember", "--exam-date", "None"}, nullptr, 2, "pathwick: --exam-date: 'None'"},
        {{"--remember", "--exam-date"}, nullptr, 2, "pathwick: --exam-date needs a date as YYYY-MM-DD, or none\n"},
        {{"--exam-date", "2026-12-19"}, nullptr, 2, "pathwick: --exam-date needs --remember"},
        {{"--exam-dates"}, nullptr, 2, "pathwick: unknown option '--exam-dates'"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> words{"pathwick"};  // as main() gets them
        words.insert(words.end(), c.arguments.begin(), c.arguments.end());
        std::vector<const char*> argv;
        for (const std::string& word : words) argv.push_back(word.c_str());
        const CommandLine command = ReadCommandLine(static_cast<int>(argv.size()), argv.data());
        SCOPED_TRACE(c.arguments.empty() ? "(none)" : std::string(c.arguments.back()));
        EXPECT_EQ(command.run ? command.edition : nullptr, c.edition);
        EXPECT_EQ(command.exitCode, c.exitCode);
        EXPECT_TRUE(command.message.starts_with(c.message)) << command.message;
        EXPECT_TRUE(c.exitCode == 0 || command.message.find('\n') == command.message.size() - 1)
            << "one line";
    }
}

TEST(CommandLine, RemembersOnlyWhenAskedAndInTheFileNamedOrTheStateFolder) {
    const std::vector<std::string_view> arguments{"--progress", "--pool", "extra", "--remember=my file"};
    const CommandLine command = ReadCommandLine(arguments);
    EXPECT_TRUE(command.remember && command.printProgress && command.progressFile == "my file" && !command.setExamDate);
    EXPECT_FALSE(ReadCommandLine(std::vector<std::string_view>{"--pool", "extra"}).remember);
    const CommandLine dated = ReadCommandLine(std::vector<std::string_view>{"--remember", "--exam-date=2028-02-29"});
    EXPECT_TRUE(dated.setExamDate && dated.examDate == (CalendarDate{2028, 2, 29}));
    const CommandLine cleared = ReadCommandLine(std::vector<std::string_view>{"--remember", "--exam-date", "none"});
    EXPECT_TRUE(cleared.setExamDate && !cleared.examDate);
    EXPECT_EQ(DefaultProgressFile("/s", "/h"), "/s/pathwick/progress.sqlite3");
    EXPECT_EQ(DefaultProgressFile("state", "/h"), "/h/.local/state/pathwick/progress.sqlite3");
    EXPECT_EQ(DefaultProgressFile("", "h"), std::nullopt);
}

}  // namespace
}  // namespace pathwick
