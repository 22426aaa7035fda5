// The built-in pool, re-lettering and the practice-test draw,
// checked as properties over the whole pool.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/main_menu.h"
#include "bank/load_pool.h"
#include "bank/practice_test_generator.h"
#include "bank/shuffle_choices.h"
#include "support/screen_test.h"

namespace pathwick::testing {
namespace {

// Every question of an edition's pool by ID: its record as loaded.
std::map<std::string, std::array<std::string, 8>> wholePool(const PoolEdition& edition = Edition2018()) {
    std::map<std::string, std::array<std::string, 8>> records;
    QuestionPool pool(kWorkTableLastRow);
    for (int s = 0; s <= 9; ++s) {
        LoadPool(s, pool, edition);
        for (int row = 1; row <= pool.count(); ++row)
            for (int f = 1; f <= 7; ++f) records[pool.cell(row, kIdField).substr(0, 5)][std::size_t(f)] = pool.cell(row, f);
    }
    return records;
}

// Each edition's counts, keys and figures are checked against its release
// (bank/edition_test.cpp); here how a load fills the table.
TEST(Pool, CountsAndLeftovers) {
    const int counts[] = {37, 67, 38, 35, 24, 57, 47, 47, 48, 23};
    QuestionPool pool(kWorkTableLastRow);
    for (int s = 9; s >= 0; --s) {
        LoadPool(s, pool);
        ASSERT_EQ(pool.cell(0, kCountField) + pool.cell(counts[s] + 1, kIdField), " " + std::to_string(counts[s]) + "ENDofPOOL");
    }
    EXPECT_EQ(pool.cell(50, kIdField).substr(0, 2), "T1") << "a smaller load keeps what lies beyond it";
    QuestionPool two(2);  // a table smaller than the block takes what fits
    LoadPool(0, two);
    EXPECT_EQ(two.cell(2, kKeyField) + two.cell(2, kIdField).substr(0, 5), pool.cell(2, kKeyField) + "T0A02");
    // A block's items are numbered from 1; any other number, or a subelement
    // outside 0..9, reads as empty text.
    for (const PoolEdition* edition : AllEditions()) {
        const int last = edition->itemCount(9);
        EXPECT_EQ(edition->item(9, last), "ENDofPOOL");
        EXPECT_EQ(edition->itemCount(-1) + edition->itemCount(10), 0);
        EXPECT_EQ(std::string(DescriptionLine(-1, *edition)) + std::string(DescriptionLine(10, *edition)), "");
        EXPECT_NE(DescriptionLine(9, *edition), "");
        for (auto [subelement, index] : {std::pair{9, 0}, {9, -1}, {9, last + 1}, {-1, 1}, {10, 1}})
            EXPECT_EQ(edition->item(subelement, index), "") << subelement << "," << index;
    }
    for (auto [id, subelement] : {std::pair{"T5A03", 5}, {"T0", 0}, {"E9A", 9}, {"T/A", -1}, {"T:A", -1}, {"T", -1}, {"", -1}})
        EXPECT_EQ(SubelementNamedBy(id), subelement) << id;
}

// The re-lettered row keeps its texts, letters A to D in order, the key on
// the right text and an all-these (or none-of-these) choice at D.
void expectRelettered(const std::array<std::string, 8>& before, const QuestionPool& table, int row) {
    std::array<std::string, 8> after;
    for (int f = 1; f <= 7; ++f) after[std::size_t(f)] = table.cell(row, f);
    const auto texts = [](const auto& cells) { return std::multiset<std::string>{cells[3].substr(1), cells[4].substr(1), cells[5].substr(1), cells[6].substr(1)}; };
    const auto keyText = [](const auto& cells) { return cells[std::size_t(kChoiceAField + cells[7][0] - 'A')].substr(1); };
    EXPECT_EQ(texts(after), texts(before)) << before[1];
    EXPECT_EQ(after[3].substr(0, 1) + after[4][0] + after[5][0] + after[6][0] + keyText(after), "ABCD" + keyText(before)) << before[1];
    const bool allThese = before[6].starts_with("D. All these choices are correct") || before[6].starts_with("D. All of these choices are correct") ||
                          before[6] == "D. All these answers are correct" || before[6].starts_with("D. None of these choices is correct;");
    EXPECT_TRUE(!allThese || after[6] == before[6]) << before[1];
}

TEST(ShuffleChoices, EveryQuestionKeepsItsKeyOnItsText) {
    FakeClock clock;
    RandomSource random(clock);
    QuestionPool table(1);  // the question on the table's last row
    int moved = 0;  // keys that changed letter: the choices really moved
    for (const PoolEdition* edition : AllEditions())
    for (const auto& [id, record] : wholePool(*edition)) {
        for (int f = 1; f <= 7; ++f) table.cell(1, f) = record[std::size_t(f)];
        table.cell(0, 2) = " 1";  // row 0, field 2: the row to shuffle
        clock.advance(std::chrono::milliseconds(37));
        ShuffleChoices(table, random);
        expectRelettered(record, table, 1);
        moved += table.cell(1, kKeyField) != record[kKeyField];
    }
    EXPECT_GT(moved, 1000);
    table.cell(1, kKeyField) = "E";  // a key on no choice stays; a selector outside the table changes nothing
    for (const char* selector : {" 1", "0", "3", "-1"}) {
        table.cell(0, 2) = selector;
        const std::string before = table.cell(1, 3) + table.cell(1, 4) + table.cell(1, 5) + table.cell(1, 6);
        ShuffleChoices(table, random);
        EXPECT_TRUE(table.cell(1, kKeyField) == "E" && (std::string(selector) == " 1" ||
                    table.cell(1, 3) + table.cell(1, 4) + table.cell(1, 5) + table.cell(1, 6) == before)) << selector;
    }
}

// Over many tests every question of each pool is drawn, one per group each
// time: 35 questions, 50 for Amateur Extra.
TEST(PracticeTest, OneQuestionPerGroupInRandomOrder) {
    ScreenRig rig;
    for (const auto& [edition, size] : {std::pair{&Edition2018(), 35}, {&Edition2026(), 35}, {&EditionGeneral(), 35}, {&EditionExtra(), 50}}) {
        const auto pool = wholePool(*edition);
        std::set<std::string> drawn, all;
        for (const auto& [id, record] : pool) all.insert(id);
        for (int test = 0; test < 300; ++test) {
            rig.clock.advance(std::chrono::milliseconds(997));
            QuestionPool questions(kPracticeTestLastRow);
            GeneratePracticeTest(questions, rig.random, rig.screen, *edition);
            std::set<std::string> groups;
            for (int row = 1; row <= size; ++row) {
                const std::string id = questions.cell(row, kIdField).substr(0, 5);
                ASSERT_TRUE(pool.contains(id)) << id;
                expectRelettered(pool.at(id), questions, row);
                groups.insert(id.substr(0, 3));
                drawn.insert(id);
            }
            EXPECT_EQ(groups.size(), std::size_t(size));
            EXPECT_EQ(questions.cell(std::min(size + 1, kPracticeTestLastRow), kIdField).empty(), size < kPracticeTestLastRow);
        }
        std::vector<std::string> missing;
        std::set_difference(all.begin(), all.end(), drawn.begin(), drawn.end(), std::back_inserter(missing));
        EXPECT_EQ(missing, std::vector<std::string>{}) << edition->className;
    }

    rig.terminal.key("x");  // a group of size 0 is reported and leaves one row empty
    QuestionPool questions(kPracticeTestLastRow);
    GeneratePracticeTest(questions, rig.random, rig.screen, [](int index) -> std::string {
        return index == 1 ? "0" : (index - 2) % 2 == 0 ? "1" : "T0A01";
    });
    EXPECT_EQ(trimmedRow(rig.screen, 1), "Error generating question: 1");
    EXPECT_EQ(questions.cell(34, kIdField).substr(0, 5) + "|" + questions.cell(35, kIdField), "T0A01|");
}

}  // namespace
}  // namespace pathwick::testing
