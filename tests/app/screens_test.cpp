// Every screen of the program, reached by walking the real program loop on
// the scripts of tests/screens/walks.txt and compared cell by cell, text and
// colours, with the screen files there.
#include <gtest/gtest.h>

#include <fstream>

#include "app/command_line.h"
#include "console/cp1252.h"
#include "console/text_values.h"
#include "support/fake_progress.h"
#include "support/screen_test.h"

namespace pathwick::testing {
namespace {

using namespace std::chrono_literals;

// What the progress screens of the walks show: part of the pool seen, three
// tests, a fortnight of days ("remembered"), or none of them ("remembered,
// empty", nothing to review either), an exam date ("remembered, exam date"),
// or every write failing ("remembered, failing"). Without either the same
// history is handed over with remembering off and writes failing, and none of
// it may show.
FakeProgress walkProgress(std::string_view kind, const PoolEdition& edition) {
    const bool remembered = kind.starts_with("remembered");
    FakeProgress progress;
    // Longer than the three lines the help page gives it: the rest is cut.
    progress.path = "/home/jos\xC3\xA9/\xC3\x89tudes/\xE9\x80\xB2\xE6\x8D\x97/" + std::string(280, 'd') + "/progress.sqlite3";
    progress.remembering = remembered;
    progress.writesThatSucceed = remembered && !kind.ends_with("failing") ? INT_MAX : 0;
    progress.standing = {.passChance = 0.6351, .expectedScore = 27.26, .examQuestions = edition.examQuestions,
                         .passMark = edition.passMark, .seen = 141};
    const double seen[] = {1, 0.45, 0.34, 0, 1, 0.19, 0, 0.52, 0.11, 0}, solid[] = {0.8, 0.13, 0.06, 0, 0.83, 0.02, 0, 0.25, 0, 0},
                 right[] = {0.98, 0.68, 0.5, 0.3, 0.985, 0.42, 0.25, 0.62, 0.3, 0.25};
    for (const ExamGroup& group : edition.groups) ++progress.standing.subelements[group.code[1] - '0'].examQuestions;
    for (int s = 0; s < kSubelementCount; ++s) {
        SubelementStanding& subelement = progress.standing.subelements[s];
        subelement.questions = (edition.itemCount(s) - 1) / 7;
        subelement.seen = int(seen[s] * subelement.questions);
        subelement.solid = int(solid[s] * subelement.questions);
        subelement.expectedRight = right[s] * subelement.examQuestions;
    }
    progress.tests = {{"2026-06-05", 19, 35, false}, {"2026-06-10", 24, 35, false}, {"2026-06-14", 27, 35, true}};
    for (int day = 2; day <= 15; ++day)
        progress.days.push_back({"2026-06-" + lastDigits(day, 2), day < 5 ? 0.01 : 0.05 * (day - 2)});
    progress.due = 12;
    progress.order = {{"T5A03", 0.3, 0.02}, {"T7B11", 0.5, 0.01}};
    if (kind.ends_with("empty"))  // and both questions at or above the line: nothing to review
        progress.tests.clear(), progress.days.clear(), progress.order[0].chance = 0.97, progress.order[1].chance = 0.9;
    if (kind.ends_with("exam date")) progress.date = CalendarDate{2026, 12, 19}, progress.examDay.passChance = 0.5249;
    return progress;
}

TEST(Screens, WalkedThroughTheProgram) {
    std::ifstream walks(std::filesystem::path(PATHWICK_SOURCE_DIR) / "tests" / "screens" / "walks.txt");
    int count = 0;
    for (std::string line; std::getline(walks, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> field{""};
        for (char c : line) c == '|' ? field.push_back("") : field.back().push_back(c);
        for (std::string& text : field) text = trimBlanks(text);
        field.resize(7);  // the sixth: the --pool value, the default pool when left out
        const std::string_view pool[] = {"--pool", field[5]};
        const PoolEdition& edition = *ReadCommandLine(std::span(pool, field[5].empty() ? 0 : 2)).edition;
        FakeProgress progress = walkProgress(field[6], edition);
        ProgramRig rig(progress);
        LocalTime start{2026, 6, 15, 10, 0, 0, 0};
        std::sscanf(field[4].c_str(), "%d-%d-%d %d:%d:%d.%d", &start.year, &start.month, &start.day, &start.hour,
                    &start.minute, &start.second, &start.millisecond);
        rig.clock.set(start);
        EXPECT_EQ(rig.run(field[1], edition), field[3] == "goodbye") << line;
        expectScreen(rig.screen, field[0]);
        std::string calls;
        for (const auto& call : {rig.desktop.calls(), progress.calls})
            for (const std::string& one : call) calls += (calls.empty() ? "" : "; ") + one;
        if (const auto at = calls.find(rig.folder.path().string()); at != std::string::npos)
            calls.replace(at, rig.folder.path().string().size(), "<hints>");
        EXPECT_EQ(calls, field[2]) << line;
        EXPECT_EQ(rig.terminal.title(), "Pathwick By The Pathwick Team (N0CALL) v2021.09.17a" + cp1252ToUtf8(edition.windowTitleSuffix));
        EXPECT_TRUE(rig.terminal.mouseReporting() && rig.terminal.screenSize() == "100x43") << line;
        EXPECT_EQ(rig.clock.slept(), field[3] == "goodbye" ? 5000ms : 0ms) << line;
        ++count;
    }
    EXPECT_EQ(count, 179);
}

}  // namespace
}  // namespace pathwick::testing
