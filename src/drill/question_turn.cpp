#include "drill/question_turn.h"

#include <chrono>

#include "bank/shuffle_choices.h"
#include "console/text_values.h"
#include "drill/question_screen.h"
#include "drill/run_clock.h"
#include "hints/hints_file.h"
#include "progress/saving_notice.h"

namespace pathwick {
namespace {

constexpr std::string_view kFigureTag = "Figure:";
constexpr int kAnswerBarRow = 25;
constexpr int kNoticeForeground = 4;  // red on the question page's white

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

}  // namespace

std::int64_t StampNow(ScreenLayer& screen, bool reportInvalidDate) {
    const std::string date = dateText(screen.clock());
    const std::string time = timeText(screen.clock());
    return stampOf(time, date, [&](std::string_view badDate, std::string_view badTime) {
        if (!reportInvalidDate) return;
        screen.printText("Invalid date range!");
        screen.newLine();
        screen.printText("Date: " + std::string(badDate));
        screen.newLine();
        screen.printText("Time: " + std::string(badTime));
        screen.newLine();
        screen.waitKey();
    });
}

QuestionTurn::QuestionTurn(RunState& state, ProgramContext& context, std::int64_t startStamp, AnswerMode mode,
                           EscKey esc)
    : state_(state), context_(context), screen_(context.screen), startStamp_(startStamp), mode_(mode),
      escStops_(esc == EscKey::Stops) {}

void QuestionTurn::beginPass() {
    screen_.setColor(state_.questionForeground, state_.questionBackground);
    closeWindows();
    screen_.clearScreen();
}

void QuestionTurn::closeWindows() {
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

void QuestionTurn::present() {
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
std::string QuestionTurn::ask() {
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
            seconds_ = std::chrono::duration<double>(screen_.clock().utcNow() - shownAt_).count();
            return key;
        }
    }
}

std::string QuestionTurn::waitAnswerKey() {
    for (;;) {
        KeyEvent event;
        while (event.empty()) {
            showRunTime();
            // The run time changes only when the clock's second does: the
            // wait wakes then (or for input), not in between.
            event = screen_.pollKey(1000 - screen_.clock().now().millisecond);
        }
        if (escStops_ && event == "\x1b") return "S";
        std::string key;
        if (isClick(event)) {
            if (screen_.mouseRow() == kAnswerBarRow) key = clickKey(screen_.mouseColumn());
        } else {
            key = upperCase(event);
        }
        if (isAnswerKey(key)) return key;
    }
}

void QuestionTurn::showRunTime() {
    screen_.locate(kAnswerBarRow, 50);
    screen_.printText("Run Time: " + formatRunTime(StampNow(screen_, false) - startStamp_));
}

void QuestionTurn::showAnswerAndHint() {
    screen_.locate(27, 2);
    screen_.printText("The Correct Answer is: ");
    screen_.setColor(2, 15);
    screen_.printText(keyLetter());
    screen_.setColor(state_.questionForeground, state_.questionBackground);
    std::string request = state_.pool.cell(state_.current, kIdField).substr(0, 5);
    showHint(request, state_.hintIndex, state_.hintWindow, screen_, context_.desktop, context_.hintsDirectory,
             context_.edition.hintsFileName);
}

// When progress is remembered every answer is, except one given with the
// key in view by peek (it says nothing of what the user knows); one after
// "H" counts as wrong.
void QuestionTurn::record(const std::string& key) {
    if (!context_.progress.remembers() || keySeen_ == KeySeen::ByPeek) return;
    context_.progress.recordAnswer(bareId(), rightUnaided(key), seconds_, mode_);
    showSavingNotice();
}

std::string_view QuestionTurn::bareId() const {
    return std::string_view(state_.pool.cell(state_.current, kIdField)).substr(0, 5);
}

void QuestionTurn::showSavingNotice() {
    ShowSavingNotice(context_.progress, screen_, kNoticeForeground);
}

bool QuestionTurn::judge(const std::string& key) {
    if (key == keyLetter()) return true;
    context_.desktop.playWaveAsync(state_.answerSound);
    screen_.setColor(state_.questionForeground, state_.questionBackground);
    screen_.locate(21, 29);
    screen_.printText("Incorrect Answer, the correct answer is " + keyLetter());
    screen_.locate(22, 29);
    screen_.printText("We will come back to this question again.");
    screen_.locate(23, 29);
    screen_.printText("      Press any key to continue.....     ");
    const KeyEvent next = screen_.waitKey();
    stopAsked_ = escStops_ && next == "\x1b";
    return false;
}

const std::string& QuestionTurn::keyLetter() const { return state_.pool.cell(state_.current, kKeyField); }

}  // namespace pathwick
