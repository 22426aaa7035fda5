#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <string>

#include "console/permute_list.h"
#include "support/fake_clock.h"

namespace pathwick {
namespace {

using namespace std::chrono_literals;

CountedList listOf(std::initializer_list<std::string> items, int lastIndex) {
    CountedList list(lastIndex);
    list[0] = std::to_string(items.size());
    int i = 0;
    for (const auto& item : items) list[++i] = item;
    return list;
}

struct Permuter {
    testing::FakeClock clock{LocalTime{2026, 6, 15, 10, 0, 0, 0}};
    RandomSource random{clock};

    // The order the letters land in, e.g. "CABD".
    std::string order(const CountedList& source, CountedList target, int n) {
        EXPECT_TRUE(PermuteList(source, target, random));
        std::string result;
        for (int i = 1; i <= n; ++i) result += target[i];
        return result;
    }
};

// Pearson's statistic over `categories` equally likely outcomes.
double chiSquare(const std::map<std::string, int>& counts, int categories, int runs) {
    const double expected = static_cast<double>(runs) / categories;
    double sum = 0;
    for (const auto& [key, seen] : counts) sum += (seen - expected) * (seen - expected);
    sum += (categories - static_cast<int>(counts.size())) * expected * expected;
    return sum / expected;
}

// The clock is fixed, so these runs are the same every time: the bounds only
// have to hold for this one sequence (they sit far above the statistic's
// mean of categories - 1, where a biased permutation would land).
TEST(PermuteList, EveryOrderOfFourAboutEquallyOften) {
    Permuter p;
    const CountedList source = listOf({"A", "B", "C", "D"}, 4);
    std::map<std::string, int> counts;
    const int runs = 4800;
    for (int i = 0; i < runs; ++i) {
        p.clock.advance(37ms);
        const std::string order = p.order(source, CountedList(4), 4);
        std::string sorted = order;
        std::sort(sorted.begin(), sorted.end());
        ASSERT_EQ(sorted, "ABCD");
        ++counts[order];
    }
    EXPECT_EQ(counts.size(), 24u);
    EXPECT_LT(chiSquare(counts, 24, runs), 60.0);
}

TEST(PermuteList, ThreeLettersLeaveTheFourthSlotAlone) {
    Permuter p;
    const CountedList source = listOf({"A", "B", "C", "D"}, 4);
    CountedList letters = source;
    letters[0] = "3";
    std::map<std::string, int> counts;
    const int runs = 1200;
    for (int i = 0; i < runs; ++i) {
        p.clock.advance(53ms);
        CountedList target(4);
        target[4] = "D";
        ASSERT_TRUE(PermuteList(letters, target, p.random));
        ASSERT_EQ(target[0], "3");
        ASSERT_EQ(target[4], "D");
        ++counts[target[1] + target[2] + target[3]];
    }
    EXPECT_EQ(counts.size(), 6u);
    EXPECT_LT(chiSquare(counts, 6, runs), 30.0);
}

TEST(PermuteList, SmallCountsKeepTheCountTextAndTheSource) {
    Permuter p;
    const CountedList nine = listOf({"1", "2", "3", "4", "5", "6", "7", "8", "9"}, 9);
    EXPECT_EQ(p.order(nine, CountedList(9), 9), p.order(nine, CountedList(9), 9)) << "same time, same order";

    CountedList source = listOf({"only"}, 3);
    source[0] = " 1";
    CountedList target(3);
    EXPECT_TRUE(PermuteList(source, target, p.random));
    EXPECT_EQ(target[0], " 1");
    EXPECT_EQ(target[1], "only");
    EXPECT_EQ(target[2], "");
    EXPECT_EQ(source[1], "only");

    CountedList empty(3);
    empty[2] = "kept";
    CountedList zero(3);
    zero[0] = " 0";
    zero[1] = "ignored";
    EXPECT_TRUE(PermuteList(zero, empty, p.random));
    EXPECT_EQ(empty[0], " 0");
    EXPECT_EQ(empty[1], "");
    EXPECT_EQ(empty[2], "kept");
}

TEST(PermuteList, RefusesWhatItCouldNeverFinish) {
    Permuter p;
    const CountedList source = listOf({"A", "B", "C"}, 3);
    const auto refusedUnchanged = [&](const CountedList& from, CountedList target) {
        const CountedList before = target;
        const std::uint32_t state = p.random.state();
        EXPECT_FALSE(PermuteList(from, target, p.random));
        for (int i = 0; i <= target.lastIndex(); ++i) EXPECT_EQ(target[i], before[i]) << i;
        EXPECT_EQ(p.random.state(), state);
    };

    CountedList occupied(3);
    occupied[2] = "taken";
    refusedUnchanged(source, occupied);          // a target slot is filled
    refusedUnchanged(source, CountedList(2));    // target too small
    // A count past the source, an empty item, a negative or huge count.
    for (const auto& [slot, text] : std::initializer_list<std::pair<int, const char*>>{
             {0, "4"}, {2, ""}, {0, "-1"}, {0, "99999999999999999999"}}) {
        CountedList bad = source;
        bad[slot] = text;
        refusedUnchanged(bad, CountedList(9));
    }
}

}  // namespace
}  // namespace pathwick
