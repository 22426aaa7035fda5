#include "support/hints_parser.h"

#include <gtest/gtest.h>

namespace pathwick {
namespace {

std::vector<std::string> linesOf(std::string_view bytes) {
    std::vector<std::string> lines;
    HintLineReader reader(bytes);
    while (const auto line = reader.next()) lines.emplace_back(*line);
    return lines;
}

std::vector<std::string> idsOf(std::string_view bytes, std::size_t limit = 640) {
    std::vector<std::string> ids;
    for (auto id : IndexedHintIds(bytes, limit)) ids.emplace_back(id);
    return ids;
}

using Lines = std::vector<std::string>;

TEST(HintLineReaderTest, EndsLinesAtCrLfLoneCrAndLoneLf) {
    EXPECT_EQ(linesOf("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(linesOf("a\r\n"), (Lines{"a"}));
    EXPECT_EQ(linesOf("\n\r\r\n"), (Lines{"", "", ""}));
    EXPECT_EQ(linesOf("a\n\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(linesOf(""), Lines{});
}

TEST(HintLineReaderTest, CtrlZEndsTheFileAndOtherBytesAreKept) {
    EXPECT_EQ(linesOf("a\r\nb\x1A\r\nc\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(linesOf(std::string("x\0y\xFF\t", 5)), (Lines{std::string("x\0y\xFF\t", 5)}));
}

TEST(HintIndexTest, ListsOnlyLinesWithBracketAfterTheSeparator) {
    const std::string file =
        "T1A01: Licence terms [Part 97]\r\n"
        "'T1A03: a comment [x]\r\n"
        "T1A02: no bracket here\r\n"
        "T1A04] bracket before: separator\r\n"
        "T1A05:no blank [x]\r\n"
        "T1A06: first ]: second\r\n"
        "T1A01: duplicate [y]\r\n";
    EXPECT_EQ(idsOf(file), (Lines{"T1A01", "T1A06", "T1A01"}));
}

TEST(FindHintTest, MatchesTheTextBeforeTheFirstColonExactly) {
    const std::string file =
        "t1a02: lower case id\r\n"
        "'T1A02: commented out\r\n"
        "T1A02:   the hint  \r\n"
        "T1A02: second line for the same id\r\n"
        "T1A05:no blank after the colon\r\n";
    auto hint = FindHint(file, "T1A02");
    ASSERT_TRUE(hint);
    EXPECT_EQ(hint->text, "the hint");
    EXPECT_TRUE(hint->pictureName.empty());

    hint = FindHint(file, "T1A05");
    ASSERT_TRUE(hint);
    EXPECT_EQ(hint->text, "T1A05:no blank after the colon");

    EXPECT_FALSE(FindHint(file, "T1A0"));
    EXPECT_FALSE(FindHint(file, "T9A01"));
    EXPECT_FALSE(FindHint(":x\r\n", ""));
}

TEST(FindHintTest, SplitsOffThePictureReference) {
    auto hint = FindHint("T6C02: Look at the schematic ~Figure  schematic 2.bmp  \r\n", "T6C02");
    ASSERT_TRUE(hint);
    EXPECT_EQ(hint->text, "Look at the schematic ");
    EXPECT_EQ(hint->pictureName, "schematic 2.bmp");
}

TEST(FindHintTest, CutsLongTextBeforeLookingForThePicture) {
    const std::string text(1420, 'x');
    auto hint = FindHint("T0A01: " + text + " ~Figure a.bmp", "T0A01");
    ASSERT_TRUE(hint);
    EXPECT_EQ(hint->text, text + " ~Fig");
    EXPECT_TRUE(hint->pictureName.empty()) << "the reference lies beyond character 1425";

    hint = FindHint("T0A01: " + std::string(5000, 'y'), "T0A01");
    ASSERT_TRUE(hint);
    EXPECT_EQ(hint->text.size(), kHintTextLimit);
}

TEST(PictureNameTest, StaysInsideTheFiguresFolder) {
    EXPECT_TRUE(IsSafePictureName("T1.bmp"));
    EXPECT_TRUE(IsSafePictureName("my picture..bmp"));
    for (std::string_view bad : {"", ".", "..", "../secret.bmp", "/etc/passwd", "a/b.bmp",
                                 "..\\x.bmp", "sub\\a.bmp", "a\tb.bmp"}) {
        EXPECT_FALSE(IsSafePictureName(bad)) << bad;
    }
    EXPECT_FALSE(IsSafePictureName(std::string_view("a\0b", 3)));
}

}  // namespace
}  // namespace pathwick
