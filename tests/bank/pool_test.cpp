#include <gtest/gtest.h>

#include "bank/load_pool.h"
#include "bank/pool_data.h"

namespace pathwick {
namespace {

TEST(PoolData, CountsPerSubelement) {
    const int expected[] = {37, 67, 38, 35, 24, 57, 47, 47, 48, 23};
    for (int s = 0; s < kSubelementCount; ++s) {
        QuestionPool pool(kWorkTableLastRow);
        LoadPool(s, pool);
        EXPECT_EQ(pool.count(), expected[s]) << "T" << s;
        EXPECT_EQ(poolItemCount(s), 7 * expected[s] + 1);
    }
}

}  // namespace
}  // namespace pathwick
