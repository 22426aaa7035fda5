#include "support/scripted_terminal.h"

namespace pathwick::testing {

ScriptedTerminal& ScriptedTerminal::key(std::string_view keyEvent) {
    script_.push_back({InputEvent{InputEvent::Kind::Key, KeyEvent(keyEvent)}, 0});
    return *this;
}

ScriptedTerminal& ScriptedTerminal::type(std::string_view text) {
    for (char c : text) key(std::string_view(&c, 1));
    return *this;
}

ScriptedTerminal& ScriptedTerminal::extended(unsigned char scanCode) {
    return key(extendedKey(scanCode));
}

ScriptedTerminal& ScriptedTerminal::click(int row, int column) {
    script_.push_back({InputEvent{InputEvent::Kind::Click, {}, row, column, false}, 0});
    return *this;
}

ScriptedTerminal& ScriptedTerminal::doubleClick(int row, int column) {
    click(row, column);
    script_.push_back({InputEvent{InputEvent::Kind::Click, {}, row, column, true}, 0});
    return *this;
}

ScriptedTerminal& ScriptedTerminal::idle(int milliseconds) {
    if (milliseconds > 0) script_.push_back({InputEvent{InputEvent::Kind::Key, {}, 0, 0, false}, milliseconds});
    return *this;
}

ScriptedTerminal& ScriptedTerminal::close() {
    script_.push_back({InputEvent{InputEvent::Kind::Closed, {}, 0, 0, false}, 0});
    return *this;
}

void ScriptedTerminal::present(ScreenGrid& grid, const CursorState& cursor) {
    ++presentCount_;
    cursor_ = cursor;
    grid.dirtyRows.reset();
}

std::optional<InputEvent> ScriptedTerminal::readInput(std::chrono::milliseconds limit) {
    if (script_.empty()) return InputEvent{InputEvent::Kind::Closed, {}, 0, 0, false};
    Step& step = script_.front();
    if (step.idleMilliseconds > 0) {
        const int waited = std::min<int>(step.idleMilliseconds, static_cast<int>(limit.count()));
        clock_.advance(std::chrono::milliseconds(waited));
        step.idleMilliseconds -= waited;
        if (step.idleMilliseconds <= 0) script_.pop_front();
        return std::nullopt;
    }
    InputEvent event = std::move(step.event);
    script_.pop_front();
    return event;
}

bool ScriptedTerminal::pause(std::chrono::milliseconds duration, Clock&) {
    // Sleeps on the fake clock itself, so that the test sees the time slept.
    std::chrono::milliseconds left = duration;
    while (left.count() > 0 && !script_.empty() && script_.front().idleMilliseconds > 0) {
        Step& step = script_.front();
        const std::chrono::milliseconds passed = std::min(left, std::chrono::milliseconds(step.idleMilliseconds));
        clock_.sleepFor(passed);
        left -= passed;
        step.idleMilliseconds -= static_cast<int>(passed.count());
        if (step.idleMilliseconds <= 0) script_.pop_front();
    }
    if (left.count() > 0 && !script_.empty() && script_.front().idleMilliseconds == 0 &&
        script_.front().event.kind == InputEvent::Kind::Closed) {
        script_.pop_front();
        return false;
    }
    clock_.sleepFor(left);
    return true;
}

}  // namespace pathwick::testing
