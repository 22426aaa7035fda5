#include "console/input_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pathwick {
namespace {

using std::chrono::milliseconds;

// Feeds the bytes (optionally in pieces), expires what is left and returns
// every event as text: "k:<key bytes>" or "c:row,column" / "d:row,column".
class Decoded {
public:
    explicit Decoded(bool utf8 = true) : decoder_(utf8) {}

    Decoded& feed(std::string_view bytes, int atMs = 0) {
        decoder_.feed(bytes, milliseconds(atMs));
        return *this;
    }
    Decoded& expire(int atMs = 100) {
        decoder_.expirePending(milliseconds(atMs));
        return *this;
    }
    std::vector<std::string> events() {
        std::vector<std::string> out;
        while (auto event = decoder_.take()) {
            if (event->kind == InputEvent::Kind::Click) {
                out.push_back(std::string(event->doubleClick ? "d:" : "c:") +
                              std::to_string(event->row) + "," + std::to_string(event->column));
            } else {
                out.push_back("k:" + event->key);
            }
        }
        return out;
    }
    bool waiting() const { return decoder_.waitingForMore(); }

private:
    InputDecoder decoder_;
};

std::vector<std::string> decodeAll(std::string_view bytes) { return Decoded().feed(bytes).expire().events(); }

std::string ext(int scanCode) { return std::string("k:") + '\0' + static_cast<char>(scanCode); }
std::string chr(char c) { return std::string("k:") + c; }

using Events = std::vector<std::string>;

TEST(InputDecoder, CharactersAndControlKeys) {
    EXPECT_EQ(decodeAll("aZ 7?"), (Events{chr('a'), chr('Z'), chr(' '), chr('7'), chr('?')}));
    EXPECT_EQ(decodeAll("\r\n"), (Events{chr(13), chr(13)}));
    EXPECT_EQ(decodeAll("\x7f\x08\t"), (Events{chr(8), chr(8), chr(9)}));
    EXPECT_EQ(decodeAll("\x03\x01\x1a"), (Events{chr(3), chr(1), chr(26)}));
    EXPECT_EQ(decodeAll(std::string_view("\0x", 2)), (Events{chr('x')}));  // Ctrl+Space dropped
}

TEST(InputDecoder, Utf8BecomesWindows1252OrIsDropped) {
    EXPECT_EQ(decodeAll("\xC3\xA9"), (Events{chr('\xE9')}));            // é
    EXPECT_EQ(decodeAll("\xC2\xA0"), (Events{chr('\xA0')}));            // no-break space
    EXPECT_EQ(decodeAll("\xE2\x80\x99"), (Events{chr('\x92')}));        // ’
    EXPECT_EQ(decodeAll("\xE2\x80\x94"), (Events{chr('\x97')}));        // —
    EXPECT_EQ(decodeAll("\xE2\x82\xAC"), (Events{chr('\x80')}));        // €
    EXPECT_EQ(decodeAll("\xF0\x9F\x98\x80x"), (Events{chr('x')}));      // emoji: not in the set
    EXPECT_EQ(decodeAll("\xC2\x85x"), (Events{chr('x')}));              // C1 control
    // Broken sequences lose nothing that follows them.
    EXPECT_EQ(decodeAll("\xE2\x80x"), (Events{chr('x')}));
    EXPECT_EQ(decodeAll("\x80\xBFy"), (Events{chr('y')}));
    EXPECT_EQ(decodeAll("\xC0\xAFz"), (Events{chr('z')}));              // overlong '/'
    EXPECT_EQ(decodeAll("\xED\xA0\x80q"), (Events{chr('q')}));          // surrogate
    // A character split across reads waits for its second half.
    Decoded split;
    split.feed("\xC3");
    EXPECT_TRUE(split.waiting());
    EXPECT_EQ(split.feed("\xA9").events(), (Events{chr('\xE9')}));
}

TEST(InputDecoder, Latin1TerminalPassesHighBytes) {
    EXPECT_EQ(Decoded(false).feed("\xE9\x85\xA0").expire().events(), (Events{chr('\xE9'), chr('\xA0')}));
}

TEST(InputDecoder, EscapeAloneWaitsForTheTimeout) {
    Decoded d;
    d.feed("\x1b");
    EXPECT_TRUE(d.waiting());
    EXPECT_TRUE(d.events().empty());
    EXPECT_EQ(d.expire().events(), (Events{chr(27)}));
    EXPECT_FALSE(d.waiting());
    EXPECT_EQ(decodeAll("\x1b\x1b"), (Events{chr(27), chr(27)}));
    EXPECT_EQ(decodeAll("\x1b\x1b[A"), (Events{chr(27), ext(72)}));
}

TEST(InputDecoder, AltLetterGivesTheLetterKeyScanCode) {
    EXPECT_EQ(decodeAll("\x1b" "a\x1b" "A\x1bq\x1bp\x1bl\x1bz\x1bm"),
              (Events{ext(30), ext(30), ext(16), ext(25), ext(38), ext(44), ext(50)}));
    EXPECT_EQ(decodeAll("\x1bO"), (Events{ext(24)}));  // Alt+O once nothing follows
    EXPECT_EQ(decodeAll("\x1b["), (Events{chr('[')}));
    EXPECT_EQ(decodeAll("\x1b" "1\x1b\r"), (Events{chr('1'), chr(13)}));
}

TEST(InputDecoder, CursorKeysInNormalAndApplicationMode) {
    EXPECT_EQ(decodeAll("\x1b[A\x1b[B\x1b[C\x1b[D"), (Events{ext(72), ext(80), ext(77), ext(75)}));
    EXPECT_EQ(decodeAll("\x1bOA\x1bOB\x1bOC\x1bOD"), (Events{ext(72), ext(80), ext(77), ext(75)}));
    EXPECT_EQ(decodeAll("\x1b[1;5A\x1b[1;2D"), (Events{ext(72), ext(75)}));  // modifiers ignored
    EXPECT_EQ(decodeAll("\x1b[H\x1b[F\x1bOH\x1bOF"), (Events{ext(71), ext(79), ext(71), ext(79)}));
}

TEST(InputDecoder, EditingAndFunctionKeys) {
    EXPECT_EQ(decodeAll("\x1b[1~\x1b[2~\x1b[3~\x1b[4~\x1b[5~\x1b[6~\x1b[7~\x1b[8~"),
              (Events{ext(71), ext(82), ext(83), ext(79), ext(73), ext(81), ext(71), ext(79)}));
    EXPECT_EQ(decodeAll("\x1bOP\x1bOQ\x1bOR\x1bOS"), (Events{ext(59), ext(60), ext(61), ext(62)}));
    EXPECT_EQ(decodeAll("\x1b[11~\x1b[15~\x1b[17~\x1b[21~\x1b[23~\x1b[24~"),
              (Events{ext(59), ext(63), ext(64), ext(68), ext(87), ext(88)}));
    EXPECT_EQ(decodeAll("\x1b[5;5~\x1b[1;2P\x1b[[A"), (Events{ext(73), ext(59), ext(59)}));
    EXPECT_EQ(decodeAll("\x1b[Z"), (Events{chr(9)}));
}

TEST(InputDecoder, UnknownAndBrokenSequencesKeepTheFollowingKeys) {
    EXPECT_EQ(decodeAll("\x1b[Ix\x1b[99~y\x1b[?1;2cz\x1b[200~w"), (Events{chr('x'), chr('y'), chr('z'), chr('w')}));
    EXPECT_EQ(decodeAll("\x1bO5~q"), (Events{chr('q')}));
    // A sequence cut short by another one.
    EXPECT_EQ(decodeAll("\x1b[1\x1b[B"), (Events{ext(80)}));
    EXPECT_EQ(decodeAll("\x1b[12\rk"), (Events{chr(13), chr('k')}));
    // Too long to be real: skipped up to its final byte.
    EXPECT_EQ(decodeAll("\x1b[" + std::string(100, '1') + "~ab"), (Events{chr('a'), chr('b')}));
    Decoded cut;
    cut.feed("\x1b[" + std::string(100, '1'));
    EXPECT_TRUE(cut.waiting());
    EXPECT_EQ(cut.expire().feed("12").events(), (Events{chr('1'), chr('2')}));
    // Truncated at the timeout, then typing goes on.
    Decoded d;
    d.feed("\x1b[12");
    EXPECT_TRUE(d.waiting());
    d.expire();
    EXPECT_EQ(d.feed("x").events(), (Events{chr('x')}));
}

TEST(InputDecoder, SequencesSplitAcrossReads) {
    EXPECT_EQ(Decoded().feed("\x1b").feed("[").feed("2").feed("4~").events(), (Events{ext(88)}));
    EXPECT_EQ(Decoded().feed("\x1b[<0;1").feed("2;7M").events(), (Events{"c:7,12"}));
    EXPECT_EQ(Decoded().feed("\x1b[M").feed(" !").feed("!").events(), (Events{"c:1,1"}));
}

TEST(InputDecoder, OnlyLeftPressesBecomeClicks) {
    EXPECT_EQ(decodeAll("\x1b[<0;10;18M"), (Events{"c:18,10"}));
    EXPECT_EQ(decodeAll("\x1b[<0;10;18m"), Events{});  // release
    EXPECT_EQ(decodeAll("\x1b[<2;10;18M\x1b[<1;3;3M"), Events{});  // right, middle
    EXPECT_EQ(decodeAll("\x1b[<64;10;18M\x1b[<65;1;1M"), Events{});  // wheel
    EXPECT_EQ(decodeAll("\x1b[<32;10;18M\x1b[<35;4;4M"), Events{});  // motion
    EXPECT_EQ(decodeAll("\x1b[<16;4;2M"), (Events{"c:2,4"}));  // Ctrl + left
    EXPECT_EQ(decodeAll("\x1b[<0;;5M\x1b[<0;0;5Mx"), (Events{chr('x')}));  // malformed
    // X10: button, column and row each + 32.
    EXPECT_EQ(decodeAll("\x1b[M *2\x1b[M#*2"), (Events{"c:18,10"}));
}

TEST(InputDecoder, SecondPressOnTheSameCellSoonIsADoubleClick) {
    Decoded d;
    d.feed("\x1b[<0;5;8M", 1000).feed("\x1b[<0;5;8m", 1050);
    d.feed("\x1b[<0;5;8M", 1300);  // double-click
    d.feed("\x1b[<0;5;8M", 1350);  // a third press starts over
    d.feed("\x1b[<0;6;8M", 1400);  // another cell
    d.feed("\x1b[<0;6;8M", 1801);  // too late
    EXPECT_EQ(d.events(), (Events{"c:8,5", "d:8,5", "c:8,5", "c:8,6", "c:8,6"}));
}

}  // namespace
}  // namespace pathwick
