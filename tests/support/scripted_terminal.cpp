#include "support/scripted_terminal.h"

#include <algorithm>

namespace pathwick::testing {

std::optional<InputEvent> ScriptedTerminal::readInput(std::chrono::milliseconds limit) {
    ++reads;
    if (script_.empty() && whenEmpty) whenEmpty(*this);
    if (script_.empty()) return InputEvent{InputEvent::Kind::Closed, {}};
    Step& step = script_.front();
    if (step.idleMilliseconds > 0) {
        const long waited = std::min<long>(step.idleMilliseconds, limit.count());
        clock_.advance(std::chrono::milliseconds(waited));
        if ((step.idleMilliseconds -= waited) <= 0) script_.pop_front();
        return std::nullopt;
    }
    InputEvent event = std::move(step.event);
    script_.pop_front();
    return event;
}

bool ScriptedTerminal::pause(std::chrono::milliseconds duration, Clock&) {
    // Sleeps on the fake clock through the idle steps at the front; a close
    // that follows them ends the sleep early.
    long left = duration.count();
    while (left > 0 && !script_.empty() && script_.front().idleMilliseconds > 0) {
        const long passed = std::min(left, script_.front().idleMilliseconds);
        clock_.sleepFor(std::chrono::milliseconds(passed));
        left -= passed;
        if ((script_.front().idleMilliseconds -= passed) <= 0) script_.pop_front();
    }
    if (left > 0 && !script_.empty() && script_.front().event.kind == InputEvent::Kind::Closed) {
        script_.pop_front();
        return false;
    }
    clock_.sleepFor(std::chrono::milliseconds(left));
    return true;
}

}  // namespace pathwick::testing
