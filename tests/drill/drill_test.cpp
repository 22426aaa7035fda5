// Whole drills walked through the program loop, answered from the peek marker.
#include <gtest/gtest.h>

#include <set>

#include "bank/load_pool.h"
#include "support/screen_test.h"

namespace pathwick::testing {
namespace {

// Plays a drill from the script `start`: peek on, then each question answered
// right unless `wrong(k)` for the k-th question shown, `last` typed at the
// end. Returns the questions shown as number and ID ("001 T0A01").
std::vector<std::string> playDrill(ProgramRig& rig, std::string_view start, std::function<bool(int)> wrong, std::string last) {
    std::vector<std::string> shown;
    rig.terminal.whenEmpty = [&](ScriptedTerminal& next) {
        const ScreenLayer& s = rig.screen;
        std::string marked = "?";  // the letter under the peek marker
        for (int i = 0; i < 4; ++i)
            if (textAt(s, 23, 4 + 5 * i, 1) == "*") marked = std::string(1, char('A' + i));
        if (textAt(s, 20, 17, 8) == "You have") {
            next.type(std::exchange(last, ""));
        } else if (textAt(s, 22, 29, 13) == "We will come ") {
            next.click(40, 40);
        } else if (textAt(s, 25, 1, 21) == " [ A ][ B ][ C ][ D ]") {
            if (marked == "?") return void(next.key(" "));
            shown.push_back(textAt(s, 4, 5, 3) + " " + textAt(s, 2, 15, 5));
            next.type(wrong(int(shown.size())) ? (marked == "A" ? "b" : "a") : marked);
        }
    };
    rig.run(start);
    return shown;
}

// The IDs of a subelement's questions from row `from` on.
std::vector<std::string> poolIds(int subelement, int from) {
    QuestionPool pool(kWorkTableLastRow);
    LoadPool(subelement, pool);
    std::vector<std::string> ids;
    for (int row = from; row <= pool.count(); ++row) ids.push_back(pool.cell(row, kIdField).substr(0, 5));
    return ids;
}

std::string number(int n) { return (n < 10 ? "00" : n < 100 ? "0" : "") + std::to_string(n); }

TEST(Drill, RandomOrderAsksEveryQuestionUntilAnsweredRight) {
    ProgramRig rig;
    const auto shown = playDrill(rig, "0 r", [](int k) { return k == 1; }, "n");
    ASSERT_EQ(shown.size(), 38u);
    std::multiset<std::string> ids;
    for (int k = 1; k <= 38; ++k) {
        EXPECT_EQ(shown[k - 1].substr(0, 3), number(k));
        ids.insert(shown[k - 1].substr(4));
    }
    EXPECT_EQ(ids.count(shown[0].substr(4)), 2u) << "the missed question came back";
    const auto expected = poolIds(0, 1);
    EXPECT_EQ(std::set<std::string>(ids.begin(), ids.end()), std::set<std::string>(expected.begin(), expected.end()));
    EXPECT_EQ(rig.desktop.calls(), std::vector<std::string>{"play #10"});
}

TEST(Drill, SequentialOrderAsksEachRowFromTheStartOnce) {
    ProgramRig rig;
    const auto shown = playDrill(rig, "4 s 5 <cr>", [](int k) { return k % 3 == 0; }, "y");
    std::vector<std::string> expected;
    for (const std::string& id : poolIds(4, 5)) expected.push_back(number(int(expected.size()) + 5) + " " + id);
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(rig.desktop.calls(), std::vector<std::string>(6, "play #10"));
}

}  // namespace
}  // namespace pathwick::testing
