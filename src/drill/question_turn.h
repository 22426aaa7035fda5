#pragma once
// One question of the work table put to the user on the question screen, as
// the drill and the review round both ask it: its figure shown and its
// choices re-lettered; peek, redraw and "H" (the key and the hint) handled
// until an answer or Stop arrives; the answer remembered; a wrong one shown
// with the right letter.
#include <cstdint>
#include <string>
#include <string_view>

#include "console/clock.h"
#include "drill/run_state.h"
#include "program_context.h"
#include "progress/progress.h"

namespace pathwick {

// The stamp of the clock now (run_clock.h). An invalid date is reported on
// the screen when asked; reporting it on every refresh of the run time would
// swallow each answer key in the report's key wait.
std::int64_t StampNow(ScreenLayer& screen, bool reportInvalidDate);

class QuestionTurn {
public:
    // The run time on the answer bar counts from `startStamp`; answers are
    // remembered in `mode`. With `EscKey::Stops` Esc stops like "S".
    enum class EscKey { Ignored, Stops };
    QuestionTurn(RunState& state, ProgramContext& context, std::int64_t startStamp, AnswerMode mode, EscKey esc);

    // Closes the figure and hint windows and clears the page in the question colours.
    void beginPass();
    void closeWindows();
    // Shows the figure of row state.current, if it has one, and re-letters its choices.
    void present();
    // Waits for an answer: "A" to "D", or "S" to stop.
    std::string ask();
    // Remembers the answer to the question on screen, unless peek showed
    // the key; one given after "H" counts as wrong.
    void record(const std::string& key);
    // Shows a wrong answer with the right letter and waits for a key; true
    // when `key` is the right letter.
    bool judge(const std::string& key);
    // With `EscKey::Stops`: Esc was the key that closed the wrong answer's lines.
    bool stopAsked() const { return stopAsked_; }
    // Right, with the key shown neither by peek nor by "H".
    bool rightUnaided(const std::string& key) const { return key == keyLetter() && keySeen_ == KeySeen::No; }
    // The question's five-character ID.
    std::string_view bareId() const;

private:
    std::string waitAnswerKey();
    void showRunTime();
    void showAnswerAndHint();
    void showSavingNotice();
    const std::string& keyLetter() const;

    RunState& state_;
    ProgramContext& context_;
    ScreenLayer& screen_;
    std::int64_t startStamp_;
    AnswerMode mode_;
    bool escStops_;
    // How the question on screen came to show its key, if it did.
    enum class KeySeen { No, ByHint, ByPeek };
    KeySeen keySeen_ = KeySeen::No;
    UtcTime shownAt_{};
    double seconds_ = 0;
    bool stopAsked_ = false;
};

}  // namespace pathwick
