#include <gtest/gtest.h>

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

// A hand-made row: D's text and the key decide whether D may move.
TEST(ShuffleChoices, OnlyTheExactAllOfTheseTextStaysAtD) {
    struct Case {
        const char* d;
        const char* key;
        bool dStays;
    };
    for (const Case& c : {Case{"D. All of these choices are correct", "D", true},
                          Case{"D. All these choices are correct", "A", true},
                          Case{"D. All of them", "C", false}}) {
        SCOPED_TRACE(c.d);
        Shuffler s;
        const char* texts[] = {"A. one", "B. two", "C. three", c.d};
        for (int f = 0; f < 4; ++f) s.pool.cell(1, kChoiceAField + f) = texts[f];
        s.pool.cell(1, kKeyField) = c.key;
        const std::string right = keyText(s.pool, 1);
        std::set<std::string> seenAtA, seenAtD;
        for (int round = 0; round < 60; ++round) {
            s.shuffle(1);
            ASSERT_EQ(keyText(s.pool, 1), right);
            seenAtA.insert(s.pool.cell(1, kChoiceAField));
            seenAtD.insert(s.pool.cell(1, kChoiceDField));
        }
        EXPECT_EQ(seenAtA.size(), 3u + (c.dStays ? 0 : 1));
        EXPECT_EQ(seenAtD.size(), c.dStays ? 1u : 4u);
    }
}

TEST(ShuffleChoices, KeyMatchingNoChoiceOrSelectorOutsideTheTableChangesNothing) {
    Shuffler s;
    const char* texts[] = {"A. one", "B. two", "C. three", "D. four"};
    for (int f = 0; f < 4; ++f) s.pool.cell(1, kChoiceAField + f) = texts[f];
    s.pool.cell(1, kKeyField) = "E";
    s.shuffle(1);
    EXPECT_EQ(s.pool.cell(1, kKeyField), "E");
    for (int f = 0; f < 4; ++f) EXPECT_NE(s.pool.cell(1, kChoiceAField + f).back(), '*');

    QuestionPool small(3);
    for (const char* selector : {"4", "-1", ""}) {
        small.cell(0, kSelectorField) = selector;
        ShuffleChoices(small, s.random);
    }
    for (int f = 3; f <= 7; ++f) EXPECT_EQ(small.cell(0, f), "");
}

}  // namespace
}  // namespace pathwick
