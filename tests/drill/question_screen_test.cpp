#include "drill/question_screen.h"

#include <gtest/gtest.h>

#include "bank/load_pool.h"
#include "support/drill_driver.h"
#include "support/screen_test.h"

namespace pathwick::testing {
namespace {

const std::string kRule99 = [] {
    std::string rule;
    for (int i = 0; i < 99; ++i) rule += "\u2500";
    return rule;
}();

class QuestionScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        LoadPool(0, state.pool);
        state.descriptionLine = descriptionLineOf(0) + " [37 Questions]";
        state.current = 1;  // T0A01, key B
        state.shownCounter = 7;
        rig.screen.setColor(15, 1);
        rig.screen.clearScreen();
    }
    void draw() { DrawQuestionScreen(state, rig.screen); }
    const ScreenLayer& screen() const { return rig.screen; }

    ScreenRig rig;
    RunState state;
};

TEST_F(QuestionScreenTest, DrawsFrameAnswerBarAndIdLine) {
    draw();
    EXPECT_EQ(textAt(screen(), 1, 2, 99), kRule99);
    EXPECT_EQ(textAt(screen(), 3, 2, 99), kRule99);
    EXPECT_EQ(textAt(screen(), 24, 2, 99), kRule99);
    EXPECT_EQ(textAt(screen(), 26, 2, 99), kRule99);
    EXPECT_EQ(textAt(screen(), 1, 1, 1), " ") << "rules start at column 2";
    EXPECT_EQ(trimmedRow(screen(), 2), " Question ID: T0A01  Module T0 \u2013 Electrical Safety");
    EXPECT_EQ(textAt(screen(), 25, 1, 34), " [ A ][ B ][ C ][ D ] [Stop Drill]");
    EXPECT_TRUE(allColors(screen(), 25, 1, 2, 0, 15));
    for (int column : {3, 8, 13, 18}) EXPECT_TRUE(allColors(screen(), 25, column, 3, 14, 4)) << column;
    EXPECT_TRUE(allColors(screen(), 25, 24, 10, 14, 4));
    EXPECT_TRUE(allColors(screen(), 25, 6, 2, 0, 15));
    EXPECT_EQ(textAt(screen(), 25, 90, 8), "Peek Off");
    EXPECT_TRUE(allColors(screen(), 25, 90, 8, 0, 7));
    EXPECT_EQ(screen().foreground(), 0);
    EXPECT_EQ(screen().background(), 15);
}

TEST_F(QuestionScreenTest, NumbersTheQuestionWithThreeDigitsAndWrapsChoices) {
    draw();
    EXPECT_EQ(trimmedRow(screen(), 4),
              "    007. Which of the following is a safety hazard of a 12-volt storage battery?");
    EXPECT_EQ(trimmedRow(screen(), 5), "");
    EXPECT_EQ(trimmedRow(screen(), 6),
              "      A. Touching both terminals with the hands can cause electrical shock");
    EXPECT_EQ(trimmedRow(screen(), 7), "");
    EXPECT_EQ(trimmedRow(screen(), 8),
              "      B. Shorting the terminals can cause burns, fire, or an explosion");
    EXPECT_EQ(trimmedRow(screen(), 12), "      D. All of these choices are correct");
    EXPECT_TRUE(allColors(screen(), 12, 1, 96, 0, 15)) << "the padded line ends at column 96";

    state.shownCounter = 1000;
    draw();
    EXPECT_EQ(textAt(screen(), 4, 5, 5), "000. ");
    state.shownCounter = 142;
    draw();
    EXPECT_EQ(textAt(screen(), 4, 5, 5), "142. ");
}

TEST_F(QuestionScreenTest, LongQuestionContinuesAtColumnTen) {
    state.pool.cell(1, 2) = std::string(60, 'a') + " " + std::string(40, 'b');
    draw();
    EXPECT_EQ(trimmedRow(screen(), 4), "    007. " + std::string(60, 'a'));
    EXPECT_EQ(trimmedRow(screen(), 5), "         " + std::string(40, 'b'));
    EXPECT_EQ(trimmedRow(screen(), 6), "");
    EXPECT_EQ(textAt(screen(), 7, 7, 3), "A. ");
}

TEST_F(QuestionScreenTest, PeekMarkerStandsAboveTheKeyLetter) {
    state.peekOn = true;
    draw();
    EXPECT_EQ(textAt(screen(), 23, 9, 1), "*") << dump(screen());
    EXPECT_EQ(textAt(screen(), 25, 90, 8), "Peek On ");
    EXPECT_TRUE(allColors(screen(), 25, 90, 7, 14, 4));
    EXPECT_EQ(colorsAt(screen(), 25, 97), "0/15");

    state.pool.cell(1, 7) = "D";
    draw();
    EXPECT_EQ(textAt(screen(), 23, 19, 1), "*");
    state.peekOn = false;
    draw();
    EXPECT_EQ(textAt(screen(), 23, 19, 2), "  ");

    ShowQuestionIdLine("T0A01", "Q", true, rig.screen);
    EXPECT_EQ(textAt(screen(), 23, 95, 1), "*") << "a key letter outside A-D marks column 95";
}

TEST_F(QuestionScreenTest, HintPromptOnlyForListedIds) {
    rig.screen.locate(25, 80);
    rig.screen.printText("Hint");
    draw();
    EXPECT_EQ(textAt(screen(), 25, 80, 4), "    ");

    state.hintIndex[0] = " 2";
    state.hintIndex[1] = "T9A01";
    state.hintIndex[2] = "T0A01";
    draw();
    EXPECT_EQ(textAt(screen(), 25, 80, 4), "Hint");
    EXPECT_TRUE(allColors(screen(), 25, 80, 4, 0, 7));

    state.hintIndex[0] = "1";  // T0A01 now lies beyond the count
    draw();
    EXPECT_EQ(textAt(screen(), 25, 80, 4), "    ");
}

TEST_F(QuestionScreenTest, FigureIdFieldIsShownInFullUnderTheShortName) {
    state.pool.clear();
    LoadPool(6, state.pool);
    state.descriptionLine = "No colon here";
    for (int row = 1; row <= state.pool.count(); ++row) {
        if (state.pool.cell(row, 1).starts_with("T6C02")) state.current = row;
    }
    ASSERT_GT(state.current, 0);
    draw();
    EXPECT_EQ(trimmedRow(screen(), 2), " Question ID: T6C02 Figure:T1");

    state.descriptionLine = "Module T6 - Electrical Components: x";
    draw();
    EXPECT_EQ(trimmedRow(screen(), 2), " Question ID: T6C02 FModule T6 - Electrical Components");
}

}  // namespace
}  // namespace pathwick::testing
