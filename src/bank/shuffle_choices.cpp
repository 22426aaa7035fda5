#include "bank/shuffle_choices.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "console/counted_list.h"
#include "console/permute_list.h"

namespace pathwick {
namespace {

constexpr int kChoiceCount = 4;
constexpr std::string_view kAllOfThese = "D. All of these choices are correct";
constexpr std::string_view kAllThese = "D. All these choices are correct";
constexpr std::string_view kAllTheseAnswers = "D. All these answers are correct";
constexpr std::string_view kNoneOfThese = "D. None of these choices is correct";

// Marks the right answer with a trailing "*" so that it can be found again
// after the letters have moved.
void markKey(QuestionPool& table, int row) {
    const std::string key = table.cell(row, kKeyField);
    for (int field = kChoiceAField; field <= kChoiceDField; ++field) {
        std::string& choice = table.cell(row, field);
        if (choice.substr(0, 1) == key) choice += '*';
    }
}

// A choice that speaks of the others makes sense only after them.
bool keepsLastPlace(std::string_view choiceD) {
    return choiceD.starts_with(kAllThese) || choiceD.starts_with(kAllOfThese) ||
           choiceD.starts_with(kAllTheseAnswers) || choiceD.starts_with(kNoneOfThese);
}

// The new letters in slot order: A..D permuted, or A..C permuted with D kept.
CountedList newLetters(bool keepD, RandomSource& random) {
    CountedList letters(kChoiceCount);
    letters[0] = keepD ? "3" : "4";
    letters[1] = "A";
    letters[2] = "B";
    letters[3] = "C";
    letters[4] = "D";
    CountedList target(kChoiceCount);
    if (keepD) target[4] = "D";
    PermuteList(letters, target, random);
    return target;
}

// Takes the key letter from the marked choice and removes the mark.
void unmarkKey(QuestionPool& table, int row) {
    for (int field = kChoiceAField; field <= kChoiceDField; ++field) {
        std::string& choice = table.cell(row, field);
        if (!choice.empty() && choice.back() == '*') {
            table.cell(row, kKeyField) = choice.substr(0, 1);
            choice.pop_back();
            return;
        }
    }
}

}  // namespace

void ShuffleChoices(QuestionPool& table, RandomSource& random) {
    const int row = table.selectedRow();
    // A selector outside the table names no question.
    if (row < 1 || row > table.lastRow()) return;

    markKey(table, row);
    const bool keepD = keepsLastPlace(table.cell(row, kChoiceDField));
    const CountedList letters = newLetters(keepD, random);

    std::array<std::string, kChoiceCount> choices;
    for (int i = 0; i < kChoiceCount; ++i) {
        const std::string& old = table.cell(row, kChoiceAField + i);
        const std::string_view rest = std::string_view(old).substr(old.empty() ? 0 : 1);
        choices[static_cast<std::size_t>(i)] = letters[i + 1] + std::string(rest);
    }
    // Each choice now starts with a different letter, so sorting puts A..D
    // back into fields 3..6.
    std::sort(choices.begin(), choices.end());
    for (int i = 0; i < kChoiceCount; ++i) {
        table.cell(row, kChoiceAField + i) = choices[static_cast<std::size_t>(i)];
    }
    unmarkKey(table, row);
}

}  // namespace pathwick
