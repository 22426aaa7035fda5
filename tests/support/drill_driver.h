#pragma once
// Drives a drill from a test. A script of keys cannot know the right letter
// of a question shuffled at run time, so the terminal here asks a responder
// for more input whenever its script runs dry; the responder looks at the
// screen and the RunState and scripts the next keys. When the responder adds
// nothing the input is closed, as with the plain scripted terminal.
#include <functional>
#include <string>
#include <vector>

#include "console/random_source.h"
#include "console/screen_layer.h"
#include "drill/drill_session.h"
#include "support/program_context.h"
#include "drill/run_state.h"
#include "support/fake_clock.h"
#include "support/recording_desktop.h"
#include "support/scripted_terminal.h"

namespace pathwick::testing {

class ReactiveTerminal final : public Terminal {
public:
    using Responder = std::function<void(ScriptedTerminal&)>;

    explicit ReactiveTerminal(FakeClock& clock) : script_(clock) {}

    ScriptedTerminal& script() { return script_; }
    void respondWith(Responder responder) { responder_ = std::move(responder); }

    void present(ScreenGrid& grid, const CursorState& cursor) override {
        script_.present(grid, cursor);
    }
    std::optional<InputEvent> readInput(std::chrono::milliseconds limit) override;
    void setTitle(std::string_view utf8Title) override { script_.setTitle(utf8Title); }
    void setMouseReporting(bool on) override { script_.setMouseReporting(on); }

private:
    ScriptedTerminal script_;
    Responder responder_;
};

// One question as the drill showed it, noted by the responder.
struct ShownQuestion {
    std::string number;  // "007" as on the screen
    int row = 0;         // row of the work table
    std::string id;      // bare ID
};

struct DrillRig {
    FakeClock clock;
    ReactiveTerminal terminal{clock};
    RecordingDesktop desktop;
    ScreenLayer screen{terminal, clock};
    RandomSource random{clock};
    ProgramContext context{screen, desktop, random, std::filesystem::path(".")};
    RunState state;

    // What the menu does before a drill: clear the flags and the table, load
    // the subelement, set its description line, leave colours 15 on 1.
    void load(int subelement);
    DrillOutcome run() { return RunDrillSession(state, context); }
    ScriptedTerminal& script() { return terminal.script(); }

    // Screen states the responder can tell apart.
    bool onQuestion() const;       // the answer bar is on row 25
    bool onWrongAnswer() const;    // the three wrong-answer lines are up
    bool onCompletion() const;     // the completion prompt is up
    ShownQuestion shown() const;   // the question on screen now
    const std::string& keyLetter() const;
    // A letter from A to D that is not the right one.
    std::string wrongLetter() const;

    // Responders used one after the other, one each time the script runs
    // dry; when they are used up the input closes.
    void respondInTurn(std::vector<ReactiveTerminal::Responder> steps);

    // Answers every question right, noting each one in `log`, and answers
    // the completion prompt with `finalAnswer` ("" leaves it unanswered).
    void answerAllCorrectly(std::vector<ShownQuestion>& log, std::string finalAnswer);
};

// A description line of the form the menu sets (Windows-1252).
std::string descriptionLineOf(int subelement);

}  // namespace pathwick::testing
