#pragma once
// A table of text cells indexed by row (from 0) and field (1 to 7). Row 0 is
// the control row: field 1 the question count, field 2 the row selector for
// ShuffleChoices. The number of rows is fixed when the table is made.
#include <array>
#include <string>
#include <vector>

#include "console/text_values.h"

namespace pathwick {

inline constexpr int kFieldsPerQuestion = 7;

enum QuestionField : int {
    kIdField = 1,
    kQuestionField = 2,
    kChoiceAField = 3,
    kChoiceDField = 6,
    kKeyField = 7,
    kCountField = 1,     // row 0
    kSelectorField = 2,  // row 0
};

class QuestionPool {
public:
    // Rows 0..lastRow, every cell empty.
    explicit QuestionPool(int lastRow) : rows_(static_cast<std::size_t>(lastRow) + 1) {}

    std::string& cell(int row, int field) { return rows_.at(row).at(fieldIndex(field)); }
    const std::string& cell(int row, int field) const {
        return rows_.at(row).at(fieldIndex(field));
    }

    int lastRow() const { return static_cast<int>(rows_.size()) - 1; }
    // The numeric value of row 0, field 1.
    int count() const { return wholeValueOf(cell(0, kCountField)); }
    // The numeric value of row 0, field 2.
    int selectedRow() const { return wholeValueOf(cell(0, kSelectorField)); }

    void clear() {
        for (auto& row : rows_) {
            for (auto& text : row) text.clear();
        }
    }

private:
    static std::size_t fieldIndex(int field) { return static_cast<std::size_t>(field - 1); }

    std::vector<std::array<std::string, kFieldsPerQuestion>> rows_;
};

// Capacities of the tables the program loads pools into.
inline constexpr int kWorkTableLastRow = 1000;
inline constexpr int kScratchTableLastRow = 150;
inline constexpr int kPracticeTestLastRow = 50;

}  // namespace pathwick
