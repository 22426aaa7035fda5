#include "support/drill_driver.h"

#include <deque>
#include <memory>

#include "bank/load_pool.h"
#include "support/screen_test.h"

namespace pathwick::testing {

std::optional<InputEvent> ReactiveTerminal::readInput(std::chrono::milliseconds limit) {
    if (script_.exhausted() && responder_) responder_(script_);
    return script_.readInput(limit);
}

std::string descriptionLineOf(int subelement) {
    switch (subelement) {
        case 0:
            return "Module T0 \x96 Electrical Safety: AC and DC power circuits; antenna "
                   "installation; RF hazards \x96 [3 Questions, 3 Groups]";
        case 4:
            return "Module T4 - Amateur Radio Practices and Station Set-up: [2 Questions, 2 Groups]";
        case 6:
            return "Module T6 - Electrical Components: Circuit diagrams; component functions "
                   "\x96 [4 Questions, 4 Groups]";
        default:
            return "Module T" + std::to_string(subelement) + " - Test: [1 Question]";
    }
}

void DrillRig::load(int subelement) {
    state.clearAnsweredFlags();
    state.pool.clear();
    state.shownCounter = 0;
    LoadPool(subelement, state.pool);
    state.descriptionLine = descriptionLineOf(subelement);
    screen.setColor(15, 1);
    screen.clearScreen();
}

bool DrillRig::onQuestion() const {
    return textAt(screen, 25, 1, 34) == " [ A ][ B ][ C ][ D ] [Stop Drill]";
}

bool DrillRig::onWrongAnswer() const {
    return textAt(screen, 22, 29, 41) == "We will come back to this question again.";
}

bool DrillRig::onCompletion() const {
    return textAt(screen, 20, 17, 20) == "You have correctly a";
}

ShownQuestion DrillRig::shown() const {
    const std::string& id = state.pool.cell(state.current, 1);
    return {textAt(screen, 4, 5, 3), state.current, id.substr(0, id.find(' '))};
}

const std::string& DrillRig::keyLetter() const { return state.pool.cell(state.current, 7); }

std::string DrillRig::wrongLetter() const { return keyLetter() == "A" ? "B" : "A"; }

void DrillRig::respondInTurn(std::vector<ReactiveTerminal::Responder> steps) {
    auto queue = std::make_shared<std::deque<ReactiveTerminal::Responder>>(steps.begin(), steps.end());
    terminal.respondWith([queue](ScriptedTerminal& next) {
        if (queue->empty()) return;
        auto step = std::move(queue->front());
        queue->pop_front();
        step(next);
    });
}

void DrillRig::answerAllCorrectly(std::vector<ShownQuestion>& log, std::string finalAnswer) {
    terminal.respondWith([this, &log, finalAnswer](ScriptedTerminal& next) {
        if (onCompletion()) {
            if (!finalAnswer.empty()) next.type(finalAnswer);
        } else if (onWrongAnswer()) {
            next.type("x");
        } else if (onQuestion()) {
            log.push_back(shown());
            next.type(keyLetter());
        }
    });
}

}  // namespace pathwick::testing
