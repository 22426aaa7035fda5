#include <gtest/gtest.h>

#include "console/first_field.h"

namespace pathwick {
namespace {

TEST(FirstField, PlainFieldRunsToTheComma) {
    EXPECT_EQ(FirstField("T1A01"), "T1A01");
    EXPECT_EQ(FirstField("  T1A01,more text"), "T1A01");
    EXPECT_EQ(FirstField("T1A01   , x"), "T1A01");
    EXPECT_EQ(FirstField("a b  "), "a b");
    EXPECT_EQ(FirstField(""), "");
    EXPECT_EQ(FirstField("    "), "");
    EXPECT_EQ(FirstField(",x"), "");
}

TEST(FirstField, QuotedFieldKeepsBlanksAndCommas) {
    EXPECT_EQ(FirstField("  \" a, b \" tail"), " a, b ");
    EXPECT_EQ(FirstField("\"open to the end, "), "open to the end, ");
    EXPECT_EQ(FirstField("\""), "");
    EXPECT_EQ(FirstField("x\"y\""), "x\"y\"");
}

}  // namespace
}  // namespace pathwick
