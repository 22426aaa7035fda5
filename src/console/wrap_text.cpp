#include "console/wrap_text.h"

#include <cstddef>
#include <string>

#include "console/text_values.h"

namespace pathwick {
namespace {

std::string padded(std::string_view line, std::size_t width) {
    std::string result(line);
    result.resize(width, ' ');
    return result;
}

}  // namespace

void WrapText(std::string_view text, CountedList& lines, int width) {
    const int room = lines.lastIndex();
    if (width < 1 || room < 1) {
        lines[0] = "0";
        return;
    }
    const auto w = static_cast<std::size_t>(width);
    std::string r(trimBlanks(text));
    r += ' ';

    // A text shorter than the width (after trimming) is a single line.
    if (r.size() <= w) {
        lines[1] = padded(r, w);
        lines[0] = "1";
        return;
    }

    std::string_view rest = r;
    int n = 0;
    while (!rest.empty() && n < room) {
        ++n;
        // Break after the last blank that fits; a word too long for a line
        // has no such blank and is cut at the width instead.
        const std::size_t blank = rest.substr(0, w).rfind(' ');
        const std::size_t take = blank == std::string_view::npos ? w : blank + 1;
        lines[n] = padded(trimLeadingBlanks(rest.substr(0, take)), w);
        lines[0] = numberText(n);
        rest.remove_prefix(take);
        if (rest.size() < 2) rest = {};
    }
}

}  // namespace pathwick
