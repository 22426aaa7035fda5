#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bank/question_pool.h"
#include "console/counted_list.h"
#include "study/study_mode.h"
#include "support/screen_test.h"

namespace pathwick {
namespace {

using testing::ScreenRig;
using testing::TempDirectory;
using testing::dump;
using testing::textAt;
using testing::trimmedRow;

const std::string kNotFound = "Question not found.  Press any key to continue or [Q] to quit.";
const std::string kIdLine = "         Question ID: ";

// Study mode with its own empty hints folder; the script starts with the
// key that closes the introduction.
struct StudyRig : ScreenRig {
    TempDirectory hints;
    QuestionPool pool{kWorkTableLastRow};
    CountedList hintIndex{640};

    explicit StudyRig(bool passIntroduction = true) {
        context.hintsDirectory = hints.path();
        screen.enableMouse();
        if (passIntroduction) terminal.key(" ");
    }
    StudyRig& lookUp(std::string_view typed) {
        terminal.type(typed).enter();
        return *this;
    }
    // True when study mode returned by itself, false when it was still
    // waiting for input when the script ran out.
    bool run() {
        try {
            RunStudyMode(pool, hintIndex, context);
            return true;
        } catch (const InputClosed&) {
            return false;
        }
    }
    std::string row(int r) const { return trimmedRow(screen, r); }
};

TEST(StudyMode, IntroductionWithItsOwnWording) {
    StudyRig rig(false);
    rig.pool.cell(500, 3) = "left from a drill";
    EXPECT_FALSE(rig.run());
    EXPECT_EQ(rig.row(15), std::string(15, ' ') +
                               "In this mode you can enter in a specific question ID such as, \"T9A04\"");
    EXPECT_EQ(rig.row(16), std::string(15, ' ') + "and it will display that specific quetion. "
                                                  "Tapping any key will display");
    EXPECT_EQ(rig.row(17), std::string(15, ' ') + "the correct answer.  This is a handy mode "
                                                  "for studying directy from a");
    EXPECT_EQ(rig.row(18), std::string(15, ' ') + "study guide or in a teaching scenario.  "
                                                  "Press any key to continue.");
    EXPECT_TRUE(rig.pool.cell(500, 3).empty()) << "the work table is emptied on entry";
}

TEST(StudyMode, PromptAtRowTwentyColumnTwenty) {
    StudyRig rig;
    rig.terminal.type("t9");
    EXPECT_FALSE(rig.run());
    EXPECT_EQ(textAt(rig.screen, 20, 20, 25), "Enter the Question ID: t9");
    EXPECT_TRUE(rig.screen.cursorVisible());
}

TEST(StudyMode, IdIsTheFirstFieldUpperCased) {
    for (std::string typed : {"t9a04", "  T9A04  ", "T9A04,more text", "t9A04 , x", "\"T9A04\""}) {
        StudyRig rig;
        rig.lookUp(typed);
        EXPECT_FALSE(rig.run());
        EXPECT_EQ(rig.row(2), kIdLine + "T9A04") << typed << "\n" << dump(rig.screen);
        EXPECT_EQ(rig.row(1), "");
    }
}

TEST(StudyMode, FoundPageShowsTheStoredQuestion) {
    StudyRig rig;
    rig.lookUp("T0A01");
    EXPECT_FALSE(rig.run());
    EXPECT_EQ(rig.row(2), kIdLine + "T0A01");
    EXPECT_EQ(rig.row(3), "");
    EXPECT_EQ(rig.row(4),
              "         Which of the following is a safety hazard of a 12-volt storage battery?");
    EXPECT_EQ(rig.row(5), "");
    EXPECT_EQ(rig.row(6),
              "         A. Touching both terminals with the hands can cause electrical shock");
    EXPECT_EQ(rig.row(8), "         B. Shorting the terminals can cause burns, fire, or an explosion");
    EXPECT_EQ(rig.row(10), "         C. RF emissions from the battery");
    EXPECT_EQ(rig.row(12), "         D. All of these choices are correct");
    EXPECT_EQ(rig.row(26), "") << "no hint rule before the first key";
    EXPECT_TRUE(rig.desktop.calls().empty());
}

TEST(StudyMode, LongQuestionWrapsAtNinety) {
    StudyRig rig;
    rig.lookUp("T9A04");
    EXPECT_FALSE(rig.run());
    EXPECT_EQ(textAt(rig.screen, 4, 1, 40), "         What is a disadvantage of the \u201c");
    EXPECT_NE(rig.row(5), "") << "second line of the question";
    EXPECT_EQ(textAt(rig.screen, 5, 1, 9), "         ");
    EXPECT_EQ(rig.row(6), "");
    EXPECT_EQ(rig.row(7), "         A. It does not transmit or receive as effectively");
}

TEST(StudyMode, FigureQuestionShowsItsMarkerAndOpensNoWindow) {
    StudyRig rig;
    rig.lookUp("T6C02");
    EXPECT_FALSE(rig.run());
    EXPECT_EQ(rig.row(2), kIdLine + "T6C02 Figure:T1");
    EXPECT_TRUE(rig.desktop.calls().empty());
}

TEST(StudyMode, IdsThatNameNoQuestion) {
    for (std::string typed : {"T6C02 Figure:T1", "T9A4", "T9A99", "T9A045", "X9A04", "TXA01", "9",
                              "\" T9A04\"", "\"T9A04 \""}) {
        StudyRig rig;
        rig.lookUp(typed);
        EXPECT_FALSE(rig.run());
        EXPECT_EQ(rig.row(1), kNotFound) << typed;
        EXPECT_EQ(rig.row(2), "") << typed;
    }
}

TEST(StudyMode, EmptyBlankOrCommaFirstLineLeavesSilently) {
    for (std::string typed : {"", "     ", ",T9A04", "  ,T9A04"}) {
        StudyRig rig;
        rig.lookUp(typed);
        EXPECT_TRUE(rig.run()) << typed;
        for (int r = 1; r <= 43; ++r) EXPECT_EQ(rig.row(r), "") << typed << " row " << r;
    }
}

TEST(StudyMode, AfterNotFoundQLeavesAndOtherInputReturnsToThePrompt) {
    for (std::string quit : {"q", "Q"}) {
        StudyRig rig;
        rig.lookUp("T9A99").terminal.key(quit);
        EXPECT_TRUE(rig.run()) << quit;
    }
    StudyRig key;
    key.lookUp("T9A99").terminal.key("x");
    key.lookUp("T9A01");
    EXPECT_FALSE(key.run());
    EXPECT_EQ(key.row(2), kIdLine + "T9A01");

    StudyRig click;
    click.lookUp("T9A99").terminal.click(1, 52);
    EXPECT_FALSE(click.run());
    EXPECT_EQ(textAt(click.screen, 20, 20, 23), "Enter the Question ID: ");
    EXPECT_EQ(click.row(1), "");
}

TEST(StudyMode, ThreeKeysHintThenAnswerThenPrompt) {
    const std::string rule99 = [] {
        std::string rule;
        for (int i = 0; i < 99; ++i) rule += "\u2500";
        return rule;
    }();

    StudyRig first;
    first.lookUp("T0A01").terminal.key("a");
    EXPECT_FALSE(first.run());
    EXPECT_EQ(textAt(first.screen, 26, 1, 48), rule99.substr(0, 48 * 3));
    EXPECT_EQ(textAt(first.screen, 26, 49, 6), "[Hint]");
    EXPECT_EQ(textAt(first.screen, 26, 55, 45), rule99.substr(0, 45 * 3));
    EXPECT_EQ(textAt(first.screen, 26, 100, 1), " ");
    EXPECT_EQ(first.row(23), "");
    EXPECT_EQ(first.row(2), kIdLine + "T0A01") << "the question stays on screen";

    StudyRig second;
    second.lookUp("T0A01").terminal.key("a").key("b");
    EXPECT_FALSE(second.run());
    EXPECT_EQ(second.row(23), "         The Correct Answer is: B") << "the stored letter";
    EXPECT_EQ(second.row(12), "         D. All of these choices are correct");

    StudyRig third;
    third.lookUp("T0A01").terminal.key("a").key("b").key("c");
    third.lookUp("");
    EXPECT_TRUE(third.run());
}

TEST(StudyMode, HintIsShownBelowTheRule) {
    StudyRig rig;
    rig.hints.write("hints.txt", "T0A01: Batteries store a lot of energy.]\r\n");
    rig.lookUp("T0A01").terminal.key("a");
    EXPECT_FALSE(rig.run());
    EXPECT_EQ(rig.row(29), " Batteries store a lot of energy.]") << dump(rig.screen);
}

TEST(StudyMode, HintPictureClosesBeforeTheNextLookUpAndOnLeaving) {
    const std::string hint = "T0A01: See the picture.] ~Figure battery.bmp\r\n";

    StudyRig next;
    next.hints.write("hints.txt", hint);
    next.lookUp("T0A01").terminal.key("a").key("b").key("c");
    next.lookUp("");
    EXPECT_TRUE(next.run());
    ASSERT_EQ(next.desktop.calls().size(), 2u) << dump(next.screen);
    EXPECT_EQ(next.desktop.calls()[0].rfind("showImageFile ", 0), 0u);
    EXPECT_EQ(next.desktop.calls()[1], "close 1");
    EXPECT_TRUE(next.desktop.openWindows().empty());

    StudyRig gone;  // input ends while the picture is up
    gone.hints.write("hints.txt", hint);
    gone.lookUp("T0A01").terminal.key("a");
    EXPECT_FALSE(gone.run());
    EXPECT_EQ(gone.desktop.calls().back(), "close 1");
    EXPECT_TRUE(gone.desktop.openWindows().empty());
}

}  // namespace
}  // namespace pathwick
