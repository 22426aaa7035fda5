// Text rules: numbers in text, wrapping, and the
// random source and permutation checked against their definitions.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "console/cp1252.h"
#include "console/permute_list.h"
#include "console/text_values.h"
#include "console/wrap_text.h"
#include "support/fake_clock.h"

namespace pathwick {
namespace {

TEST(TextValues, NumbersInText) {
    const std::pair<const char*, double> values[] = {{" 12.5x", 12.5}, {"-3", -3}, {"+4", 4}, {"abc", 0},
                                                     {"", 0},          {".5", 0.5}, {"  7 8", 7}, {"-", 0}, {"74.29", 74.29}};
    for (auto [text, value] : values) EXPECT_DOUBLE_EQ(valueOf(text), value) << text;
    const std::pair<const char*, int> whole[] = {{"2.9", 2}, {"-2.9", -2}, {"99999999999", INT32_MAX}, {"-99999999999", INT32_MIN},
        {"2147483646", INT32_MAX - 1}, {"2147483647", INT32_MAX}, {"2147483648", INT32_MAX}, {"-2147483647", INT32_MIN + 1},
        {"-2147483648", INT32_MIN}, {"-2147483649", INT32_MIN}};
    for (auto [text, value] : whole) EXPECT_EQ(wholeValueOf(text), value) << text;
    EXPECT_EQ(numberText(35) + numberText(-2) + plainNumberText(7) + numberText(0), " 35-27 0");
    EXPECT_EQ(lastDigits(7, 2) + "|" + lastDigits(2026, 4) + "|" + lastDigits(123, 2) + "|" + lastDigits(0, 3), "07|2026|23|000");
    const std::pair<float, const char*> singles[] = {{74.29f, "74.29"}, {100, "100"}, {0.5f, ".5"}, {-0.5f, "-.5"},
                                                     {-2, "-2"}, {0, "0"}, {1234567, "1234567"}, {12345678, "1.234568E+07"}};
    for (auto [value, text] : singles) EXPECT_EQ(singleText(value), text) << value;
    EXPECT_EQ(utf8Of(0xD800) + utf8Of(0xDFFF) + utf8Of(0x110000) + utf8Of(0x10FFFF) + utf8Of(0xD7FF) + utf8Of(0x1F600) +
                  utf8Of(0x7F) + utf8Of(0x80) + utf8Of(0x7FF) + utf8Of(0x800) + utf8Of(0xFFFF) + utf8Of(0x10000),
              "\uFFFD\uFFFD\uFFFD\U0010FFFF\uD7FF\U0001F600\x7F\u0080\u07FF\u0800\uFFFF\U00010000");
    EXPECT_EQ(upperCase("t9a04 \xE9z") + std::string(trimBlanks("  a b  ")) + std::string(trimBlanks("   ")), "T9A04 \xE9Za b");
}

std::string withoutBlanks(std::string text) {
    std::erase(text, ' ');
    return text;
}

// Random words shorter than the width: every line is exactly the width, the words
// come back in order, and a line ends at a blank only when the next word
// (with its blank) would not have fitted.
TEST(WrapText, LinesFillTheWidthAndRejoinToTheText) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 400; ++trial) {
        const int width = std::uniform_int_distribution(2, 30)(random);
        std::string text = "  ";
        for (int w = std::uniform_int_distribution(0, 12)(random); w > 0; --w)
            text += std::string(std::size_t(std::uniform_int_distribution(1, width - 1)(random)), char('a' + w)) + " ";
        CountedList lines(64);
        WrapText(text, lines, width);
        std::string joined;
        for (int i = 1; i <= lines.count(); ++i) {
            ASSERT_EQ(lines[i].size(), std::size_t(width)) << text;
            joined += lines[i];
            const std::string line(trimTrailingBlanks(lines[i]));
            if (i < lines.count() && line.size() < std::size_t(width)) {
                const std::string next = lines[i + 1].substr(0, lines[i + 1].find(' '));
                EXPECT_GT(line.size() + next.size() + 2, std::size_t(width)) << text << "|" << width;
            }
        }
        EXPECT_EQ(withoutBlanks(joined), withoutBlanks(text)) << width;
    }
}

