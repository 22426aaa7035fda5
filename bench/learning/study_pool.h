#pragma once
// The pool as the simulation indexes it: questions numbered in blueprint
// order, each with its group and subelement.
#include <string_view>
#include <unordered_map>
#include <vector>

#include "bank/pool_edition.h"

namespace pathwick::bench {

struct StudyPool {
    explicit StudyPool(const PoolEdition& edition);

    const PoolEdition& edition;
    std::vector<std::string_view> ids;
    std::vector<int> groupOf;
    std::vector<std::vector<int>> groups;
    std::vector<std::vector<int>> subelements;  // 0..9
    std::unordered_map<std::string_view, int> index;

    int size() const { return static_cast<int>(ids.size()); }
};

}  // namespace pathwick::bench
