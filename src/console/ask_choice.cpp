#include "console/ask_choice.h"

#include <cstdlib>

#include "console/text_values.h"

namespace pathwick {
namespace {

struct Option {
    std::string letter;  // the character inside the brackets
    int letterColumn;    // where that letter stands on screen
};

Option optionIn(std::string_view prompt, int column, std::string_view option) {
    const auto found = prompt.find(option);
    const int position = found == std::string_view::npos ? 0 : static_cast<int>(found) + 1;
    return Option{std::string(option.substr(1, 1)), column + position};
}

bool clickedOn(const Option& option, int clickColumn) {
    return clickColumn >= option.letterColumn && clickColumn <= option.letterColumn + 2;
}

}  // namespace

std::string AskChoice(ScreenLayer& screen, std::string_view prompt, int row, int column,
                      std::string_view option1, std::string_view option2) {
    screen.enableMouse();
    if (row > 0) {
        screen.locate(row, column);
        screen.printText(prompt);
        screen.newLine();
    }
    const int promptRow = std::abs(row);
    const Option first = optionIn(prompt, column, option1);
    const Option second = optionIn(prompt, column, option2);

    screen.setColor(14, 4);
    screen.locate(promptRow, first.letterColumn);
    screen.printText(first.letter);
    screen.locate(promptRow, second.letterColumn);
    screen.printText(second.letter);

    for (;;) {
        std::string answer = screen.waitKey();
        if (isClick(answer) && screen.mouseRow() == promptRow) {
            if (clickedOn(first, screen.mouseColumn())) {
                answer = first.letter;
            } else if (clickedOn(second, screen.mouseColumn())) {
                answer = second.letter;
            }
        }
        answer = upperCase(answer);
        if (answer == first.letter || answer == second.letter) return answer;
    }
}

}  // namespace pathwick
