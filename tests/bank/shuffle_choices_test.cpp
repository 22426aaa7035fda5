#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <set>
#include <string>

#include "bank/load_pool.h"
#include "bank/shuffle_choices.h"
#include "support/fake_clock.h"

namespace pathwick {
namespace {

using namespace std::chrono_literals;

// The choice text after its letter ("A. Resistor" -> ". Resistor").
std::string body(const std::string& choice) { return choice.substr(1); }

std::string keyText(const QuestionPool& pool, int row) {
    const std::string& key = pool.cell(row, kKeyField);
    return body(pool.cell(row, kChoiceAField + (key[0] - 'A')));
}

struct Shuffler {
    testing::FakeClock clock;
    RandomSource random{clock};
    QuestionPool pool{kWorkTableLastRow};

    void shuffle(int row) {
        clock.advance(41ms);
        pool.cell(0, kSelectorField) = std::to_string(row);
        ShuffleChoices(pool, random);
    }
};

TEST(ShuffleChoices, KeyFollowsItsChoiceAcrossTheWholePool) {
    Shuffler s;
    for (int sub = 0; sub <= 9; ++sub) {
        s.pool.clear();
        LoadPool(sub, s.pool);
        for (int row = 1; row <= s.pool.count(); ++row) {
            const std::string id = s.pool.cell(row, kIdField);
            const std::string right = keyText(s.pool, row);
            std::multiset<std::string> bodies;
            for (int f = kChoiceAField; f <= kChoiceDField; ++f) bodies.insert(body(s.pool.cell(row, f)));
            for (int round = 0; round < 3; ++round) {
                s.shuffle(row);
                ASSERT_EQ(keyText(s.pool, row), right) << id;
                std::multiset<std::string> after;
                for (int f = kChoiceAField; f <= kChoiceDField; ++f) {
                    const std::string& choice = s.pool.cell(row, f);
                    ASSERT_EQ(choice[0], 'A' + (f - kChoiceAField)) << id;
                    after.insert(body(choice));
                }
                ASSERT_EQ(after, bodies) << id << ": texts must move intact, no '*' left";
            }
        }
    }
}

TEST(ShuffleChoices, AllOfTheseStaysAtD) {
    Shuffler s;
    s.pool.cell(1, kIdField) = "T0A99";
    s.pool.cell(1, 3) = "A. one";
    s.pool.cell(1, 4) = "B. two";
    s.pool.cell(1, 5) = "C. three";
    s.pool.cell(1, 6) = "D. All of these choices are correct";
    s.pool.cell(1, kKeyField) = "D";
    std::set<std::string> seenAtA;
    for (int round = 0; round < 60; ++round) {
        s.shuffle(1);
        ASSERT_EQ(s.pool.cell(1, 6), "D. All of these choices are correct");
        ASSERT_EQ(s.pool.cell(1, kKeyField), "D");
        seenAtA.insert(s.pool.cell(1, 3));
    }
    EXPECT_EQ(seenAtA.size(), 3u);  // the other three do move

    s.pool.cell(1, 6) = "D. All these choices are correct";
    s.pool.cell(1, kKeyField) = "A";
    for (int round = 0; round < 20; ++round) {
        s.shuffle(1);
        ASSERT_EQ(s.pool.cell(1, 6), "D. All these choices are correct");
    }
}

TEST(ShuffleChoices, AllOfTheseTheOnlyCaseThatStays) {
    Shuffler s;
    s.pool.cell(1, 3) = "A. one";
    s.pool.cell(1, 4) = "B. two";
    s.pool.cell(1, 5) = "C. three";
    s.pool.cell(1, 6) = "D. All of them";
    s.pool.cell(1, kKeyField) = "C";
    std::set<std::string> seenAtD;
    for (int round = 0; round < 60; ++round) {
        s.shuffle(1);
        seenAtD.insert(body(s.pool.cell(1, 6)));
        ASSERT_EQ(keyText(s.pool, 1), ". three");
    }
    EXPECT_EQ(seenAtD.size(), 4u);
}

TEST(ShuffleChoices, KeyMatchingNoChoiceIsLeftAlone) {
    Shuffler s;
    s.pool.cell(1, 3) = "A. one";
    s.pool.cell(1, 4) = "B. two";
    s.pool.cell(1, 5) = "C. three";
    s.pool.cell(1, 6) = "D. four";
    s.pool.cell(1, kKeyField) = "E";
    s.shuffle(1);
    EXPECT_EQ(s.pool.cell(1, kKeyField), "E");
    for (int f = 3; f <= 6; ++f) EXPECT_EQ(s.pool.cell(1, f).back() == '*', false);
}

TEST(ShuffleChoices, SelectorOutsideTheTableDoesNothing) {
    testing::FakeClock clock;
    RandomSource random(clock);
    QuestionPool small(3);
    small.cell(0, kSelectorField) = "4";
    ShuffleChoices(small, random);
    small.cell(0, kSelectorField) = "-1";
    ShuffleChoices(small, random);
    small.cell(0, kSelectorField) = "";
    ShuffleChoices(small, random);
    for (int f = 3; f <= 7; ++f) EXPECT_EQ(small.cell(0, f), "");
}

}  // namespace
}  // namespace pathwick
