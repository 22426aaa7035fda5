#include "drill/review_session.h"

#include <optional>
#include <string>

#include "bank/load_pool.h"
#include "console/clock.h"
#include "console/key_event.h"
#include "console/text_values.h"
#include "drill/question_turn.h"
#include "progress/calendar_date_text.h"
#include "progress/review_round.h"
#include "progress/saving_notice.h"
#include "console/palette.h"

namespace pathwick {
namespace {

// The closing screen is in the page colours, its answers clickable labels.
constexpr int kLeft = 17;
constexpr int kHeadingRow = 17;
constexpr int kPromptRow = 23;

struct Button {
    std::string_view key;
    int column;
    std::string_view label;  // its cells take the clicks
    std::string_view text;
};
constexpr Button kButtons[] = {
    {"Y", kLeft + 15, "[Y]", "es or "},
    {"N", kLeft + 24, "[N]", "o   "},
    {"\x1b", kLeft + 31, "[Esc]", " back to the menu"},
};
constexpr std::string_view kAnotherPrompt = "Another round? ";


void printAt(ScreenLayer& screen, int row, int column, std::string_view text) {
    screen.locate(row, column);
    screen.printText(text);
}

// "Y", "N" or Esc, typed (either case) or clicked on its label.
std::string waitForAnswer(ScreenLayer& screen) {
    for (;;) {
        const KeyEvent key = screen.waitKey();
        if (!isClick(key)) {
            const std::string typed = upperCase(key);
            if (typed == "Y" || typed == "N" || typed == "\x1b") return typed;
            continue;
        }
        for (const Button& button : kButtons) {
            const int column = screen.mouseColumn();
            if (screen.mouseRow() == kPromptRow && column >= button.column &&
                column < button.column + static_cast<int>(button.label.size()))
                return std::string(button.key);
        }
    }
}

class ReviewSession {
public:
    ReviewSession(RunState& state, ProgramContext& context)
        : state_(state), context_(context), screen_(context.screen), progress_(context.progress) {}

    void run() {
        const std::int64_t startStamp = StampNow(screen_, false);
        context_.random.seed(static_cast<float>(static_cast<double>(startStamp) + timerSeconds(screen_.clock()) +
                                                state_.menuWait));
        QuestionTurn turn(state_, context_, startStamp, AnswerMode::Review, QuestionTurn::EscKey::Stops);
        for (;;) {
            const Standing before = progress_.standingOnExamDay();
            ReviewRound round(progress_.reviewOrder(), progress_.sittingRepeats());
            const bool stopped = askRound(round, turn);
            turn.closeWindows();
            if (stopped) return;
            if (!offerAnother(round, before)) return;
        }
    }

private:
    // True when the user stopped the round.
    bool askRound(ReviewRound& round, QuestionTurn& turn) {
        while (const std::optional<std::string_view> id = round.next()) {
            turn.beginPass();
            if (!load(*id)) return false;
            state_.shownCounter = round.answered() + 1;
            turn.present();
            const std::string key = turn.ask();
            if (key == "S") return true;
            turn.record(key);
            round.answer(turn.rightUnaided(key));
            if (!turn.judge(key) && turn.stopAsked()) return true;
        }
        return false;
    }

    // Puts the question `id` on row state.current of the work table, with its
    // subelement's name for the question screen.
    bool load(std::string_view id) {
        const int subelement = SubelementNamedBy(id);
        if (subelement < 0) return false;
        LoadPool(subelement, state_.pool, context_.edition);
        state_.descriptionLine = context_.edition.descriptionLines[static_cast<std::size_t>(subelement)];
        for (int row = 1; row <= state_.pool.count(); ++row) {
            if (std::string_view(state_.pool.cell(row, kIdField)).substr(0, id.size()) == id) {
                state_.current = row;
                return true;
            }
        }
        return false;
    }

    // The round's result and the offer of another; true when taken.
    bool offerAnother(const ReviewRound& round, const Standing& before) {
        screen_.setColor(kPageForeground, kPageBackground);
        screen_.clearScreen();
        screen_.setColor(kHeadingForeground, kPageBackground);
        if (round.answered() == 0) {
            // Another round would be as empty: only the way back is offered.
            printAt(screen_, kHeadingRow, kLeft, "Nothing to review now: every question is at 90 % or better.");
            screen_.setColor(kPageForeground, kPageBackground);
            printAt(screen_, kPromptRow, kLeft, "Press any key to go back to the menu.");
            screen_.waitKey();
            return false;
        }
        printAt(screen_, kHeadingRow, kLeft, "Review round done");
        screen_.setColor(kPageForeground, kPageBackground);
        printAt(screen_, kHeadingRow + 2, kLeft,
                plainNumberText(round.answered()) + " answers: " + plainNumberText(round.right()) + " right, " +
                    plainNumberText(round.wrong()) + " wrong");
        // The expected score moves while the chance is still near nothing.
        const Standing after = progress_.standingOnExamDay();
        printAt(screen_, kHeadingRow + 3, kLeft,
                chanceLabel() + ": " + percentText(before.passChance) + " before this round, " +
                    percentText(after.passChance) + " after");
        printAt(screen_, kHeadingRow + 4, kLeft,
                "Expected score: " + oneDecimalText(before.expectedScore) + " before, " + oneDecimalText(after.expectedScore) +
                    " after, of " + plainNumberText(context_.edition.examQuestions));
        printAt(screen_, kPromptRow, kLeft, kAnotherPrompt);
        for (const Button& button : kButtons) {
            screen_.setColor(kButtonForeground, kButtonBackground);
            printAt(screen_, kPromptRow, button.column, button.label);
            screen_.setColor(kPageForeground, kPageBackground);
            screen_.printText(button.text);
        }
        ShowSavingNotice(progress_, screen_, kHeadingForeground);
        return waitForAnswer(screen_) == "Y";
    }

    std::string chanceLabel() const {
        const std::optional<CalendarDate> examDate = progress_.examDate();
        return examDate ? "Chance to pass on " + CalendarDateText(*examDate) : std::string("Chance to pass today");
    }

    RunState& state_;
    ProgramContext& context_;
    ScreenLayer& screen_;
    Progress& progress_;
};

}  // namespace

void RunReviewSession(RunState& state, ProgramContext& context) { ReviewSession(state, context).run(); }

}  // namespace pathwick
