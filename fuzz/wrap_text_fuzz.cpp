// WrapText on any text, widths 1..200 and list capacities 0..70: it must
// finish, every line must be exactly the width, the count in entry 0 must
// match the lines written and fit the list, and no character may be lost
// unless the list ran out of room.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "console/wrap_text.h"

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

std::string nonBlanks(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c != ' ') out += c;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int width = 1 + data[0] % 200;
    const int lastIndex = data[1] % 71;
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

    pathwick::CountedList lines(lastIndex);
    pathwick::WrapText(text, lines, width);

    const int n = lines.count();
    check(n >= 0 && n <= lastIndex);
    check(lastIndex == 0 || n >= 1);
    if (n == 0) {
        check(lines[0] == "0");
    } else if (n == 1) {
        check(lines[0] == "1" || lines[0] == " 1");
    } else {
        check(lines[0] == pathwick::numberText(n));
    }
    std::string written;
    for (int i = 1; i <= n; ++i) {
        check(lines[i].size() == static_cast<std::size_t>(width));
        written += lines[i];
    }
    for (int i = n + 1; i <= lastIndex; ++i) check(lines[i].empty());

    const std::string all = nonBlanks(text);
    const std::string kept = nonBlanks(written);
    check(all.compare(0, kept.size(), kept) == 0);
    if (n < lastIndex) check(kept == all);
    return 0;
}
