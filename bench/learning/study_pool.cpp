#include "study_pool.h"

namespace pathwick::bench {

StudyPool::StudyPool(const PoolEdition& e) : edition(e), subelements(kSubelementCount) {
    for (const ExamGroup& group : edition.groups) {
        groups.emplace_back();
        for (const std::string_view id : group.ids) {
            const int q = size();
            ids.push_back(id);
            groupOf.push_back(static_cast<int>(groups.size()) - 1);
            groups.back().push_back(q);
            subelements[static_cast<std::size_t>(id[1] - '0')].push_back(q);
            index.emplace(id, q);
        }
    }
}

}  // namespace pathwick::bench
