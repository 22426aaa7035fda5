#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "bank/exam_blueprint.h"
#include "bank/load_pool.h"
#include "bank/pool_data.h"
#include "console/text_values.h"

namespace pathwick {
namespace {

struct GroupRead {
    std::string code;
    int size = 0;
};

// Walks the item list the way the generator does: a size, then that many IDs.
std::vector<GroupRead> readGroups(std::set<std::string>& ids) {
    std::vector<GroupRead> groups;
    int item = 1;
    while (item <= blueprintItemCount()) {
        GroupRead group;
        group.size = static_cast<int>(valueOf(blueprintItem(item++)));
        for (int k = 1; k <= group.size; ++k) {
            const std::string id = blueprintItem(item++);
            if (k == 1) group.code = id.substr(0, 3);
            EXPECT_EQ(id.size(), 5u) << id;
            EXPECT_EQ(id.substr(0, 3), group.code) << id;
            EXPECT_EQ(valueOf(id.substr(3)), k) << id;
            EXPECT_TRUE(ids.insert(id).second) << "duplicate " << id;
        }
        groups.push_back(group);
    }
    return groups;
}

TEST(ExamBlueprint, ListsTheGroupsInOrderWithTheirSizes) {
    EXPECT_EQ(blueprintItemCount(), 458);
    EXPECT_EQ(blueprintItem(1), "11");
    EXPECT_EQ(blueprintItem(2), "T1A01");
    EXPECT_EQ(blueprintItem(12), "T1A11");
    EXPECT_EQ(blueprintItem(13), "12");
    EXPECT_EQ(blueprintItem(458), "T0C13");
    EXPECT_EQ(blueprintItem(0), "");
    EXPECT_EQ(blueprintItem(459), "");

    std::set<std::string> ids;
    const auto groups = readGroups(ids);
    ASSERT_EQ(groups.size(), static_cast<std::size_t>(kExamGroups));
    const char* const order[] = {"T1A", "T1B", "T1C", "T1D", "T1E", "T1F", "T2A", "T2B", "T2C",
                                 "T3A", "T3B", "T3C", "T4A", "T4B", "T5A", "T5B", "T5C", "T5D",
                                 "T6A", "T6B", "T6C", "T6D", "T7A", "T7B", "T7C", "T7D", "T8A",
                                 "T8B", "T8C", "T8D", "T9A", "T9B", "T0A", "T0B", "T0C"};
    const int sizes[] = {11, 12, 11, 11, 11, 11, 12, 14, 12, 13, 11, 11, 11, 13, 14, 13, 14, 16,
                         11, 11, 13, 12, 11, 12, 12, 12, 11, 12, 11, 14, 12, 11, 11, 13, 13};
    for (int i = 0; i < kExamGroups; ++i) {
        EXPECT_EQ(groups[i].code, order[i]) << "position " << i + 1;
        EXPECT_EQ(groups[i].size, sizes[i]) << order[i];
    }
    EXPECT_EQ(ids.size(), 423u);
}

TEST(ExamBlueprint, NamesEveryQuestionOfThePoolExactlyOnce) {
    std::set<std::string> blueprintIds;
    readGroups(blueprintIds);
    std::set<std::string> poolIds;
    for (int s = 0; s < kSubelementCount; ++s) {
        QuestionPool pool(kScratchTableLastRow);
        LoadPool(s, pool);
        for (int row = 1; row <= pool.count(); ++row)
            poolIds.insert(pool.cell(row, kIdField).substr(0, 5));
    }
    EXPECT_EQ(blueprintIds, poolIds);
}

}  // namespace
}  // namespace pathwick
