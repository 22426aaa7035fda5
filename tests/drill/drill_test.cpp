// Whole drills walked through the program loop, answered from the peek marker.
#include <gtest/gtest.h>

#include <set>

#include "bank/load_pool.h"
#include "support/screen_test.h"

namespace pathwick::testing {
namespace {

bool onQuestion(const ScreenLayer& s) { return textAt(s, 25, 1, 21) == " [ A ][ B ][ C ][ D ]"; }
bool onWrongAnswer(const ScreenLayer& s) { return textAt(s, 22, 29, 13) == "We will come "; }
bool onMenu(const ScreenLayer& s) { return textAt(s, 6, 33, 16) == "<<< Pathwick >>>"; }

// The letter under the peek marker, or "?" when peek is off.
std::string markedLetter(const ScreenLayer& s) {
    for (int i = 0; i < 4; ++i)
        if (textAt(s, 23, 4 + 5 * i, 1) == "*") return std::string(1, char('A' + i));
    return "?";
}

struct Shown {
    std::vector<std::string> numbers, ids;
};

// Plays a drill from the script `start`: peek on, then each question answered
// right unless `wrong(k)` for the k-th question shown; `last` at completion.
Shown playDrill(ProgramRig& rig, std::string_view start, std::function<bool(int)> wrong, std::string last) {
    Shown shown;
    rig.terminal.whenEmpty = [&](ScriptedTerminal& next) {
        const ScreenLayer& s = rig.screen;
        if (textAt(s, 20, 17, 8) == "You have" && !last.empty()) next.type(std::exchange(last, ""));
        if (onWrongAnswer(s)) next.click(40, 40);
        if (!onQuestion(s) || onWrongAnswer(s)) return;
        if (markedLetter(s) == "?") return void(next.key(" "));
        shown.numbers.push_back(textAt(s, 4, 5, 3));
        shown.ids.push_back(textAt(s, 2, 15, 5));
        const std::string right = markedLetter(s);
        next.type(wrong(int(shown.ids.size())) ? (right == "A" ? "b" : "a") : right);
    };
    rig.run(start);
    return shown;
}

std::vector<std::string> poolIds(int subelement, int from) {
    QuestionPool pool(kWorkTableLastRow);
    LoadPool(subelement, pool);
    std::vector<std::string> ids;
    for (int row = from; row <= pool.count(); ++row) ids.push_back(pool.cell(row, kIdField).substr(0, 5));
    return ids;
}

std::string number(int n) { return (n < 10 ? "00" : n < 100 ? "0" : "") + std::to_string(n); }

TEST(Drill, RandomOrderAsksEveryQuestionUntilAnsweredRightThenEndsOnNo) {
    ProgramRig rig;
    const Shown shown = playDrill(rig, "0 r", [](int k) { return k == 1; }, "n");
    ASSERT_EQ(shown.ids.size(), 38u);
    for (int k = 1; k <= 38; ++k) EXPECT_EQ(shown.numbers[k - 1], number(k));
    const std::vector<std::string> expected = poolIds(0, 1);
    EXPECT_EQ(std::count(shown.ids.begin(), shown.ids.end(), shown.ids.front()), 2) << "the missed question came back";
    EXPECT_EQ(std::set<std::string>(shown.ids.begin(), shown.ids.end()), std::set<std::string>(expected.begin(), expected.end()));
    EXPECT_EQ(rig.desktop.calls(), std::vector<std::string>{"play #10"});
    EXPECT_EQ(trimmedRow(rig.screen, 21).find("Thanks for playing."), 27u) << "N at the end says goodbye";
}

TEST(Drill, SequentialOrderAsksEachRowFromTheStartOnceThenBackToTheMenuOnYes) {
    ProgramRig rig;
    const Shown shown = playDrill(rig, "4 s 5 <cr>", [](int k) { return k % 3 == 0; }, "y");
    EXPECT_EQ(shown.ids, poolIds(4, 5));
    for (int k = 0; k < 20; ++k) EXPECT_EQ(shown.numbers[std::size_t(k)], number(k + 5));
    EXPECT_EQ(rig.desktop.soundsPlayed(), 6);
    EXPECT_TRUE(onMenu(rig.screen)) << "Y at the end goes back to the menu";
}

}  // namespace
}  // namespace pathwick::testing
