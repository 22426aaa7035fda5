#include <gtest/gtest.h>

#include <set>
#include <string>

#include "bank/exam_blueprint.h"
#include "bank/load_pool.h"
#include "bank/pool_data.h"
#include "console/text_values.h"

namespace pathwick {
namespace {

// Read as the generator reads it (a size, then that many IDs): 35 groups,
// T1..T9 then T0, each numbered 01..n, naming exactly the pool's questions.
TEST(ExamBlueprint, GroupsCoverThePoolInBlueprintOrder) {
    EXPECT_EQ(blueprintItemCount(), 458);
    EXPECT_EQ(blueprintItem(0), "");
    EXPECT_EQ(blueprintItem(459), "");
    std::set<std::string> blueprintIds;
    std::string subelements;
    int groups = 0;
    for (int item = 1; item <= blueprintItemCount();) {
        const int size = static_cast<int>(valueOf(blueprintItem(item++)));
        ASSERT_GT(size, 0) << "item " << item - 1;
        ++groups;
        const std::string code = blueprintItem(item).substr(0, 3);
        if (subelements.empty() || subelements.back() != code[1]) subelements += code[1];
        for (int k = 1; k <= size; ++k) {
            const std::string id = blueprintItem(item++);
            EXPECT_EQ(id.substr(0, 3), code);
            EXPECT_EQ(valueOf(id.substr(3)), k) << id;
            EXPECT_TRUE(blueprintIds.insert(id).second) << "duplicate " << id;
        }
    }
    EXPECT_EQ(groups, kExamGroups);
    EXPECT_EQ(subelements, "1234567890");

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
