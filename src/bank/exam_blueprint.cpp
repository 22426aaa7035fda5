#include "bank/exam_blueprint.h"

#include <array>
#include <string_view>

#include "console/text_values.h"

namespace pathwick {
namespace {

struct ExamGroup {
    std::string_view code;
    int size;
};

// Blueprint order: T1 to T9 first, T0 last. Each group's IDs are its code
// followed by 01..size.
constexpr std::array<ExamGroup, kExamGroups> kGroups{{
    {"T1A", 11}, {"T1B", 12}, {"T1C", 11}, {"T1D", 11}, {"T1E", 11}, {"T1F", 11},
    {"T2A", 12}, {"T2B", 14}, {"T2C", 12},
    {"T3A", 13}, {"T3B", 11}, {"T3C", 11},
    {"T4A", 11}, {"T4B", 13},
    {"T5A", 14}, {"T5B", 13}, {"T5C", 14}, {"T5D", 16},
    {"T6A", 11}, {"T6B", 11}, {"T6C", 13}, {"T6D", 12},
    {"T7A", 11}, {"T7B", 12}, {"T7C", 12}, {"T7D", 12},
    {"T8A", 11}, {"T8B", 12}, {"T8C", 11}, {"T8D", 14},
    {"T9A", 12}, {"T9B", 11},
    {"T0A", 11}, {"T0B", 13}, {"T0C", 13},
}};

constexpr int itemCount() {
    int count = 0;
    for (const auto& group : kGroups) count += 1 + group.size;
    return count;
}

std::string questionId(std::string_view code, int number) {
    std::string id(code);
    id += static_cast<char>('0' + number / 10);
    id += static_cast<char>('0' + number % 10);
    return id;
}

}  // namespace

int blueprintItemCount() { return itemCount(); }

std::string blueprintItem(int index) {
    if (index < 1) return {};
    int offset = index;  // 1 = the size item of the group being looked at
    for (const auto& group : kGroups) {
        if (offset == 1) return plainNumberText(group.size);
        if (offset <= group.size + 1) return questionId(group.code, offset - 1);
        offset -= group.size + 1;
    }
    return {};
}

}  // namespace pathwick
