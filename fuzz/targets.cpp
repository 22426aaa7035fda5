// The libFuzzer targets: the build makes one program per function below,
// naming it in FUZZ_TARGET. Each feeds any bytes to code that reads outside
// input and aborts on a broken invariant.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

#include "console/first_field.h"
#include "console/input_decoder.h"
#include "console/text_values.h"
#include "console/wrap_text.h"
#include "desktop/bitmap_header.h"
#include "hints/hints_parser.h"

namespace pathwick::fuzz {

void check(bool ok) {
    if (!ok) std::abort();
}

// hints.txt: the index stays within its cap; a hint found for a fixed ID, an
// ID from the input or the first indexed one is cut and has its picture
// reference removed; a picture name that passes the check names no folder.
void hints_parser(std::string_view bytes) {
    const auto ids = IndexedHintIds(bytes, 640);
    check(ids.size() <= 640);
    for (std::string_view id : {std::string_view("T1A01"), bytes.substr(0, 5), ids.empty() ? "" : ids[0]}) {
        const auto hint = FindHint(bytes, id);
        if (!hint) continue;
        check(hint->text.size() <= kHintTextLimit && hint->text.find("~Figure ") == std::string::npos);
        check(!IsSafePictureName(hint->pictureName) ||
              (hint->pictureName.find('/') == std::string::npos && hint->pictureName != ".."));
    }
}

// A bitmap header: a size is either refused or within the accepted bounds.
void bitmap_header(std::string_view bytes) {
    const auto size = parseBitmapSize(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    check(!size || (size->width >= 1 && size->width <= kMaxBitmapSide && size->height >= 1 &&
                    size->height <= kMaxBitmapSide));
}

// Terminal bytes in pieces: each piece's first byte gives its length (low 4
// bits), whether the escape timeout passes after it (bit 4) and the time that
// goes by (high 3 bits). Every event is a click on a cell or a one-byte or
// NUL-prefixed key; once expired, nothing is held back.
void input_decoder(std::string_view bytes) {
    if (bytes.empty()) return;
    InputDecoder decoder(bytes[0] & 1);
    std::chrono::milliseconds now{0};
    const auto drain = [&] {
        while (auto event = decoder.take()) {
            const std::string& key = event->key;
            if (event->kind == InputEvent::Kind::Click)
                check(event->row >= 1 && event->column >= 1 && key.empty());
            else
                check(event->kind == InputEvent::Kind::Key &&
                      ((key.size() == 1 && key[0] != '\0') || (key.size() == 2 && key[0] == '\0')));
        }
    };
    for (std::size_t index = 1; index < bytes.size();) {
        const auto control = static_cast<std::uint8_t>(bytes[index++]);
        const auto piece = bytes.substr(index, control & 0x0F);
        decoder.feed(piece, now);
        index += piece.size();
        now += std::chrono::milliseconds((control >> 5) * 60);
        if (control & 0x10) decoder.expirePending(now);
        drain();
    }
    decoder.expirePending(now);
    drain();
    check(!decoder.waitingForMore());
}

std::string nonBlanks(std::string_view text) {
    std::string out;
    for (char c : text) if (c != ' ') out += c;
    return out;
}

// WrapText (byte 0: width 1-200, byte 1: list capacity 0-70): the count in
// entry 0 fits the list and matches the lines, every line is exactly the
// width, and no character is lost unless the list ran out of room.
void wrap_text(std::string_view bytes) {
    if (bytes.size() < 2) return;
    const int width = 1 + static_cast<std::uint8_t>(bytes[0]) % 200;
    const int capacity = static_cast<std::uint8_t>(bytes[1]) % 71;
    const auto text = bytes.substr(2);
    CountedList lines(capacity);
    WrapText(text, lines, width);
    const int n = lines.count();
    check(n >= (capacity > 0 ? 1 : 0) && n <= capacity);
    check(n == 1 ? lines[0] == "1" || lines[0] == " 1" : lines[0] == (n == 0 ? "0" : numberText(n)));
    std::string written;
    for (int i = 1; i <= capacity; ++i) {
        check(lines[i].size() == (i <= n ? static_cast<std::size_t>(width) : 0));
        written += lines[i];
    }
    const std::string all = nonBlanks(text), kept = nonBlanks(written);
    check(all.starts_with(kept) && (n == capacity || kept == all));
}

// The first field of a typed line: a piece of the line; quoted, it holds no
// quote; plain, no comma and no blank at either end.
void first_field(std::string_view line) {
    const std::string field = FirstField(line);
    const auto start = line.find_first_not_of(' ');
    const bool quoted = start != std::string_view::npos && line[start] == '"';
    check(start == std::string_view::npos ? field.empty() : line.substr(start + quoted).starts_with(field));
    if (quoted) check(field.find('"') == std::string::npos);
    else check(field.find(',') == std::string::npos && (field.empty() || (field.front() != ' ' && field.back() != ' ')));
}

}  // namespace pathwick::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pathwick::fuzz::FUZZ_TARGET(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
