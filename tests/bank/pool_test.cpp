#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "bank/load_pool.h"
#include "bank/pool_data.h"

namespace pathwick {
namespace {

constexpr int kExpectedCounts[] = {37, 67, 38, 35, 24, 57, 47, 47, 48, 23};

// Finds a question by its five-character ID in a loaded pool; 0 if absent.
int rowOf(const QuestionPool& pool, std::string_view id) {
    for (int row = 1; row <= pool.count(); ++row) {
        if (pool.cell(row, kIdField).substr(0, 5) == id) return row;
    }
    return 0;
}

QuestionPool loaded(int subelement) {
    QuestionPool pool(kWorkTableLastRow);
    LoadPool(subelement, pool);
    return pool;
}

TEST(PoolData, CountsPerSubelement) {
    for (int s = 0; s < kSubelementCount; ++s) {
        const QuestionPool pool = loaded(s);
        const int n = kExpectedCounts[s];
        EXPECT_EQ(pool.cell(0, kCountField), " " + std::to_string(n)) << "T" << s;
        EXPECT_EQ(pool.cell(n + 1, kIdField), "ENDofPOOL") << "T" << s;
        EXPECT_EQ(poolItemCount(s), 7 * n + 1);
    }
    EXPECT_EQ(loaded(0).cell(37, kIdField), "T0C13");
    // Items outside a block read as empty.
    EXPECT_EQ(poolItem(0, poolItemCount(0)), "ENDofPOOL");
    for (const auto& [s, item] : std::initializer_list<std::pair<int, int>>{{0, 0}, {0, poolItemCount(0) + 1}, {10, 1}, {-1, 1}})
        EXPECT_EQ(poolItem(s, item), "") << s << "," << item;
}

TEST(PoolData, EveryRecordIsWellFormed) {
    std::set<std::string> ids;
    std::map<std::string, int> keys;
    int allOfThese = 0;
    for (int s = 0; s < kSubelementCount; ++s) {
        const QuestionPool pool = loaded(s);
        for (int row = 1; row <= pool.count(); ++row) {
            const std::string id = pool.cell(row, kIdField).substr(0, 5);
            EXPECT_EQ(id.substr(0, 2), "T" + std::to_string(s));
            EXPECT_TRUE(ids.insert(id).second) << "duplicate " << id;
            for (int c = 0; c < 4; ++c) {
                const std::string& choice = pool.cell(row, kChoiceAField + c);
                EXPECT_EQ(choice.substr(0, 2), std::string(1, char('A' + c)) + ".") << id;
                EXPECT_LE(choice.size(), 163u) << id;
                if (choice.find("All of these choices are correct") != std::string::npos) {
                    ++allOfThese;
                    EXPECT_EQ(c, 3) << id;
                    EXPECT_EQ(choice, "D. All of these choices are correct") << id;
                }
            }
            EXPECT_LE(pool.cell(row, kQuestionField).size(), 200u) << id;
            ++keys[pool.cell(row, kKeyField)];
        }
    }
    EXPECT_EQ(ids.size(), 423u);
    EXPECT_EQ(allOfThese, 67);
    const std::map<std::string, int> expected{{"A", 111}, {"B", 105}, {"C", 115}, {"D", 92}};
    EXPECT_EQ(keys, expected);
}

// The no-break space after a letter and a trailing blank are kept as they are.
TEST(PoolData, ChoicesKeptVerbatim) {
    struct Case {
        const char* id;
        int field;
        bool leading;
        std::string_view expected;
    };
    for (const Case& c : {Case{"T3A02", 5, true, "C.\xA0"}, Case{"T3A13", 5, true, "C.\xA0"},
                          Case{"T7A02", kChoiceAField, true, "A.\xA0"}, Case{"T2A11", 5, false, " "},
                          Case{"T8A04", kChoiceAField, false, " "}}) {
        const QuestionPool pool = loaded(c.id[1] - '0');
        const std::string& choice = pool.cell(rowOf(pool, c.id), c.field);
        ASSERT_GE(choice.size(), c.expected.size()) << c.id;
        EXPECT_EQ(c.leading ? choice.substr(0, c.expected.size()) : choice.substr(choice.size() - 1), c.expected)
            << c.id;
    }
}

TEST(PoolData, TwelveFigureMarkers) {
    const std::map<std::string, std::string> expected{
        {"T6C02", "T1"}, {"T6C03", "T1"}, {"T6C04", "T1"}, {"T6C05", "T1"},
        {"T6C06", "T2"}, {"T6C07", "T2"}, {"T6C08", "T2"}, {"T6C09", "T2"},
        {"T6C10", "T3"}, {"T6C11", "T3"}, {"T6D03", "T2"}, {"T6D10", "T1"}};
    std::map<std::string, std::string> found;
    for (int s = 0; s < kSubelementCount; ++s) {
        const QuestionPool pool = loaded(s);
        for (int row = 1; row <= pool.count(); ++row) {
            const std::string& field = pool.cell(row, kIdField);
            if (field.size() == 5) continue;
            EXPECT_EQ(field.size(), 15u) << field;
            EXPECT_EQ(field.substr(5, 8), " Figure:") << field;
            found[field.substr(0, 5)] = field.substr(13);
        }
    }
    EXPECT_EQ(found, expected);
}

TEST(LoadPool, SmallerLoadKeepsLeftovers) {
    QuestionPool pool(kWorkTableLastRow);
    LoadPool(1, pool);
    const QuestionPool t1 = pool;
    LoadPool(4, pool);
    EXPECT_EQ(pool.count(), 24);
    EXPECT_EQ(pool.cell(24, kIdField), "T4B13");
    EXPECT_EQ(pool.cell(25, kIdField), "ENDofPOOL");
    for (int field = 2; field <= 7; ++field) {
        EXPECT_EQ(pool.cell(25, field), t1.cell(25, field)) << field;
    }
    for (int row = 26; row <= 67; ++row) {
        for (int field = 1; field <= 7; ++field) {
            ASSERT_EQ(pool.cell(row, field), t1.cell(row, field)) << row << "," << field;
        }
    }
    EXPECT_EQ(pool.cell(68, kIdField), "ENDofPOOL");

    QuestionPool scratch(kScratchTableLastRow);  // the largest subelement fits the scratch table
    LoadPool(1, scratch);
    EXPECT_EQ(scratch.count(), 67);
}

}  // namespace
}  // namespace pathwick
