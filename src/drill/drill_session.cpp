#include "drill/drill_session.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <string>

#include "console/ask_choice.h"
#include "console/clock.h"
#include "console/counted_list.h"
#include "console/text_values.h"
#include "console/wrap_text.h"
#include "drill/question_turn.h"
#include "progress/saving_notice.h"
#include "console/palette.h"

namespace pathwick {

namespace {

constexpr std::string_view kOrderPrompt =
    "Do you want the questions to be presented [R]andomly or in [S]equence?";
constexpr std::string_view kStartPrompt = "Start with Question: ";
constexpr std::string_view kCompletedLine =
    "You have correctly answered all of the questions in this section.";
constexpr std::string_view kAnotherPrompt =
    "    Would you like to drill on another section? [Y] or [N]o?     ";
constexpr int kDescriptionLinesLast = 8;
constexpr int kCompletedNoticeForeground = 14;  // yellow on the completion screen's blue

class DrillSession {
public:
    DrillSession(RunState& state, ProgramContext& context)
        : state_(state), context_(context), screen_(context.screen) {}

    DrillOutcome run() {
        start();
        QuestionTurn turn(state_, context_, startStamp_, AnswerMode::Drill, QuestionTurn::EscKey::Ignored);
        for (;;) {
            turn.beginPass();
            if (!pickNext()) return complete();
            turn.present();
            const std::string key = turn.ask();
            if (key == "S") {
                turn.closeWindows();
                return DrillOutcome::BackToMenu;
            }
            turn.record(key);
            if (turn.judge(key)) state_.answeredFlags[state_.current] = 1;
        }
    }

private:
    // --- Start ---------------------------------------------------------
    void start() {
        startStamp_ = StampNow(screen_, true);
        context_.random.seed(static_cast<float>(static_cast<double>(startStamp_) +
                                                timerSeconds(screen_.clock()) + state_.menuWait));
        count_ = std::clamp(state_.pool.count(), 0, kAnsweredFlagsLast);
        state_.descriptionLine += " [" + plainNumberText(count_) + " Questions]";
        screen_.clearScreen();
        showDescription();
        screen_.locate(21, 15);
        screen_.printText(kOrderPrompt);
        const std::string order = AskChoice(screen_, kOrderPrompt, -21, 15, "[R]", "[S]");
        screen_.setColor(kPageForeground, kPageBackground);
        state_.order = order == "R" ? DrillOrder::Random : DrillOrder::Sequential;
        if (state_.order == DrillOrder::Sequential) askStartQuestion();
    }

    void showDescription() {
        CountedList lines(kDescriptionLinesLast);
        WrapText(state_.descriptionLine, lines, 70);
        const int shown = std::clamp(lines.count(), 0, kDescriptionLinesLast);
        for (int i = 1; i <= shown; ++i) {
            screen_.locate(15 + i, 15);
            screen_.printText(lines[i]);
        }
    }

    void askStartQuestion() {
        int first = 0;
        while (first < 1) {
            // Wipes the previous entry to the end of the row: five blanks
            // would leave the end of one of five characters or more.
            screen_.locate(23, 35);
            screen_.printText(std::string(kScreenColumns - 35 + 1, ' '));
            screen_.locate(23, 15);
            screen_.printText(kStartPrompt);
            const double value = valueOf(screen_.readLine());
            // Compared before rounding so that a huge entry cannot overflow.
            if (value >= 0.5 && value < count_ + 0.5) first = static_cast<int>(std::lround(value));
        }
        for (int row = 1; row < first; ++row) state_.answeredFlags[row] = 1;
        state_.current = first - 1;
        state_.shownCounter = first;
    }

    // --- The question loop ------------------------------------------------
    bool allDone() const {
        for (int row = 1; row <= count_; ++row) {
            if (state_.answeredFlags[row] == 0) return false;
        }
        return true;
    }

    // Chooses the next question; false when every question is done.
    bool pickNext() {
        if (allDone()) return false;
        if (state_.order == DrillOrder::Random) {
            do {
                state_.current = context_.random.between(1, count_);
            } while (state_.answeredFlags[state_.current] != 0);
            ++state_.shownCounter;
        } else {
            ++state_.current;
            state_.shownCounter = state_.current;
            state_.answeredFlags[state_.current] = 1;
        }
        return true;
    }

    // --- Completion ------------------------------------------------------
    DrillOutcome complete() {
        screen_.setColor(kPageForeground, kPageBackground);
        screen_.clearScreen();
        screen_.locate(20, 17);
        screen_.printText(kCompletedLine);
        screen_.locate(21, 17);
        screen_.printText(kAnotherPrompt);
        ShowSavingNotice(context_.progress, screen_, kCompletedNoticeForeground);
        const std::string answer = AskChoice(screen_, kAnotherPrompt, -21, 17, "[Y]", "[N]");
        screen_.setColor(state_.questionForeground, state_.questionBackground);
        return answer == "Y" ? DrillOutcome::BackToMenu : DrillOutcome::Goodbye;
    }

    RunState& state_;
    ProgramContext& context_;
    ScreenLayer& screen_;
    std::int64_t startStamp_ = 0;
    int count_ = 0;
};

}  // namespace

DrillOutcome RunDrillSession(RunState& state, ProgramContext& context) {
    return DrillSession(state, context).run();
}

}  // namespace pathwick
