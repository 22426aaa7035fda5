// Every question of every pool fits its three screens: the drill's question
// screen, the practice test page and study mode show the whole question and
// all four choices, nothing overwritten and nothing from row 23 down (the
// peek marker, the answer bar; study mode's answer line).
#include <gtest/gtest.h>

#include "bank/load_pool.h"
#include "console/cp1252.h"
#include "drill/question_screen.h"
#include "exam/practice_exam.h"
#include "study/study_mode.h"
#include "support/screen_test.h"

namespace pathwick::testing {
namespace {

// Blank runs as one blank, none at the ends.
std::string squeezed(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c != ' ' || (!out.empty() && out.back() != ' ')) out += c;
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

std::string rowsText(const ScreenLayer& screen, int first, int last) {
    std::string text;
    for (int row = first; row <= last; ++row) text += trimmedRow(screen, row) + " ";
    return squeezed(text);
}

// The record's texts as they must appear, after `head`.
std::string wholeQuestion(const QuestionPool& pool, int row, const std::string& head) {
    std::string text = head;
    for (int field = kQuestionField; field <= kChoiceDField; ++field) text += " " + pool.cell(row, field);
    return squeezed(cp1252ToUtf8(text));
}

TEST(QuestionFit, EveryQuestionOfEveryPoolOnEveryScreen) {
    for (const PoolEdition* edition : AllEditions()) {
        for (int s = 0; s < kSubelementCount; ++s) {
            ScreenRig drill, exam, study;
            RunState state;
            LoadPool(s, state.pool, *edition);
            PracticeTest test(kPracticeTestLastRow);
            test.current = kPracticeTestLastRow;  // the widest number, "50. "
            std::vector<std::string> ids;
            for (int row = 1; row <= state.pool.count(); ++row) {
                const std::string id = state.pool.cell(row, kIdField).substr(0, 5);
                ids.push_back(id);
                state.current = state.shownCounter = row;
                drill.screen.clearScreen();
                DrawQuestionScreen(state, drill.screen);
                const std::string number = "00" + std::to_string(row);
                EXPECT_EQ(rowsText(drill.screen, 4, 22), wholeQuestion(state.pool, row, number.substr(number.size() - 3) + ".")) << id;
                EXPECT_EQ(trimmedRow(drill.screen, 23), "") << id;

                for (int field = 1; field <= kFieldsPerQuestion; ++field)
                    test.questions.cell(kPracticeTestLastRow, field) = state.pool.cell(row, field);
                DrawExamPage(test, exam.context);
                EXPECT_EQ(rowsText(exam.screen, 2, 23), wholeQuestion(state.pool, row, "50.")) << id;
            }
            // Study mode: each ID typed in turn, the screen checked when the
            // question waits for its first key, then on through hint and answer.
            std::size_t next = 0;
            bool atQuestion = false;
            study.terminal.key("x");
            study.terminal.whenEmpty = [&](ScriptedTerminal& terminal) {
                if (atQuestion) {
                    const int row = int(next);
                    EXPECT_EQ(rowsText(study.screen, 2, 22), wholeQuestion(state.pool, row, "Question ID: " + state.pool.cell(row, kIdField))) << ids[next - 1];
                    EXPECT_EQ(rowsText(study.screen, 23, 43), "") << ids[next - 1];
                    terminal.key("x").key("x").key("x");
                } else if (next < ids.size()) {
                    terminal.type(ids[next++]).key("\r");
                }
                atQuestion = !atQuestion;
            };
            ProgramContext context{study.screen, study.desktop, study.random, ".", *edition};
            EXPECT_THROW(RunStudyMode(state.pool, state.hintIndex, context), InputClosed);
            EXPECT_EQ(next, ids.size());
        }
    }
}

// A question longer than the drill screen's eight lines shows its first
// eight, and the choices keep their places below.
TEST(QuestionFit, AnOverlongQuestionShowsItsFirstEightLines) {
    ScreenRig rig;
    RunState state;
    LoadPool(0, state.pool);
    std::string text;
    for (int word = 100; word < 300; ++word) text += "w" + std::to_string(word) + " ";
    state.pool.cell(1, kQuestionField) = text;
    state.current = state.shownCounter = 1;
    DrawQuestionScreen(state, rig.screen);
    const std::string last = trimmedRow(rig.screen, 11);
    EXPECT_EQ(last.substr(last.size() - 9) + "|" + trimmedRow(rig.screen, 12) + "|" + trimmedRow(rig.screen, 13).substr(0, 8),
              "w241 w242||      A.");
}

}  // namespace
}  // namespace pathwick::testing
