#include <gtest/gtest.h>

#include "console/cp1252.h"

namespace pathwick {
namespace {

TEST(Cp1252, ConvertsThePoolsCharacters) {
    EXPECT_EQ(cp1252ToUnicode(0x92), U'\u2019');
    EXPECT_EQ(cp1252ToUnicode(0x93), U'\u201C');
    EXPECT_EQ(cp1252ToUnicode(0x94), U'\u201D');
    EXPECT_EQ(cp1252ToUnicode(0x96), U'\u2013');
    EXPECT_EQ(cp1252ToUnicode(0x97), U'\u2014');
    EXPECT_EQ(cp1252ToUnicode(0x80), U'\u20AC');
    EXPECT_EQ(cp1252ToUnicode(0x9F), U'\u0178');
    EXPECT_EQ(cp1252ToUnicode(0xA0), U'\u00A0');
    EXPECT_EQ(cp1252ToUnicode(0xFF), U'\u00FF');
    EXPECT_EQ(cp1252ToUnicode('A'), U'A');
}

TEST(Cp1252, UndefinedBytesKeepTheirControlCode) {
    for (const int b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        EXPECT_EQ(cp1252ToUnicode(static_cast<unsigned char>(b)), static_cast<char32_t>(b));
    }
}

TEST(Cp1252, Utf8Encoding) {
    EXPECT_EQ(utf8Of(U'A'), "A");
    EXPECT_EQ(utf8Of(U'\u00A0'), "\xC2\xA0");
    EXPECT_EQ(utf8Of(U'\u2500'), "\xE2\x94\x80");
    EXPECT_EQ(utf8Of(U'\U0001F600'), "\xF0\x9F\x98\x80");
    EXPECT_EQ(utf8Of(0xD800), "\xEF\xBF\xBD");
    EXPECT_EQ(cp1252ToUtf8("It\x92s \x93ok\x94\xA0"),
              "It\xE2\x80\x99s \xE2\x80\x9Cok\xE2\x80\x9D\xC2\xA0");
    EXPECT_EQ(cp1252ToUtf8(std::string_view("a\0b", 3)), std::string("a\0b", 3));
}

}  // namespace
}  // namespace pathwick
