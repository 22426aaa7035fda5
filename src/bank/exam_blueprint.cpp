#include "bank/exam_blueprint.h"

#include <string_view>

#include "console/text_values.h"

namespace pathwick {
namespace {

std::string questionId(std::string_view code, int number) {
    std::string id(code);
    id += static_cast<char>('0' + number / 10);
    id += static_cast<char>('0' + number % 10);
    return id;
}

}  // namespace

std::string blueprintItem(int index, const PoolEdition& edition) {
    if (index < 1) return {};
    int offset = index;  // 1 = the size item of the group being looked at
    for (const auto& group : edition.groups) {
        if (offset == 1) return plainNumberText(group.size);
        if (offset <= group.size + 1) return questionId(group.code, offset - 1);
        offset -= group.size + 1;
    }
    return {};
}

}  // namespace pathwick
