// Every screen of the program, reached by walking the real program loop on
// the scripts of tests/screens/walks.txt and compared cell by cell, text and
// colours, with the screen files there.
#include <gtest/gtest.h>

#include <fstream>

#include "app/command_line.h"
#include "console/cp1252.h"
#include "console/text_values.h"
#include "support/screen_test.h"

namespace pathwick::testing {
namespace {

using namespace std::chrono_literals;

TEST(Screens, WalkedThroughTheProgram) {
    std::ifstream walks(std::filesystem::path(PATHWICK_SOURCE_DIR) / "tests" / "screens" / "walks.txt");
    int count = 0;
    for (std::string line; std::getline(walks, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> field{""};
        for (char c : line) c == '|' ? field.push_back("") : field.back().push_back(c);
        for (std::string& text : field) text = trimBlanks(text);
        field.resize(6);  // the sixth: the --pool value, the default pool when left out
        const std::string_view pool[] = {"--pool", field[5]};
        const PoolEdition& edition = *ReadCommandLine(std::span(pool, field[5].empty() ? 0 : 2)).edition;
        ProgramRig rig;
        LocalTime start{2026, 6, 15, 10, 0, 0, 0};
        std::sscanf(field[4].c_str(), "%d-%d-%d %d:%d:%d.%d", &start.year, &start.month, &start.day, &start.hour,
                    &start.minute, &start.second, &start.millisecond);
        rig.clock.set(start);
        EXPECT_EQ(rig.run(field[1], edition), field[3] == "goodbye") << line;
        expectScreen(rig.screen, field[0]);
        std::string calls;
        for (const std::string& call : rig.desktop.calls()) calls += (calls.empty() ? "" : "; ") + call;
        if (const auto at = calls.find(rig.folder.path().string()); at != std::string::npos)
            calls.replace(at, rig.folder.path().string().size(), "<hints>");
        EXPECT_EQ(calls, field[2]) << line;
        EXPECT_EQ(rig.terminal.title(), "Pathwick By The Pathwick Team (N0CALL) v2021.09.17a" + cp1252ToUtf8(edition.windowTitleSuffix));
        EXPECT_TRUE(rig.terminal.mouseReporting() && rig.terminal.screenSize() == "100x43") << line;
        EXPECT_EQ(rig.clock.slept(), field[3] == "goodbye" ? 5000ms : 0ms) << line;
        ++count;
    }
    EXPECT_EQ(count, 128);
}

}  // namespace
}  // namespace pathwick::testing
