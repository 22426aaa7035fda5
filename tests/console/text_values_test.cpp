#include <gtest/gtest.h>

#include <climits>

#include "console/counted_list.h"
#include "console/text_values.h"

namespace pathwick {
namespace {

TEST(TextValues, ValueOfReadsTheLeadingNumber) {
    EXPECT_EQ(valueOf(" 35"), 35.0);
    EXPECT_EQ(valueOf("35"), 35.0);
    EXPECT_EQ(valueOf("  -12abc"), -12.0);
    EXPECT_DOUBLE_EQ(valueOf("74.29%"), 74.29);
    EXPECT_DOUBLE_EQ(valueOf(".5"), 0.5);
    EXPECT_EQ(valueOf(""), 0.0);
    EXPECT_EQ(valueOf("x12"), 0.0);
    EXPECT_EQ(valueOf("0"), 0.0);
}

TEST(TextValues, WholeValueIsClampedToInt) {
    EXPECT_EQ(wholeValueOf(" 3.9"), 3);
    EXPECT_EQ(wholeValueOf("-3.9"), -3);
    EXPECT_EQ(wholeValueOf(std::string(400, '9')), INT_MAX);
    EXPECT_EQ(wholeValueOf("-" + std::string(40, '9')), INT_MIN);
    CountedList list(2);
    list[0] = "99999999999999999999";
    EXPECT_EQ(list.count(), INT_MAX);
}

TEST(TextValues, NumberTextHasTheSignPosition) {
    EXPECT_EQ(numberText(37), " 37");
    EXPECT_EQ(numberText(0), " 0");
    EXPECT_EQ(numberText(-5), "-5");
    EXPECT_EQ(plainNumberText(142), "142");
}

TEST(TextValues, SingleTextAsPrintNumberShowsIt) {
    EXPECT_EQ(singleText(26.0f / 35.0f * 100.0f), "74.28571");
    EXPECT_EQ(singleText(74.29f), "74.29");
    EXPECT_EQ(singleText(100.0f), "100");
    EXPECT_EQ(singleText(57.14f), "57.14");
    EXPECT_EQ(singleText(0.5f), ".5");
    EXPECT_EQ(singleText(-0.5f), "-.5");
    EXPECT_EQ(singleText(0.0f), "0");
    EXPECT_EQ(singleText(-2.0f), "-2");
}

TEST(TextValues, CaseAndBlanks) {
    EXPECT_EQ(upperCase("t1a01 \xE9z"), "T1A01 \xE9Z");
    EXPECT_EQ(trimBlanks("  a b  "), "a b");
    EXPECT_EQ(trimLeadingBlanks("  a "), "a ");
    EXPECT_EQ(trimTrailingBlanks("  a "), "  a");
    EXPECT_EQ(trimBlanks("    "), "");
    EXPECT_EQ(trimBlanks("\xA0x\xA0"), "\xA0x\xA0");
}

}  // namespace
}  // namespace pathwick
