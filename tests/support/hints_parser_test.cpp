#include "support/hints_parser.h"

#include <gtest/gtest.h>

namespace pathwick {
namespace {

using Lines = std::vector<std::string>;

Lines linesOf(std::string_view bytes) {
    Lines lines;
    HintLineReader reader(bytes);
    while (const auto line = reader.next()) lines.emplace_back(*line);
    return lines;
}

// CR LF, lone CR and lone LF end a line; Ctrl+Z ends the file; other bytes
// are kept.
TEST(HintLineReaderTest, LineEndsAndCtrlZ) {
    EXPECT_EQ(linesOf("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(linesOf("\n\r\r\n"), (Lines{"", "", ""}));
    EXPECT_EQ(linesOf("a\n\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(linesOf(""), Lines{});
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
    Lines ids;
    for (auto id : IndexedHintIds(file, 640)) ids.emplace_back(id);
    EXPECT_EQ(ids, (Lines{"T1A01", "T1A06", "T1A01"}));
}

TEST(FindHintTest, MatchesTheTextBeforeTheFirstColonExactly) {
    const std::string file =
        "t1a02: lower case id\r\n"
        "'T1A02: commented out\r\n"
        "T1A02:   the hint  \r\n"
        "T1A02: second line for the same id\r\n"
        "T1A05:no blank after the colon\r\n";
    EXPECT_EQ(FindHint(file, "T1A02").value().text, "the hint");
    EXPECT_EQ(FindHint(file, "T1A05").value().text, "T1A05:no blank after the colon");
    EXPECT_FALSE(FindHint(file, "T1A0"));
    EXPECT_FALSE(FindHint(file, "T9A01"));
    EXPECT_FALSE(FindHint(":x\r\n", ""));
}

// The text is cut at 1425 characters before the picture is looked for.
TEST(FindHintTest, SplitsOffThePictureAfterCuttingLongText) {
    auto hint = FindHint("T6C02: Look at the schematic ~Figure  schematic 2.bmp  \r\n", "T6C02");
    ASSERT_TRUE(hint);
    EXPECT_EQ(hint->text, "Look at the schematic ");
    EXPECT_EQ(hint->pictureName, "schematic 2.bmp");

    const std::string text(1420, 'x');
    hint = FindHint("T0A01: " + text + " ~Figure a.bmp", "T0A01");
    ASSERT_TRUE(hint);
    EXPECT_EQ(hint->text, text + " ~Fig");
    EXPECT_TRUE(hint->pictureName.empty());
    EXPECT_EQ(FindHint("T0A01: " + std::string(5000, 'y'), "T0A01").value().text.size(), kHintTextLimit);
}

TEST(PictureNameTest, StaysInsideTheFiguresFolder) {
    EXPECT_TRUE(IsSafePictureName("T1.bmp"));
    EXPECT_TRUE(IsSafePictureName("my picture..bmp"));
    using namespace std::string_view_literals;
    for (std::string_view bad : std::initializer_list<std::string_view>{"", ".", "..", "../secret.bmp", "/etc/passwd", "a/b.bmp", "..\\x.bmp",
                                 "sub\\a.bmp", "a\tb.bmp", "a\0b"sv}) {
        EXPECT_FALSE(IsSafePictureName(bad)) << bad;
    }
}

}  // namespace
}  // namespace pathwick
