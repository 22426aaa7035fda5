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
    void request(std::string text) {
        showHint(text, index, window, rig.screen, rig.desktop, folder.path());
        EXPECT_TRUE(text.empty());
    }

    ScreenRig rig;
    TempDirectory folder;
    CountedList index{640};
    WindowHandle window = 0;
};

TEST_F(HintsFileTest, IndexAndLookupFollowTheFile) {
    folder.write("hints.txt",
                 "T1A01: Part 97 [97.1]\r\n"
                 "' a comment\r\n"
                 "T1A02: Shown on request only\r\n");
    index[5] = "untouched";
    request("Index");
    EXPECT_EQ(index[0], "1");
    EXPECT_EQ(index[1], "T1A01");
    EXPECT_EQ(index[5], "untouched");

    request("T1A02");
    EXPECT_EQ(trimmedRow(rig.screen, 29), " Shown on request only");
    EXPECT_EQ(textAt(rig.screen, 29, 1, 1), " ");
    EXPECT_TRUE(rig.desktop.calls().empty());
}

TEST_F(HintsFileTest, MissingFileOrUnknownIdShowsNothing) {
    request("Index");
    EXPECT_EQ(index[0], "0");
    request("T1A01");
    folder.write("hints.txt", "T1A01: x\r\n");
    request("T9Z99");
    for (int row = 28; row <= 43; ++row) EXPECT_EQ(trimmedRow(rig.screen, row), "") << row;
    EXPECT_TRUE(rig.desktop.calls().empty());
}

TEST_F(HintsFileTest, LongHintWrapsAt95AndStopsAtTheLastRow) {
    std::string words;
    while (words.size() < 200) words += "word ";
    folder.write("hints.txt", "T0A01: " + words + "\r\n");
    request("T0A01");
    EXPECT_EQ(textAt(rig.screen, 29, 2, 5), "word ");
    EXPECT_EQ(textAt(rig.screen, 29, 92, 5), "word ") << "95 = 19 words of 5";
    EXPECT_EQ(textAt(rig.screen, 30, 2, 5), "word ");
    EXPECT_EQ(textAt(rig.screen, 31, 2, 5), "word ");
    EXPECT_EQ(trimmedRow(rig.screen, 32), "");

    std::string many;
    // Words of 47 letters: one per line, so the cut text needs 29 lines.
    for (int i = 0; i < 40; ++i) many += std::string(47, static_cast<char>('a' + i % 26)) + " ";
    folder.write("hints.txt", "T0A02: " + many + "\r\n");
    request("T0A02");
    EXPECT_NE(trimmedRow(rig.screen, 43), "");
    EXPECT_EQ(rig.screen.cellAt(1, 1).ch, U' ') << "the screen did not scroll";
    EXPECT_EQ(trimmedRow(rig.screen, 28), "");
}

TEST_F(HintsFileTest, PictureOpensFromTheFiguresFolder) {
    folder.write("hints.txt",
                 "T6C02: Look ~Figure ohm.bmp\r\n"
                 "T6C03: Escape ~Figure ../../etc/passwd\r\n");
    window = 7;
    request("T6C02");
    const std::vector<std::string> expected = {
        "close 7", "showImageFile " + (folder.path() / "Figures" / "ohm.bmp").string() + " '' -> 1"};
    EXPECT_EQ(rig.desktop.calls(), expected);
    EXPECT_EQ(window, 1);
    EXPECT_EQ(trimmedRow(rig.screen, 29), " Look");

    rig.desktop.clear();
    request("T6C03");
    EXPECT_TRUE(rig.desktop.calls().empty());
    EXPECT_EQ(trimmedRow(rig.screen, 29), " Escape");
}

TEST_F(HintsFileTest, HostileFilesDoNotHangOrBreak) {
    // A FIFO named hints.txt: opening must not wait for a writer.
    ASSERT_EQ(::mkfifo((folder.path() / "hints.txt").c_str(), 0600), 0);
    request("Index");
    EXPECT_EQ(index[0], "0");
    std::filesystem::remove(folder.path() / "hints.txt");

    // A directory of that name.
    std::filesystem::create_directory(folder.path() / "hints.txt");
    request("T0A01");
    std::filesystem::remove(folder.path() / "hints.txt");

    // Binary junk and one very long line with the ID at its start.
    std::string junk(3 * 1024 * 1024, '\0');
    for (std::size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<char>((i * 131) % 256);
    folder.write("hints.txt", "T0A01: " + std::string(2 * 1024 * 1024, 'z') + "\r\n" + junk);
    request("Index");
    request("T0A01");
    EXPECT_EQ(textAt(rig.screen, 29, 2, 3), "zzz");
}

TEST_F(HintsFileTest, ReadsNoMoreThanTheSizeCap) {
    // The only indexed line lies beyond the first 4 MiB.
    folder.write("hints.txt", std::string(5 * 1024 * 1024, 'x') + "\nT0A01: late [x]\n");
    request("Index");
    EXPECT_EQ(index[0], "0");
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
