#include <gtest/gtest.h>

#include <string>

#include "study/study_mode.h"
#include "support/screen_test.h"

namespace pathwick {
namespace {

using namespace pathwick::testing;

const std::string kNotFound = "Question not found.  Press any key to continue or [Q] to quit.";
const std::string kIdLine = "         Question ID: ";

// Study mode with its own hints folder; unless told otherwise the script
// starts with the key that closes the introduction.
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
    // True when study mode returned by itself, false when it still waited
    // for input as the script ran out.
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
    const std::string indent(15, ' ');
    EXPECT_EQ(rig.row(15), indent + "In this mode you can enter in a specific question ID such as, "
                                    "\"T9A04\"");
    EXPECT_EQ(rig.row(16), indent + "and it will display that specific quetion. "
                                    "Tapping any key will display");
    EXPECT_EQ(rig.row(18), indent + "study guide or in a teaching scenario.  "
                                    "Press any key to continue.");
    EXPECT_TRUE(rig.pool.cell(500, 3).empty()) << "the work table is emptied on entry";
}

TEST(StudyMode, IdIsTheFirstFieldUpperCased) {
    for (std::string typed : {"t9a04", "  T9A04  ", "T9A04,more text", "\"t9A04\""}) {
        StudyRig rig;
        rig.lookUp(typed);
        EXPECT_FALSE(rig.run());
        EXPECT_EQ(rig.row(2), kIdLine + "T9A04") << typed << "\n" << dump(rig.screen);
    }
    StudyRig figure;
    figure.lookUp("T6C02");
    EXPECT_FALSE(figure.run());
    EXPECT_EQ(figure.row(2), kIdLine + "T6C02 Figure:T1");
    EXPECT_TRUE(figure.desktop.calls().empty()) << "study mode opens no figure window";
}

TEST(StudyMode, IdsThatNameNoQuestion) {
    for (std::string typed : {"T6C02 Figure:T1", "T9A4", "T9A99", "T9A045", "TXA01", "9",
                              "\"T9A04 \""}) {
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
        EXPECT_EQ(dump(rig.screen), dump(StudyRig().screen)) << typed << ": blank screen";
    }
}

TEST(StudyMode, AfterNotFoundQLeavesAndOtherInputReturnsToThePrompt) {
    for (std::string quit : {"q", "Q"}) {
        StudyRig rig;
        rig.lookUp("T9A99").terminal.key(quit);
        EXPECT_TRUE(rig.run()) << quit;
    }
    StudyRig rig;
    rig.lookUp("T9A99").terminal.key("x");
    rig.lookUp("T9A99").terminal.click(1, 52).type("T9");
    EXPECT_FALSE(rig.run());
    EXPECT_EQ(textAt(rig.screen, 20, 20, 25), "Enter the Question ID: T9");
    EXPECT_EQ(rig.row(1), "");
}

TEST(StudyMode, StoredChoicesThenHintThenAnswerThenPrompt) {
    StudyRig page;
    page.lookUp("T0A01");
    EXPECT_FALSE(page.run());
    EXPECT_EQ(page.row(4),
              "         Which of the following is a safety hazard of a 12-volt storage battery?");
    EXPECT_EQ(page.row(6),
              "         A. Touching both terminals with the hands can cause electrical shock");
    EXPECT_EQ(page.row(12), "         D. All of these choices are correct");
    EXPECT_EQ(page.row(26), "");

    StudyRig hint;
    hint.lookUp("T0A01").terminal.key("a");
    EXPECT_FALSE(hint.run());
    const std::string rule = [] {
        std::string text;
        for (int i = 0; i < 48; ++i) text += "\u2500";
        return text;
    }();
    EXPECT_EQ(textAt(hint.screen, 26, 1, 48) + textAt(hint.screen, 26, 49, 6), rule + "[Hint]");
    EXPECT_EQ(textAt(hint.screen, 26, 99, 2), "\u2500 ") << "a rule of 99";
    EXPECT_EQ(hint.row(23), "");

    StudyRig answer;
    answer.lookUp("T0A01").terminal.key("a").key("b");
    EXPECT_FALSE(answer.run());
    EXPECT_EQ(answer.row(23), "         The Correct Answer is: B") << "the stored letter";

    StudyRig back;
    back.lookUp("T0A01").terminal.key("a").key("b").key("c");
    back.lookUp("");
    EXPECT_TRUE(back.run());
}

TEST(StudyMode, HintTextAndPictureWindowClosedBeforeTheNextLookUpAndOnLeaving) {
    const std::string hint = "T0A01: Mind the battery.] ~Figure battery.bmp\r\n";

    StudyRig shown;
    shown.hints.write("hints.txt", hint);
    shown.lookUp("T0A01").terminal.key("a").key("b").key("c");
    shown.lookUp("T0A02");
    EXPECT_FALSE(shown.run());
    ASSERT_EQ(shown.desktop.calls().size(), 2u) << dump(shown.screen);
    EXPECT_EQ(shown.desktop.calls()[0].rfind("showImageFile ", 0), 0u);
    EXPECT_EQ(shown.desktop.calls()[1], "close 1");
    EXPECT_EQ(shown.row(2), kIdLine + "T0A02");

    StudyRig gone;  // input ends while the hint and its picture are up
    gone.hints.write("hints.txt", hint);
    gone.lookUp("T0A01").terminal.key("a");
    EXPECT_FALSE(gone.run());
    EXPECT_EQ(gone.row(29), " Mind the battery.]") << dump(gone.screen);
    EXPECT_EQ(gone.desktop.calls().back(), "close 1");
    EXPECT_TRUE(gone.desktop.openWindows().empty());
}

}  // namespace
}  // namespace pathwick
