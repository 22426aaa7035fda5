#include <gtest/gtest.h>

#include <string>

#include "bank/load_pool.h"
#include "bank/pool_data.h"
#include "console/wrap_text.h"

namespace pathwick {
namespace {

// "ab ab ab ..." cut to `length` characters (blanks at every third place);
// a blank that would end the text becomes "x".
std::string words(std::size_t length) {
    std::string text;
    while (text.size() < length) text += text.empty() ? "ab" : " ab";
    text.resize(length);
    if (text.back() == ' ') text.back() = 'x';
    return text;
}

std::string withoutBlanks(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c != ' ') out += c;
    }
    return out;
}

std::string joinedWords(const CountedList& lines) {
    std::string all;
    for (int i = 1; i <= lines.count(); ++i) all += lines[i];
    return withoutBlanks(all);
}

void expectEveryLineWidth(const CountedList& lines, std::size_t width) {
    for (int i = 1; i <= lines.count(); ++i) EXPECT_EQ(lines[i].size(), width) << "line " << i;
}

TEST(WrapText, TwoWordsWithSurroundingBlanks) {
    CountedList lines(8);
    WrapText("  Ohm law  ", lines, 90);
    EXPECT_EQ(lines[0], "1");
    EXPECT_EQ(lines[1], "Ohm law" + std::string(83, ' '));
    EXPECT_EQ(lines[1].size(), 90u);
}

TEST(WrapText, WidthMinusOneIsOneLineWidthIsTwo) {
    CountedList lines(8);
    const std::string a44(44, 'a');
    WrapText(a44 + " " + std::string(44, 'b'), lines, 90);  // 89 characters
    EXPECT_EQ(lines[0], "1");
    EXPECT_EQ(lines[1], a44 + " " + std::string(44, 'b') + " ");

    WrapText(a44 + " " + std::string(45, 'b'), lines, 90);  // 90 characters
    EXPECT_EQ(lines[0], " 2");
    EXPECT_EQ(lines[1], a44 + std::string(46, ' '));
    EXPECT_EQ(lines[2], std::string(45, 'b') + std::string(45, ' '));
}

TEST(WrapText, LongTextBreaksAfterTheLastBlankThatFits) {
    CountedList lines(8);
    const std::string text = words(150);
    WrapText(text, lines, 90);
    EXPECT_EQ(lines[0], " 2");
    expectEveryLineWidth(lines, 90);
    // Blanks stand at 3, 6, ..., 90: line 1 is the first 90 characters,
    // blank included; line 2 starts with the next word.
    EXPECT_EQ(lines[1], text.substr(0, 90));
    EXPECT_EQ(lines[2].substr(0, 60), text.substr(90));
    EXPECT_EQ(joinedWords(lines), withoutBlanks(text));
}

TEST(WrapText, WordOfWidthOrMoreIsCutAtTheWidth) {
    CountedList lines(8);
    WrapText("abcdefghijkl xy", lines, 5);
    EXPECT_EQ(lines.count(), 4);
    EXPECT_EQ(lines[1], "abcde");
    EXPECT_EQ(lines[2], "fghij");
    EXPECT_EQ(lines[3], "kl   ");
    EXPECT_EQ(lines[4], "xy   ");

    WrapText("abcde", lines, 5);  // exactly the width: the word plus its blank
    EXPECT_EQ(lines.count(), 1);
    EXPECT_EQ(lines[1], "abcde");

    WrapText(std::string(1000, 'w'), lines, 1);  // stops when the list is full
    EXPECT_EQ(lines[0], " 8");
    expectEveryLineWidth(lines, 1);
}

TEST(WrapText, BlankTextWidthAndListLimits) {
    CountedList lines(8);
    WrapText("   ", lines, 70);  // blank text is one blank line
    EXPECT_EQ(lines[0], "1");
    EXPECT_EQ(lines[1], std::string(70, ' '));
    for (int width : {0, -4}) {
        WrapText("text", lines, width);
        EXPECT_EQ(lines.count(), 0) << width;
    }

    CountedList two(2);  // never writes past the list
    WrapText(words(500), two, 90);
    EXPECT_EQ(two.count(), 2);
    EXPECT_EQ(two[2].size(), 90u);
    CountedList none(0);
    WrapText("some words", none, 90);
    EXPECT_EQ(none.count(), 0);
}

TEST(WrapText, NoBreakSpaceIsNotABlank) {
    CountedList lines(8);
    WrapText("A.\xA0word next", lines, 4);
    EXPECT_EQ(lines.count(), 3);
    EXPECT_EQ(lines[1], "A.\xA0w");
    EXPECT_EQ(lines[2], "ord ");
    EXPECT_EQ(lines[3], "next");
}

// Three question lines and two lines per choice fit the question screen.
TEST(WrapText, BuiltInPoolFitsTheQuestionScreen) {
    QuestionPool pool(kWorkTableLastRow);
    CountedList lines(8);
    for (int s = 0; s < kSubelementCount; ++s) {
        pool.clear();
        LoadPool(s, pool);
        for (int row = 1; row <= pool.count(); ++row) {
            const std::string& id = pool.cell(row, kIdField);
            WrapText("142. " + pool.cell(row, kQuestionField), lines, 90);
            EXPECT_LE(lines.count(), 3) << id;
            EXPECT_EQ(joinedWords(lines), withoutBlanks("142." + pool.cell(row, kQuestionField)));
            for (int f = kChoiceAField; f <= kChoiceDField; ++f) {
                WrapText(pool.cell(row, f), lines, 90);
                EXPECT_LE(lines.count(), 2) << id << " field " << f;
                expectEveryLineWidth(lines, 90);
            }
        }
    }
}

}  // namespace
}  // namespace pathwick
