#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <set>
#include <string>

#include "bank/load_pool.h"
#include "bank/practice_test_generator.h"
#include "bank/shuffle_choices.h"
#include "support/screen_test.h"

namespace pathwick {
namespace {

using namespace std::chrono_literals;

// The 2026-2030 pool against the counts its release publishes; then practice
// tests drawn from it: one question of each group, fetched from this pool.
TEST(CurrentPool, MatchesItsReleaseAndFeedsThePracticeTest) {
    constexpr int kCounts[] = {36, 68, 37, 35, 23, 50, 46, 44, 47, 23};
    std::map<std::string, std::string> texts;
    std::map<std::string, int> groups;
    std::map<char, int> keys;
    std::string figures;
    QuestionPool pool(kScratchTableLastRow);
    for (int s = 0; s < kSubelementCount; ++s) {
        LoadPool(s, pool, Edition2026());
        EXPECT_EQ(pool.count(), kCounts[s]) << s;
        for (int row = 1; row <= pool.count(); ++row) {
            const std::string& id = pool.cell(row, kIdField);
            EXPECT_EQ(std::stoi(id.substr(3, 2)), ++groups[id.substr(0, 3)]) << id;
            texts[id.substr(0, 5)] = pool.cell(row, kQuestionField);
            if (id.size() > 5) figures += id + "; ";
            ++keys[pool.cell(row, kKeyField)[0]];
        }
    }
    std::string blueprint;
    for (const ExamGroup& group : Edition2026().groups) {
        blueprint += std::string(group.code) + " " + std::to_string(group.size) + " ";
        EXPECT_EQ(groups[std::string(group.code)], group.size) << group.code;
    }
    EXPECT_EQ(blueprint,
              "T1A 11 T1B 12 T1C 11 T1D 12 T1E 11 T1F 11 T2A 11 T2B 14 T2C 12 T3A 12 T3B 12 T3C 11 "
              "T4A 12 T4B 11 T5A 11 T5B 13 T5C 12 T5D 14 T6A 11 T6B 12 T6C 12 T6D 11 T7A 11 T7B 11 "
              "T7C 11 T7D 11 T8A 12 T8B 12 T8C 11 T8D 12 T9A 11 T9B 12 T0A 12 T0B 11 T0C 13 ");
    EXPECT_EQ(keys, (std::map<char, int>{{'A', 102}, {'B', 102}, {'C', 103}, {'D', 102}}));
    EXPECT_EQ(figures,
              "T6A09 Figure:T2; T6C02 Figure:T1; T6C03 Figure:T1; T6C04 Figure:T1; "
              "T6C05 Figure:T1; T6C06 Figure:T2; T6C07 Figure:T2; T6C08 Figure:T2; "
              "T6C09 Figure:T2; T6C10 Figure:T3; T6C11 Figure:T3; T6D10 Figure:T1; ");

    testing::ScreenRig rig;
    for (int round = 0; round < 5; ++round) {
        rig.clock.advance(1234ms);
        QuestionPool test(kPracticeTestLastRow);
        GeneratePracticeTest(test, rig.random, rig.screen, Edition2026());
        std::set<std::string> drawnGroups;
        for (int row = 1; row <= kExamGroups; ++row) {
            const std::string id = test.cell(row, kIdField).substr(0, 5);
            drawnGroups.insert(id.substr(0, 3));
            EXPECT_EQ(test.cell(row, kQuestionField), texts.at(id)) << id;
        }
        EXPECT_EQ(drawnGroups.size(), 35u);
    }
}

TEST(CurrentPool, AllTheseAnswersStaysAtD) {
    testing::ScreenRig rig;
    QuestionPool pool(kWorkTableLastRow);
    LoadPool(5, pool, Edition2026());
    for (int round = 0; round < 100; ++round) {
        rig.clock.advance(37ms);
        pool.cell(0, kSelectorField) = "9";  // T5A09
        ShuffleChoices(pool, rig.random);
        ASSERT_EQ(pool.cell(9, kChoiceDField), "D. All these answers are correct");
        ASSERT_EQ(pool.cell(9, kChoiceAField + pool.cell(9, kKeyField)[0] - 'A').substr(1),
                  ". Current that alternates between positive and negative directions");
    }
}

}  // namespace
}  // namespace pathwick
