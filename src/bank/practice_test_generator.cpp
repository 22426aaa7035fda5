#include "bank/practice_test_generator.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "bank/exam_blueprint.h"
#include "bank/load_pool.h"
#include "bank/shuffle_choices.h"
#include "console/counted_list.h"
#include "console/permute_list.h"
#include "console/text_values.h"

namespace pathwick {
namespace {

constexpr std::size_t kIdLength = 5;

using DrawnIds = std::vector<std::string>;  // 1..groups, blueprint order

// One random ID per group. A group whose size is not positive is reported and
// yields no ID (empty text).
DrawnIds drawOnePerGroup(int groups, const BlueprintItems& blueprint, RandomSource& random,
                         ScreenLayer& screen) {
    DrawnIds drawn(static_cast<std::size_t>(groups) + 1);
    int item = 0;
    for (int position = 1; position <= groups; ++position) {
        const int size = static_cast<int>(valueOf(blueprint(++item)));
        if (size <= 0) {
            screen.printText("Error generating question:");
            screen.printNumber(static_cast<float>(position));
            screen.newLine();
            screen.waitKey();
            continue;
        }
        std::vector<std::string> ids;
        for (int k = 1; k <= size; ++k) ids.push_back(blueprint(++item));
        drawn[static_cast<std::size_t>(position)] = ids.at(static_cast<std::size_t>(random.between(1, size) - 1));
    }
    return drawn;
}

// Puts the drawn IDs into a random order. Groups that yielded no ID are left
// out of the permutation (it only takes non-empty items) and their rows stay
// empty at the end; if the permutation refuses its input anyway, the
// blueprint order is kept so the test is still complete.
CountedList shuffledIds(const DrawnIds& drawn, RandomSource& random) {
    const int groups = static_cast<int>(drawn.size()) - 1;
    CountedList source(groups);
    int count = 0;
    for (int position = 1; position <= groups; ++position) {
        const std::string& id = drawn[static_cast<std::size_t>(position)];
        if (!id.empty()) source[++count] = id.substr(0, kIdLength);
    }
    source[0] = plainNumberText(count);
    CountedList target(groups);
    if (!PermuteList(source, target, random)) target = source;
    return target;
}

// Copies the whole record of row `row`'s ID from a fresh load of its
// subelement. An ID that is not found keeps its row as it is.
void fetchQuestion(QuestionPool& questions, int row, QuestionPool& scratch,
                   const PoolEdition& edition) {
    const std::string id = questions.cell(row, kIdField).substr(0, kIdLength);
    const int subelement = SubelementNamedBy(id);
    if (subelement < 0) return;
    LoadPool(subelement, scratch, edition);
    const int count = std::min(scratch.count(), scratch.lastRow());
    for (int r = 1; r <= count; ++r) {
        if (!scratch.cell(r, kIdField).starts_with(id)) continue;
        for (int field = 1; field <= kFieldsPerQuestion; ++field)
            questions.cell(row, field) = scratch.cell(r, field);
        return;
    }
}

}  // namespace

void GeneratePracticeTest(QuestionPool& questions, RandomSource& random, ScreenLayer& screen,
                          const BlueprintItems& blueprint, const PoolEdition& edition) {
    random.seedFromTimer();
    // One question per group; the table cannot hold more rows than it has.
    const int groups = std::min(static_cast<int>(edition.groups.size()), questions.lastRow());
    const DrawnIds drawn = drawOnePerGroup(groups, blueprint, random, screen);
    const CountedList order = shuffledIds(drawn, random);
    for (int row = 1; row <= groups; ++row) questions.cell(row, kIdField) = order[row];

    QuestionPool scratch(kScratchTableLastRow);
    for (int row = 1; row <= groups; ++row) fetchQuestion(questions, row, scratch, edition);

    for (int row = 1; row <= groups; ++row) {
        questions.cell(0, kSelectorField) = numberText(row);
        // A row without a record (no ID, or an ID not in the pool) has no
        // choices to re-letter; shuffling it would invent choices "A".."D".
        if (questions.cell(row, kKeyField).empty()) continue;
        ShuffleChoices(questions, random);
    }
}

void GeneratePracticeTest(QuestionPool& questions, RandomSource& random, ScreenLayer& screen,
                          const PoolEdition& edition) {
    GeneratePracticeTest(
        questions, random, screen, [&edition](int index) { return blueprintItem(index, edition); },
        edition);
}

}  // namespace pathwick
