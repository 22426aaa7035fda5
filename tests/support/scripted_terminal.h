#pragma once
// A terminal fed from a script of keys, clicks and idle time. When the script
// runs out, the next read reports the input closed, so a screen that waits
// for more than the test gave it ends with InputClosed instead of hanging.
// A pause (the screen layer's sleep) leaves keys in the script: it passes
// the idle steps at the front of the script and ends early at a close that
// follows them, as a signal arriving during the sleep would.
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "console/terminal.h"
#include "support/fake_clock.h"

namespace pathwick::testing {

class ScriptedTerminal final : public Terminal {
public:
    explicit ScriptedTerminal(FakeClock& clock) : clock_(clock) {}

    // Script building; each returns *this for chaining.
    ScriptedTerminal& key(std::string_view keyEvent);  // one KeyEvent as is
    ScriptedTerminal& type(std::string_view text);     // one key per character
    ScriptedTerminal& enter() { return key("\r"); }
    ScriptedTerminal& escape() { return key("\x1b"); }
    ScriptedTerminal& extended(unsigned char scanCode);
    ScriptedTerminal& click(int row, int column);        // a left press
    ScriptedTerminal& doubleClick(int row, int column);  // press, then double-click
    // No input for this long: reads wait (advancing the fake clock) meanwhile.
    ScriptedTerminal& idle(int milliseconds);
    ScriptedTerminal& close();

    bool exhausted() const { return script_.empty(); }

    // Terminal
    void present(ScreenGrid& grid, const CursorState& cursor) override;
    std::optional<InputEvent> readInput(std::chrono::milliseconds limit) override;
    bool pause(std::chrono::milliseconds duration, Clock& clock) override;
    void setTitle(std::string_view utf8Title) override { title_ = utf8Title; }
    void setMouseReporting(bool on) override { mouseReporting_ = on; }

    const std::string& title() const { return title_; }
    bool mouseReporting() const { return mouseReporting_; }
    int presentCount() const { return presentCount_; }
    const CursorState& lastCursor() const { return cursor_; }

private:
    struct Step {
        InputEvent event;
        int idleMilliseconds = 0;  // > 0: an idle step
    };

    FakeClock& clock_;
    std::deque<Step> script_;
    std::string title_;
    bool mouseReporting_ = false;
    int presentCount_ = 0;
    CursorState cursor_;
};

}  // namespace pathwick::testing
