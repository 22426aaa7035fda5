#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "bank/exam_blueprint.h"
#include "bank/load_pool.h"
#include "bank/practice_test_generator.h"
#include "support/screen_test.h"

namespace pathwick {
namespace {

using testing::ScreenRig;
using testing::trimmedRow;

constexpr std::string_view kAllOfThese = "D. All of these choices are correct";

std::array<std::string, 8> rowOf(const QuestionPool& questions, int row) {
    std::array<std::string, 8> fields;
    for (int f = 1; f <= 7; ++f) fields[static_cast<std::size_t>(f)] = questions.cell(row, f);
    return fields;
}

// Every pool question by its five-character ID.
const std::map<std::string, std::array<std::string, 8>>& poolById() {
    static const auto byId = [] {
        std::map<std::string, std::array<std::string, 8>> map;
        for (int s = 0; s < 10; ++s) {
            QuestionPool pool(kScratchTableLastRow);
            LoadPool(s, pool);
            for (int row = 1; row <= pool.count(); ++row) map[pool.cell(row, kIdField).substr(0, 5)] = rowOf(pool, row);
        }
        return map;
    }();
    return byId;
}

std::vector<std::string> groupCodes() {
    std::vector<std::string> codes;
    for (int item = 1; item <= blueprintItemCount();) {
        codes.push_back(blueprintItem(item + 1).substr(0, 3));
        item += std::stoi(blueprintItem(item)) + 1;
    }
    return codes;
}

// The choice texts without their letters.
std::multiset<std::string> choiceBodies(const std::array<std::string, 8>& fields) {
    std::multiset<std::string> bodies;
    for (int f = 3; f <= 6; ++f) bodies.insert(fields[static_cast<std::size_t>(f)].substr(1));
    return bodies;
}

std::string correctBody(const std::array<std::string, 8>& fields) {
    const int field = 3 + (fields[7][0] - 'A');
    return fields[static_cast<std::size_t>(field)].substr(1);
}

TEST(PracticeTestGenerator, OneQuestionPerGroupWithChoicesRelettered) {
    ScreenRig rig;
    QuestionPool questions(kPracticeTestLastRow);
    GeneratePracticeTest(questions, rig.random, rig.screen);

    EXPECT_EQ(questions.cell(0, kSelectorField), " 35");
    EXPECT_EQ(questions.cell(0, kCountField), "");
    for (int row = 36; row <= kPracticeTestLastRow; ++row) EXPECT_EQ(questions.cell(row, kIdField), "");

    std::multiset<std::string> codes;
    for (int row = 1; row <= kExamGroups; ++row) {
        SCOPED_TRACE(row);
        const auto fields = rowOf(questions, row);
        codes.insert(fields[1].substr(0, 3));
        const auto found = poolById().find(fields[1].substr(0, 5));
        ASSERT_NE(found, poolById().end()) << fields[1];
        const auto& original = found->second;
        EXPECT_EQ(fields[1], original[1]);
        EXPECT_EQ(fields[2], original[2]);
        for (int f = 3; f <= 6; ++f) EXPECT_EQ(fields[static_cast<std::size_t>(f)][0], 'A' + f - 3);
        EXPECT_EQ(choiceBodies(fields), choiceBodies(original));
        ASSERT_EQ(fields[7].size(), 1u);
        EXPECT_EQ(correctBody(fields), correctBody(original));
        if (original[6].starts_with(kAllOfThese)) {
            EXPECT_EQ(fields[6], original[6]);
        }
    }
    const auto expected = groupCodes();
    EXPECT_EQ(codes, std::multiset<std::string>(expected.begin(), expected.end()));
    EXPECT_TRUE(rig.screen.rowText(1).find("Error") == std::string::npos);
}

TEST(PracticeTestGenerator, SameClockReadingGivesTheSameTest) {
    ScreenRig rig;
    const auto generated = [&rig] {
        QuestionPool questions(kPracticeTestLastRow);
        GeneratePracticeTest(questions, rig.random, rig.screen);
        std::vector<std::array<std::string, 8>> rows;
        for (int row = 1; row <= kExamGroups; ++row) rows.push_back(rowOf(questions, row));
        return rows;
    };
    const auto first = generated();
    EXPECT_EQ(generated(), first);
    rig.clock.advance(std::chrono::milliseconds(7250));
    EXPECT_NE(generated(), first);
}

TEST(PracticeTestGenerator, OverManyTestsEveryGroupReachesEveryPositionAndBothEnds) {
    ScreenRig rig;
    const auto codes = groupCodes();
    std::set<std::pair<std::string, int>> seen;  // (group, row)
    std::set<std::string> drawnT5D;
    bool figureSeen = false;
    for (int test = 0; test < 600; ++test) {
        rig.clock.advance(std::chrono::milliseconds(1013));
        QuestionPool questions(kPracticeTestLastRow);
        GeneratePracticeTest(questions, rig.random, rig.screen);
        for (int row = 1; row <= kExamGroups; ++row) {
            const std::string& id = questions.cell(row, kIdField);
            seen.insert({id.substr(0, 3), row});
            if (id.starts_with("T5D")) drawnT5D.insert(id);
            if (id.starts_with("T6C02")) {
                EXPECT_EQ(id, "T6C02 Figure:T1");
                figureSeen = true;
            }
        }
    }
    EXPECT_TRUE(drawnT5D.contains("T5D01"));
    EXPECT_TRUE(drawnT5D.contains("T5D16"));
    EXPECT_TRUE(figureSeen);
    for (const auto& code : codes) {
        for (int row = 1; row <= kExamGroups; ++row)
            EXPECT_TRUE(seen.contains({code, row})) << code << " never at " << row;
    }
}

std::vector<std::string> builtInItems() {
    std::vector<std::string> items{""};
    for (int i = 1; i <= blueprintItemCount(); ++i) items.push_back(blueprintItem(i));
    return items;
}

BlueprintItems readerOf(std::vector<std::string> items) {
    return [items = std::move(items)](int index) {
        return index >= 1 && index < static_cast<int>(items.size()) ? items[static_cast<std::size_t>(index)]
                                                                     : std::string();
    };
}

TEST(PracticeTestGenerator, EmptyGroupIsReportedAndLeavesOneRowEmpty) {
    auto items = builtInItems();
    // Group 3 (T1C, items 26..37) reads as size 0 with no IDs.
    ASSERT_EQ(items[26], "11");
    ASSERT_EQ(items[27], "T1C01");
    items.erase(items.begin() + 27, items.begin() + 38);
    items[26] = "0";

    ScreenRig rig;
    rig.terminal.key("x");
    QuestionPool questions(kPracticeTestLastRow);
    GeneratePracticeTest(questions, rig.random, rig.screen, readerOf(items));
    EXPECT_TRUE(rig.terminal.exhausted());  // the error waited for its key
    EXPECT_EQ(trimmedRow(rig.screen, 1), "Error generating question: 3");

    std::set<std::string> codes;
    for (int row = 1; row <= 34; ++row) {
        codes.insert(questions.cell(row, kIdField).substr(0, 3));
        EXPECT_EQ(questions.cell(row, kKeyField).size(), 1u) << row;
    }
    EXPECT_EQ(codes.size(), 34u);
    EXPECT_FALSE(codes.contains("T1C"));
    for (int f = 1; f <= 7; ++f) EXPECT_EQ(questions.cell(35, f), "") << f;
    EXPECT_EQ(questions.cell(0, kSelectorField), " 35");
}

TEST(PracticeTestGenerator, UnknownIdKeepsTheBareIdAndNoChoices) {
    auto items = builtInItems();
    // Group 35 (T0C) becomes a single ID the pool does not hold.
    items.resize(items.size() - 14);
    items.push_back("1");
    items.push_back("T0C99");

    ScreenRig rig;
    QuestionPool questions(kPracticeTestLastRow);
    GeneratePracticeTest(questions, rig.random, rig.screen, readerOf(items));
    int found = 0;
    for (int row = 1; row <= kExamGroups; ++row) {
        if (questions.cell(row, kIdField) != "T0C99") continue;
        ++found;
        for (int f = 2; f <= 7; ++f) EXPECT_EQ(questions.cell(row, f), "") << f;
    }
    EXPECT_EQ(found, 1);
}

}  // namespace
}  // namespace pathwick
