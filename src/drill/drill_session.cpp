#include "drill/drill_session.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <string>

#include "bank/shuffle_choices.h"
#include "console/ask_choice.h"
#include "console/clock.h"
#include "console/counted_list.h"
#include "console/text_values.h"
#include "console/wrap_text.h"
#include "drill/question_screen.h"
#include "hints/hints_file.h"
#include "drill/run_clock.h"
#include "progress/saving_notice.h"

namespace pathwick {

namespace {

constexpr std::string_view kOrderPrompt =
    "Do you want the questions to be presented [R]andomly or in [S]equence?";
constexpr std::string_view kStartPrompt = "Start with Question: ";
constexpr std::string_view kCompletedLine =
    "You have correctly answered all of the questions in this section.";
constexpr std::string_view kAnotherPrompt =
    "    Would you like to drill on another section? [Y] or [N]o?     ";
constexpr std::string_view kFigureTag = "Figure:";
constexpr int kDescriptionLinesLast = 8;
constexpr int kAnswerBarRow = 25;
constexpr int kNoticeForeground = 4;  // red on the question page's white
constexpr int kCompletedNoticeForeground = 14;  // yellow on the completion screen's blue

// The key of a click on the answer bar row, by column; a click elsewhere on
// that row redraws ("Z").
std::string clickKey(int column) {
    if (column >= 3 && column <= 5) return "A";
    if (column >= 8 && column <= 10) return "B";
    if (column >= 13 && column <= 15) return "C";
    if (column >= 18 && column <= 20) return "D";
    if (column >= 24 && column <= 33) return "S";
    if (column >= 80 && column <= 83) return "H";
    if (column >= 90) return " ";
    return "Z";
}

bool isAnswerKey(std::string_view key) {
    return key.size() == 1 && std::string_view("ABCDS ZH").find(key.front()) != std::string_view::npos;
}

std::string_view figureMarkerOf(std::string_view idField) {
    const auto at = idField.find(kFigureTag);
    return at == std::string_view::npos ? std::string_view{} : idField.substr(at);
}

class DrillSession {
public:
    DrillSession(RunState& state, ProgramContext& context)
        : state_(state), context_(context), screen_(context.screen) {}

