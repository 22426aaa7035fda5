#include "bank/exam_blueprint.h"

#include "console/text_values.h"

namespace pathwick {

std::string blueprintItem(int index, const PoolEdition& edition) {
    if (index < 1) return {};
    int offset = index;  // 1 = the size item of the group being looked at
    for (const ExamGroup& group : edition.groups) {
        const int size = static_cast<int>(group.ids.size());
        if (offset == 1) return plainNumberText(size);
        if (offset <= size + 1) return std::string(group.ids[static_cast<std::size_t>(offset - 2)]);
        offset -= size + 1;
    }
    return {};
}

}  // namespace pathwick
