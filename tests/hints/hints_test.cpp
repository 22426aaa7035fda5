// hints.txt: parsing, and reading hostile files, against hand-made files.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "drill/run_state.h"
#include "hints/hints_file.h"
#include "hints/hints_parser.h"
#include "support/screen_test.h"

namespace pathwick::testing {
namespace {

std::vector<std::string> linesOf(std::string_view bytes) {
    std::vector<std::string> lines;
    HintLineReader reader(bytes);
    while (const auto line = reader.next()) lines.emplace_back(*line);
    return lines;
}

TEST(HintsParser, LinesIndexHintsAndPictureNames) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(linesOf("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(linesOf("\n\r\r\na\n\rb\r"), (Lines{"", "", "", "a", "", "b"}));
    EXPECT_EQ(linesOf("a\r\nb\x1A\r\nc"), (Lines{"a", "b"}));
    const std::string bytes = "x\r\n";  // a read that ends between CR and LF
    EXPECT_EQ(linesOf(std::string_view(bytes).substr(0, 2)), Lines{"x"});

    const std::string file = "T1A01: terms [rule 97]\r\n'T1A03: comment [x]\r\nT1A02: no bracket\r\n"
                             "T1A04] bracket: first\r\nT1A05:no blank [x]\r\nT1A06: first ]: second\r\n"
                             "t1a02:   the hint  \r\nT1A02:x\r\nT6C02: Look ~Figure  a 2.bmp  \r\nT1A07: ]\r\n";
    EXPECT_EQ(IndexedHintIds(file, 640), (std::vector<std::string_view>{"T1A01", "T1A06", "T1A07"}));
    EXPECT_EQ(IndexedHintIds(file, 1).size(), 1u);
    EXPECT_EQ(FindHint(file, "t1a02").value().text, "the hint");
    EXPECT_EQ(FindHint(file, "T1A05").value().text, "T1A05:no blank [x]");
    EXPECT_EQ(FindHint(file, "T6C02").value().text + "|" + FindHint(file, "T6C02").value().pictureName, "Look |a 2.bmp");
    EXPECT_FALSE(FindHint(file, "T1A0") || FindHint(file, "T1A03") || FindHint(":x", ""));
    const auto cut = FindHint("T0A01: " + std::string(1420, 'x') + " ~Figure a.bmp", "T0A01").value();
    EXPECT_EQ(cut.text.size(), 1425u);
    EXPECT_EQ(cut.pictureName, "") << "the text is cut before the picture is looked for";
    for (std::string_view name : {"T1.bmp", "a..b.bmp", "a b.bmp"}) EXPECT_TRUE(IsSafePictureName(name)) << name;
    using namespace std::string_view_literals;
    for (std::string_view name : {""sv, "."sv, ".."sv, "../x"sv, "/etc/passwd"sv, "a\\b"sv, "a\tb"sv, "a\0b"sv, "a\x7F"sv})
        EXPECT_FALSE(IsSafePictureName(name)) << name;
}

TEST(HintsFile, ShownFromRow29AndHostileFilesReadNothing) {
    ScreenRig rig;
    TempDirectory folder;
    RunState state;
    CountedList& index = state.hintIndex;
    WindowHandle window = 7;
    const auto request = [&](std::string text) {
        rig.screen.clearScreen();
        showHint(text, index, window, rig.screen, rig.desktop, folder.path());
        EXPECT_EQ(text, "");
        return trimmedRow(rig.screen, 29);
    };
    // (A hint longer than the rows from 29 down: the walks to
    // drill_long_hint and study_long_hint.)
    std::string file = "T6C02: Look ~Figure ohm.bmp\r\nT6C03: Escape ~Figure ../x\r\n";
    for (int i = 1; i <= 700; ++i) file += "ID" + std::to_string(i) + ": x [y]\r\n";
    folder.write("hints.txt", file);
    request("Index");
    EXPECT_EQ(index[0] + index[1] + index[640], "640ID1ID640");
    EXPECT_EQ(request("T6C02"), " Look");
    EXPECT_EQ(request("T6C03"), " Escape");
    EXPECT_EQ(rig.desktop.calls(), (std::vector<std::string>{"close 7", "showImageFile " +
                                                              (folder.path() / "Figures" / "ohm.bmp").string() + " '' -> 1"}));

    // Only the first 4 MiB are read: a line that starts 9 bytes before the
    // end of them is cut there, one that starts at the end is not seen.
    for (std::size_t start : {4u << 20, (4u << 20) - 9}) {
        folder.write("hints.txt", std::string(start - 2, 'z') + "\r\nT0A02: far [y]\r\n");
        EXPECT_EQ(request("T0A02"), start == 4u << 20 ? "" : " fa") << start;
    }
    const auto hints = folder.path() / "hints.txt";
    std::filesystem::remove(hints);
    int fifo = -1;
    for (int kind = 0; kind < 4; ++kind) {
        // Opening must not wait for a writer, and what a writer sends is not read.
        if (kind == 0) {
            ::mkfifo(hints.c_str(), 0600);
            fifo = ::open(hints.c_str(), O_RDWR | O_NONBLOCK);
            EXPECT_EQ(::write(fifo, "T6C02: sent [x]\r\n", 17), 17);
        }
        if (kind == 1) std::filesystem::create_directory(hints);
        if (kind == 2) std::filesystem::create_symlink("/dev/zero", hints);
        request("Index");
        EXPECT_EQ(index[0], "0") << kind;
        EXPECT_EQ(request("T6C02"), "") << kind;
        std::filesystem::remove(hints);
    }
    ::close(fifo);
}
}  // namespace
}  // namespace pathwick::testing