    DrillOutcome run() {
        start();
        for (;;) {
            beginPass();
            if (!pickNext()) return complete();
            presentQuestion();
            const std::string key = askQuestion();
            const double seconds = secondsSinceShown();
            if (key == "S") {
                closeWindows();
                return DrillOutcome::BackToMenu;
            }
            record(key, seconds);
            judge(key);
        }
    }

private:
    // --- Start ---------------------------------------------------------
    void start() {
        startStamp_ = stampNow(true);
        context_.random.seed(static_cast<float>(static_cast<double>(startStamp_) +
                                                timerSeconds(screen_.clock()) + state_.menuWait));
        count_ = std::clamp(state_.pool.count(), 0, kAnsweredFlagsLast);
        state_.descriptionLine += " [" + plainNumberText(count_) + " Questions]";
        screen_.clearScreen();
        showDescription();
        screen_.locate(21, 15);
        screen_.printText(kOrderPrompt);
        const std::string order = AskChoice(screen_, kOrderPrompt, -21, 15, "[R]", "[S]");
        screen_.setColor(15, 1);
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
            screen_.locate(23, 35);
            screen_.printText("     ");
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

    // The stamp of the clock now. An invalid date is reported on the screen
    // once per drill; reporting it on every refresh of the run time would
    // swallow each answer key in the report's key wait.
    std::int64_t stampNow(bool reportInvalidDate) {
        const std::string date = dateText(screen_.clock());
        const std::string time = timeText(screen_.clock());
        return stampOf(time, date, [&](std::string_view badDate, std::string_view badTime) {
            if (!reportInvalidDate) return;
            screen_.printText("Invalid date range!");
            screen_.newLine();
            screen_.printText("Date: " + std::string(badDate));
            screen_.newLine();
            screen_.printText("Time: " + std::string(badTime));
            screen_.newLine();
            screen_.waitKey();
        });
    }

    // --- One pass of the question loop ----------------------------------
    void beginPass() {
        screen_.setColor(state_.questionForeground, state_.questionBackground);
        closeWindows();
        screen_.clearScreen();
    }

    void closeWindows() {
        if (!state_.figureMarker.empty()) {
            context_.desktop.closeGraphicWindow(state_.figureWindow);
            state_.figureWindow = 0;
            state_.figureMarker.clear();
        }
        if (state_.hintWindow != 0) {
            context_.desktop.closeGraphicWindow(state_.hintWindow);
            state_.hintWindow = 0;
        }
    }

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

    void presentQuestion() {
        const std::string_view marker = figureMarkerOf(state_.pool.cell(state_.current, kIdField));
        if (!marker.empty()) {
            state_.figureMarker = marker;
            context_.desktop.showFigure(state_.figureMarker, state_.figureWindow);
        }
        state_.pool.cell(0, kSelectorField) = numberText(state_.current);
        ShuffleChoices(state_.pool, context_.random);
        shownAt_ = screen_.clock().utcNow();
        keySeen_ = KeySeen::No;
    }

    // Draws the question and handles peek, redraw and hint requests until an
    // answer or "S" arrives.
    std::string askQuestion() {
        for (;;) {
            DrawQuestionScreen(state_, screen_);
            showSavingNotice();
            if (state_.peekOn) keySeen_ = KeySeen::ByPeek;
            const std::string key = waitAnswerKey();
            if (key == " ") {
                state_.peekOn = !state_.peekOn;
            } else if (key == "H") {
                if (keySeen_ == KeySeen::No) keySeen_ = KeySeen::ByHint;
                showAnswerAndHint();
            } else if (key != "Z") {
                return key;
            }
        }
    }

    std::string waitAnswerKey() {
        for (;;) {
            KeyEvent event;
            while (event.empty()) {
                showRunTime();
                event = screen_.pollKey(untilNextSecond());
            }
            std::string key;
            if (isClick(event)) {
                if (screen_.mouseRow() == kAnswerBarRow) key = clickKey(screen_.mouseColumn());
            } else {
                key = upperCase(event);
            }
            if (isAnswerKey(key)) return key;
        }
    }

    // The run time changes only when the clock's second does: the wait
    // wakes then (or for input), not in between.
    int untilNextSecond() { return 1000 - screen_.clock().now().millisecond; }

    void showRunTime() {
        screen_.locate(kAnswerBarRow, 50);
        screen_.printText("Run Time: " + formatRunTime(stampNow(false) - startStamp_));
    }

    void showAnswerAndHint() {
        screen_.locate(27, 2);
        screen_.printText("The Correct Answer is: ");
        screen_.setColor(2, 15);
        screen_.printText(keyLetter());
        screen_.setColor(state_.questionForeground, state_.questionBackground);
        std::string request = state_.pool.cell(state_.current, kIdField).substr(0, 5);
        showHint(request, state_.hintIndex, state_.hintWindow, screen_, context_.desktop,
                 context_.hintsDirectory, context_.edition.hintsFileName);
    }

    double secondsSinceShown() const {
        return std::chrono::duration<double>(screen_.clock().utcNow() - shownAt_).count();
    }

    // When progress is remembered every answer is, except one given with the
    // key in view by peek (it says nothing of what the user knows); one after
    // "H" counts as wrong.
    void record(const std::string& key, double seconds) {
        if (!context_.progress.remembers() || keySeen_ == KeySeen::ByPeek) return;
        const bool correct = key == keyLetter() && keySeen_ == KeySeen::No;
        context_.progress.recordAnswer(bareId(), correct, seconds, AnswerMode::Drill);
        showSavingNotice();
    }

    std::string_view bareId() const {
        return std::string_view(state_.pool.cell(state_.current, kIdField)).substr(0, 5);
    }

    void showSavingNotice() {
        ShowSavingNotice(context_.progress, screen_, kNoticeForeground, state_.questionBackground,
                         state_.questionForeground);
    }

    void judge(const std::string& key) {
        if (key == keyLetter()) {
            state_.answeredFlags[state_.current] = 1;
            return;
        }
        context_.desktop.playWaveAsync(state_.answerSound);
        screen_.setColor(state_.questionForeground, state_.questionBackground);
        screen_.locate(21, 29);
        screen_.printText("Incorrect Answer, the correct answer is " + keyLetter());
        screen_.locate(22, 29);
        screen_.printText("We will come back to this question again.");
        screen_.locate(23, 29);
        screen_.printText("      Press any key to continue.....     ");
        screen_.waitKey();
    }

    const std::string& keyLetter() const { return state_.pool.cell(state_.current, kKeyField); }

    // --- Completion ------------------------------------------------------
    DrillOutcome complete() {
        screen_.setColor(15, 1);
        screen_.clearScreen();
        screen_.locate(20, 17);
        screen_.printText(kCompletedLine);
        screen_.locate(21, 17);
        screen_.printText(kAnotherPrompt);
        ShowSavingNotice(context_.progress, screen_, kCompletedNoticeForeground, 1, 15);
        const std::string answer = AskChoice(screen_, kAnotherPrompt, -21, 17, "[Y]", "[N]");
        screen_.setColor(state_.questionForeground, state_.questionBackground);
        return answer == "Y" ? DrillOutcome::BackToMenu : DrillOutcome::Goodbye;
    }

    RunState& state_;
    ProgramContext& context_;
    ScreenLayer& screen_;
    std::int64_t startStamp_ = 0;
    int count_ = 0;
    // How the question on screen came to show its key, if it did.
    enum class KeySeen { No, ByHint, ByPeek };
    KeySeen keySeen_ = KeySeen::No;
    UtcTime shownAt_{};
};

}  // namespace

DrillOutcome RunDrillSession(RunState& state, ProgramContext& context) {
    return DrillSession(state, context).run();
}

}  // namespace pathwick
