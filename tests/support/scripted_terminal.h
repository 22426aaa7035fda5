#pragma once
// A terminal fed from a script of keys, clicks and idle time. When the script
// runs out, `whenEmpty` (if set) may add more after looking at the screen;
// otherwise the next read reports the input closed, so a screen that waits
// for more than the test gave it ends with InputClosed instead of hanging.
// A pause (the screen layer's sleep) leaves keys in the script: it passes
// the idle steps at the front of the script and ends early at a close that
// follows them, as a signal arriving during the sleep would.
#include <deque>
#include <functional>
#include <optional>
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
    ScriptedTerminal& key(std::string_view keyEvent) { return add({InputEvent::Kind::Key, KeyEvent(keyEvent)}); }
    ScriptedTerminal& type(std::string_view text) {
        for (char c : text) key(std::string_view(&c, 1));
        return *this;
    }
    ScriptedTerminal& extended(unsigned char scanCode) { return key(extendedKey(scanCode)); }
    // A left press; a double-click is a press followed by a double-click event.
    ScriptedTerminal& click(int row, int column) { return add({InputEvent::Kind::Click, {}, row, column}); }
    ScriptedTerminal& doubleClick(int row, int column) {
        return click(row, column).add({InputEvent::Kind::Click, {}, row, column, true});
    }
    // No input for this long: reads wait (advancing the fake clock) meanwhile.
    ScriptedTerminal& idle(int milliseconds) { return add({}, milliseconds); }
    ScriptedTerminal& close() { return add({InputEvent::Kind::Closed, {}}); }

    std::function<void(ScriptedTerminal&)> whenEmpty;
    // When set, every frame presented is kept here.
    std::optional<std::vector<ScreenGrid>> frames;
    // The reads of input so far: the waits of the program.
    int reads = 0;

    void present(ScreenGrid& grid, const CursorState& cursor) override {
        if (frames) frames->push_back(grid);
        grid.dirtyRows.reset(), cursor_ = cursor;
    }
    std::optional<InputEvent> readInput(std::chrono::milliseconds limit) override;
    bool pause(std::chrono::milliseconds duration, Clock&) override;
    void setTitle(std::string_view utf8Title) override { title_ = utf8Title; }
    void setMouseReporting(bool on) override { mouseReporting_ = on; }
    void setScreenSize(int columns, int rows) override { screenSize_ = std::to_string(columns) + "x" + std::to_string(rows); }

    const std::string& title() const { return title_; }
    // The size last asked for, "100x43"; empty when none was.
    const std::string& screenSize() const { return screenSize_; }
    bool mouseReporting() const { return mouseReporting_; }
    // The cursor as last presented: "hidden", or "row,column".
    std::string cursor() const {
        return cursor_.visible ? std::to_string(cursor_.row) + "," + std::to_string(cursor_.column) : "hidden";
    }

private:
    struct Step {
        InputEvent event;
        long idleMilliseconds = 0;  // > 0: an idle step
    };
    ScriptedTerminal& add(InputEvent event, long idleMilliseconds = 0) {
        if (event.kind != InputEvent::Kind::Key || !event.key.empty() || idleMilliseconds > 0)
            script_.push_back({std::move(event), idleMilliseconds});
        return *this;
    }

    FakeClock& clock_;
    std::deque<Step> script_;
    std::string title_;
    std::string screenSize_;
    bool mouseReporting_ = false;
    CursorState cursor_;
};

}  // namespace pathwick::testing
