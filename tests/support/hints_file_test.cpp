#include "support/hints_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/screen_test.h"

namespace pathwick::testing {
namespace {

class HintsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        rig.screen.setColor(0, 15);
        rig.screen.clearScreen();
    }
    // Shows the hint for `text` and returns the first hint row.
    std::string request(std::string text) {
        showHint(text, index, window, rig.screen, rig.desktop, folder.path());
        EXPECT_TRUE(text.empty());
        return trimmedRow(rig.screen, 29);
    }

    ScreenRig rig;
    TempDirectory folder;
    CountedList index{640};
    WindowHandle window = 0;
};

TEST_F(HintsFileTest, IndexAndLookupFollowTheFileAndAMissingOneShowsNothing) {
    request("Index");
    EXPECT_EQ(index[0], "0");
    folder.write("hints.txt", "T1A01: Part 97 [97.1]\r\n' a comment\r\nT1A02: Shown on request only\r\n");
    index[5] = "untouched";
    request("Index");
    EXPECT_EQ(index[0], "1");
    EXPECT_EQ(index[1], "T1A01");
    EXPECT_EQ(index[5], "untouched");
    request("T9Z99");
    for (int row = 28; row <= 43; ++row) EXPECT_EQ(trimmedRow(rig.screen, row), "") << row;
    EXPECT_EQ(request("T1A02"), " Shown on request only");
    EXPECT_TRUE(rig.desktop.calls().empty());
}

TEST_F(HintsFileTest, LongHintWrapsAt95AndStopsAtTheLastRow) {
    std::string words;
    while (words.size() < 200) words += "word ";
    folder.write("hints.txt", "T0A01: " + words + "\r\n");
    request("T0A01");
    EXPECT_EQ(textAt(rig.screen, 29, 92, 5), "word ") << "95 = 19 words of 5";
    EXPECT_EQ(textAt(rig.screen, 31, 2, 5), "word ");
    EXPECT_EQ(trimmedRow(rig.screen, 32), "");

    std::string many;  // words of 47 letters: one per line, so the cut text needs 29 lines
    for (int i = 0; i < 40; ++i) many += std::string(47, static_cast<char>('a' + i % 26)) + " ";
    folder.write("hints.txt", "T0A02: " + many + "\r\n");
    request("T0A02");
    EXPECT_NE(trimmedRow(rig.screen, 43), "");
    EXPECT_EQ(rig.screen.cellAt(1, 1).ch, U' ') << "the screen did not scroll";
    EXPECT_EQ(trimmedRow(rig.screen, 28), "");
}

TEST_F(HintsFileTest, PictureOpensOnlyFromTheFiguresFolder) {
    folder.write("hints.txt", "T6C02: Look ~Figure ohm.bmp\r\nT6C03: Escape ~Figure ../../etc/passwd\r\n");
    window = 7;
    EXPECT_EQ(request("T6C02"), " Look");
    EXPECT_EQ(rig.desktop.calls(),
              (std::vector<std::string>{"close 7", "showImageFile " + (folder.path() / "Figures" / "ohm.bmp").string() + " '' -> 1"}));
    EXPECT_EQ(window, 1);
    rig.desktop.clear();
    EXPECT_EQ(request("T6C03"), " Escape");
    EXPECT_TRUE(rig.desktop.calls().empty());
}

TEST_F(HintsFileTest, HostileFilesDoNotHangOrBreak) {
    const auto file = folder.path() / "hints.txt";
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);  // opening must not wait for a writer
    request("Index");
    EXPECT_EQ(index[0], "0");
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
    request("T0A01");
    std::filesystem::remove(file);
    // One very long line with the ID at its start, then binary junk.
    std::string junk(3 * 1024 * 1024, '\0');
    for (std::size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<char>((i * 131) % 256);
    folder.write("hints.txt", "T0A01: " + std::string(2 * 1024 * 1024, 'z') + "\r\n" + junk);
    request("Index");
    EXPECT_EQ(request("T0A01").substr(0, 4), " zzz");
}

TEST_F(HintsFileTest, MoreThan640IndexedLinesKeepTheFirst640) {
    std::string file;
    for (int i = 1; i <= 700; ++i) file += "ID" + std::to_string(i) + ": x [y]\r\n";
    folder.write("hints.txt", file);
    request("Index");
    EXPECT_EQ(index[0], "640");
    EXPECT_EQ(index[640], "ID640");
}

}  // namespace
}  // namespace pathwick::testing