TEST(WrapText, Edges) {
    const auto wrap = [](const std::string& text, int width, int room = 8) {
        CountedList lines(room);
        WrapText(text, lines, width);
        for (int i = 1; i <= std::min(lines.count(), room); ++i) lines[0] += "|" + lines[i];
        return lines[0];
    };
    EXPECT_EQ(wrap("aaa bbb", 8) + wrap("aaa bbbb", 8) + wrap("   ", 4), "1|aaa bbb  2|aaa     |bbbb    1|    ");
    EXPECT_EQ(wrap("abcdefghijkl xy", 5) + wrap("abcde", 5), " 4|abcde|fghij|kl   |xy    1|abcde");
    EXPECT_EQ(wrap("A.\xA0word next", 4), " 3|A.\xA0w|ord |next") << "a no-break space is not a blank";
    EXPECT_EQ(wrap(std::string(100, 'w'), 1).substr(0, 2) + wrap("text", 0) + wrap("some words", 90, 0) + wrap("aaa bbb", 4, 1),
              " 800 1|aaa ");
}

// state = state * 134775813 + 1 (mod 2^32) from the bit pattern of the seed;
// the fraction is (state >> 1) / 2^31. Worked out for 0.5 (0x3F000000) and
// for 36000 (10:00:00, 0x470CA000).
TEST(RandomSource, FollowsItsDefinition) {
    testing::FakeClock clock;
    RandomSource random(clock);
    random.seed(0.5f);
    EXPECT_EQ(random.next(), 0.23046875);
    EXPECT_EQ(random.state(), 0x3B000001u);
    EXPECT_EQ(random.next(), 0.1837236895225942);
    EXPECT_EQ(random.between(1, 6), 4);  // 0.6227672169916332
    random.seedFromTimer();
    EXPECT_EQ(random.next(), 0.8974475860595703);
    EXPECT_EQ(random.between(1, 6), 1);  // 0.06744599482044578
    EXPECT_EQ(random.between(-5, -5), -5);
    EXPECT_EQ(random.state(), 0xC917CC1Fu);
}

TEST(PermuteList, EveryOrderAboutEquallyOftenAndBadListsRefused) {
    testing::FakeClock clock;
    RandomSource random(clock);
    const auto list = [](std::string count, std::vector<std::string> items) {
        CountedList made(4);
        made[0] = count;
        for (std::size_t i = 0; i < items.size(); ++i) made[int(i) + 1] = items[i];
        return made;
    };
    std::map<std::string, int> orders;
    for (int draw = 0; draw < 2400; ++draw) {
        clock.advance(std::chrono::milliseconds(1 + draw % 7));
        CountedList target(4);
        ASSERT_TRUE(PermuteList(list(" 4", {"a", "b", "c", "d"}), target, random));
        ++orders[target[0] + target[1] + target[2] + target[3] + target[4]];
    }
    EXPECT_EQ(orders.size(), 24u);
    for (const auto& [order, count] : orders) EXPECT_TRUE(count > 55 && count < 145 && order.starts_with(" 4")) << order;
    CountedList kept = list("", {"", "", "", "D"}), small(2);
    ASSERT_TRUE(PermuteList(list("3", {"A", "B", "C"}), kept, random));
    EXPECT_EQ(withoutBlanks(kept[1] + kept[2] + kept[3]).size() * 10 + kept[4].size(), 31u) << kept[4];
    CountedList none(2);
    EXPECT_TRUE(PermuteList(list("0", {}), none, random) && none[0] == "0") << "an empty list is permuted too";
    const std::pair<CountedList, CountedList> refused[] = {{list("2", {"x", "y"}), list("", {"", "taken"})},
        {list("2", {"x"}), small}, {list("3", {"x", "y", "z"}), small}, {list("-1", {}), small}};
    for (auto [source, target] : refused) {
        const CountedList before = target;
        EXPECT_FALSE(PermuteList(source, target, random)) << source[0];
        for (int i = 0; i <= before.lastIndex(); ++i) EXPECT_EQ(target[i], before[i]);
    }
}

}  // namespace
}  // namespace pathwick
