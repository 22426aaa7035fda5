// Input: the byte decoder, and the screen layer's model and waits.
#include <gtest/gtest.h>

#include "console/input_decoder.h"
#include "support/screen_test.h"

namespace pathwick {
namespace {

using namespace std::chrono_literals;
using namespace pathwick::testing;

// The events as text: a key as its bytes, "x72" an extended key, "c5,10" a
// click at row 5, column 10 ("d5,10" a double-click), blank between them.
std::string decoded(InputDecoder& decoder) {
    std::string text;
    for (auto e = decoder.take(); e; e = decoder.take())
        text += (text.empty() ? "" : " ") +
                (e->kind == InputEvent::Kind::Click ? (e->doubleClick ? "d" : "c") + std::to_string(e->row) + "," + std::to_string(e->column)
                 : e->key.size() == 2 && e->key[0] == '\0' ? "x" + std::to_string(static_cast<unsigned char>(e->key[1])) : e->key);
    return text;
}

std::string decode(std::string_view bytes, bool utf8 = true) {
    InputDecoder decoder(utf8);
    decoder.feed(bytes, 0ms);
    decoder.expirePending(100ms);
    return decoded(decoder);
}

TEST(InputDecoder, KeysSequencesAndMouseReports) {
    const std::pair<std::string, std::string> cases[] = {
        {"a\n\x7f\x08\t", "a \r \x08 \x08 \t"}, {"\x1b", "\x1b"}, {"\x1b\x1b", "\x1b \x1b"}, {"\x1b" "1k", "1 k"},
        {"\x1b[A\x1b[B\x1b[C\x1b[D\x1bOA", "x72 x80 x77 x75 x72"}, {"\x1b[H\x1b[F\x1b[1;5H", "x71 x79 x71"},
        {"\x1b[1~\x1b[2~\x1b[3~\x1b[4~\x1b[5~\x1b[6~\x1b[7~\x1b[8~", "x71 x82 x83 x79 x73 x81 x71 x79"},
        {"\x1bOP\x1bOS\x1b[11~\x1b[15~\x1b[17~\x1b[21~\x1b[23~\x1b[24~", "x59 x62 x59 x63 x64 x68 x87 x88"},
        {"\x1b[[A\x1b[[E\x1b[[Fz", "x59 x63 F z"}, {"\x1b[[B", "x60"}, {"\x1b[Z\x1bOM\x1bOp\x1bOy\x1bOX", "\t \r 0 9 ="},
        {"\x1b[0002~\x1b[99999~\x1b[9~\x1b[99x\x1b[?1;2c\x1b[1$~a", "x82 a"}, {"\x1b[", "["}, {"\x1bO", "x24"}, {"\x1bO\r", "x24 \r"}, {"\x1bO~", ""}, {"\x1bO@", ""}, {"\x1bO1 ", " "}, {"\x1bO9P", "x59"}, {"\x1bO1;2;3;P\x1bO1;2;3;4P", "x59 4 P"}, {"\x1b[@", ""},
        {"\x1b[<0;10;5M\x1b[<0;10;5m\x1b[<4;1;1M\x1b[<28;3;4M\x1b[<0;9;90M", "c5,10 c1,1 c4,3 c90,9"},
        {"\x1b[<1;10;5M\x1b[<32;10;5M\x1b[<64;10;5M\x1b[<0;0;5M\x1b[<0;10;0M", ""},
        {"\x1b[<0;99999;7M\x1b[<0;999999;7M\x1b[<0;100000;7M\x1b[<0;1000000;7M\x1b[<0;7;1000000M\x1b[<0;10M\x1b[<0;1;2;3M\x1b[<;1;2M", "c7,99999 c7,999999 c7,100000"},
        {"\x1b[M \x2a\x25\x1b[M\x23\x2a\x25\x1b[M\x60!!\x1b[M !\x20", "c5,10"}, {"\x1b[M\x24\x21\x21", "c1,1"},  // the last bytes read
        {"\xC3\xBF\xC3\xA9\xE2\x82\xAC\xE4\xB8\xAD\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80\x80\xE0\x81\x81\xC3" "a\xF0\x9F\x98\x80!", "\xFF \xE9 \x80 a !"},
        {"\x1b[" + std::string(40, '1') + "~b", "b"}, {"\x1b[" + std::string(40, '1') + "@b", "b"}, {"\x1b[" + std::string(40, '1') + "\rb", "\r b"}, {"\x1b\x80", ""}, {"\x1b[2 q\x1b[1!pz", "z"},
        {"\x1b[" + std::string(29, '0') + "2~\x1b[" + std::string(30, '0') + "2~", "x82"},  // the longest kept whole, then one byte longer
        {"\x1b[" + std::string(40, '1') + " !/@b", "b"}, {"\xC2\x80\xC2\x9F\xC2\xA0\xC5\xB8\xC5\xB9", "\xA0 \x9F"}, {"\x1b[1\x7f", "\x08"}, {"\x1b\xC3\xA9", "\xE9"},
    };
    for (const auto& [bytes, events] : cases) EXPECT_EQ(decode(bytes), events) << bytes;
    EXPECT_EQ(decode("\xE9\x96\xA0\x9F", false), "\xE9 \xA0") << "C1 bytes are dropped";
    EXPECT_EQ(decode(std::string(600, 'a')).size(), 2 * 512 - 1u) << "at most 512 events wait";
    // Alt + a letter gives the letter key's scan code, row by row of the keyboard.
    const std::pair<const char*, int> rows[] = {{"qwertyuiop", 16}, {"asdfghjkl", 30}, {"zxcvbnm", 44}};
    for (auto [letters, first] : rows)
        for (int i = 0; letters[i] != '\0'; ++i)
            EXPECT_EQ(decode(std::string{'\x1b', letters[i], 'k'}) + decode(std::string{'\x1b', char(letters[i] - 32)}),
                      "x" + std::to_string(first + i) + " kx" + std::to_string(first + i)) << letters[i];
}

TEST(InputDecoder, SplitSequencesWaitAndDoubleClicksAreQuick) {
    // A lead byte of a UTF-8 character waits for the rest; any other byte
    // above 127 is dropped at once.
    for (int lead : {0x80, 0xBF, 0xC0, 0xC1, 0xC2, 0xDF, 0xE0, 0xEF, 0xF0, 0xF4, 0xF5, 0xFF}) {
        InputDecoder waiting;
        waiting.feed(std::string(1, char(lead)), 0ms);
        EXPECT_EQ(waiting.waitingForMore(), lead >= 0xC2 && lead <= 0xF4) << lead;
        waiting.expirePending(100ms);
        EXPECT_FALSE(waiting.waitingForMore() || waiting.take()) << lead;
    }
    InputDecoder decoder;
    decoder.feed("\x1b[", 0ms);
    EXPECT_TRUE(decoder.waitingForMore());
    decoder.feed("Ax\xC3", 1ms);
    EXPECT_TRUE(decoder.waitingForMore());
    decoder.feed("\xA9", 2ms);
    EXPECT_FALSE(decoder.waitingForMore());
    // Dropped when nothing more comes in time, the overlong one too.
    for (const std::string& unfinished : {std::string("\x1b[1;5"), std::string("\x1b[["), "\x1b[" + std::string(40, '1'), std::string("\x1bO5"), std::string("\x1b[M"), std::string("\x1b[M "), std::string("\x1b[M !")})
        decoder.feed(unfinished, 3ms), decoder.expirePending(30ms), decoder.feed("B", 31ms);
    EXPECT_EQ(decoded(decoder), "x72 x \xE9 B B B B B B B");
    const std::pair<std::chrono::milliseconds, const char*> presses[] = {
        {0ms, "c2,3"}, {400ms, "d2,3"}, {500ms, "c2,3"}, {901ms, "c2,3"}, {1000ms, "c2,4"}, {1001ms, "c2,3"}, {1002ms, "d2,3"}, {1002ms, "c2,3"}, {1002ms, "d2,3"}};
    for (auto [time, event] : presses) {
        decoder.feed(std::string(event).ends_with("4") ? "\x1b[<0;4;2M" : "\x1b[<0;3;2M", time);
        EXPECT_EQ(decoded(decoder), event) << time.count();
    }
}

TEST(ScreenLayer, WritingWrappingScrollingAndColours) {
    ScreenRig rig;
    ScreenLayer& s = rig.screen;
    const auto at = [&](int row, int column, std::string_view text) { s.locate(row, column), s.printText(text); };
    s.clearScreen();
    EXPECT_EQ(colorsAt(s, 43, 100) + std::to_string(s.scrollPending()), "7/00") << "a console's first colours";
    s.setColor(14, 4), s.clearScreen(), s.setColor(16, -1), s.setColor(-1, 16), at(0, 101, "a\x96");
    EXPECT_EQ(textAt(s, 1, 1, 2) + colorsAt(s, 1, 2) + colorsAt(s, 43, 100), "a\u201314/414/4");
    s.setTitle("\x7f\x80\x96");  // the title reaches the terminal as UTF-8
    EXPECT_EQ(rig.terminal.title(), "\x7f\u20ac\u2013");
    s.setColor(15, 1), at(44, 99, "xyz");
    EXPECT_EQ(textAt(s, 1, 99, 2) + textAt(s, 2, 1, 1) + colorsAt(s, 2, 1) + s.rowText(1).back(), "xyz15/1y");
    at(43, 100, "q");
    EXPECT_EQ(textAt(s, 1, 1, 1) + std::to_string(s.row()) + std::to_string(s.scrollPending()), "a431");
    s.printText("r");
    EXPECT_EQ(textAt(s, 42, 100, 1) + textAt(s, 43, 1, 1) + textAt(s, 1, 1, 1) + colorsAt(s, 43, 50), "qrz15/1");
    at(43, 100, "s"), at(43, 1, "t");
    EXPECT_EQ(textAt(s, 43, 1, 1) + textAt(s, 43, 100, 1), "ts");
    s.printText(std::string(99, 'u')), s.newLine();
    EXPECT_EQ(textAt(s, 41, 1, 1) + textAt(s, 42, 100, 1) + trimmedRow(s, 43) + std::to_string(s.column()), "t 1");
    s.newLine(), s.printNumber(-2), s.printNumber(5), s.printNumber(0.5f), s.horizontalRule(2), s.horizontalRule(-1);
    EXPECT_EQ(trimmedRow(s, 43), "-2  5  .5 \u2500\u2500");
    s.setColor(0, 0), at(30, 50, "k");
    EXPECT_EQ(colorsAt(s, 30, 50), "0/0") << "black on black is a colour pair too";
}

TEST(ScreenLayer, WaitsReadLinesClicksAndForwardedKeys) {
    ScreenRig rig;
    ScreenLayer& s = rig.screen;
    rig.terminal.idle(60'001).click(3, 4).key("k").idle(40).key("p").type("ab").key("\x08").type("c");
    EXPECT_EQ(s.waitKey(), "k") << "no clicks before the mouse is on";
    EXPECT_EQ(s.pollKey(40), "") << "a key after the poll's time is left for later";
    EXPECT_EQ(s.pollKey(500), "p");
    EXPECT_EQ(rig.terminal.cursor() + " " + std::to_string(rig.terminal.reads), "1,1 6") << "shown until hidden; a minute's wait at a time";
    s.locate(5, 98), s.hideCursor();
    rig.terminal.whenEmpty = [&](ScriptedTerminal& more) {
        EXPECT_EQ(more.cursor(), "5,100") << "shown where the next typed key goes";
        more.whenEmpty = nullptr, more.key("\r").key("k");
    };
    EXPECT_EQ(s.readLine(), "ac");
    EXPECT_EQ(textAt(s, 5, 98, 3) + std::to_string(s.row()), "ac 6");
    EXPECT_EQ(s.waitKey(), "k");
    EXPECT_EQ(rig.terminal.cursor(), "hidden") << "hidden again once the line is read";
    rig.terminal.type("x yz\x08").key(extendedKey(72)).click(1, 1).key("\r");
    s.locate(7, 98);
    EXPECT_EQ(s.readLine(), "x y");
    EXPECT_EQ(textAt(s, 7, 98, 3) + textAt(s, 8, 1, 1), "x y ");
    rig.terminal.type(std::string(10001, '7')).key("\r");
    EXPECT_EQ(s.readLine().size(), 10000u);
    s.enableMouse();
    ForwardedKeys forwarded;  // keeps at most 256 keys waiting
    for (int i = 0; i < 300; ++i) forwarded.push(std::to_string(i));
    int kept = 0;
    while (forwarded.take()) ++kept;
    EXPECT_EQ(kept, 256);
    forwarded.push("f");
    s.attachForwardedKeys(&forwarded);
    rig.terminal.click(44, 1).click(0, 5).doubleClick(43, 100).idle(10).close().key("z");
    EXPECT_EQ(s.waitKey(), "f");
    EXPECT_EQ((std::vector{s.waitKey(), s.waitKey()}), (std::vector{clickEvent(4), clickEvent(2)})) << "a press, then a double-click";
    EXPECT_EQ(s.mouseRow() * 1000 + s.mouseColumn(), 43100);
    s.attachForwardedKeys(nullptr);
    EXPECT_THROW(s.sleep(50), InputClosed);
    EXPECT_EQ(s.waitKey(), "z") << "keys typed during a sleep stay queued";
}

}  // namespace
}  // namespace pathwick
